// Pay on the Bills page: the Bill Payment dialog on the selected bill, and the list after it.

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/SetupRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKCalcEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKPopupField.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/CReminderBills.h"
#include "src/pages/scans/BillScan.h"
#include "src/records/CPayBill.h"
#include "tests/host/file/TempCompany.h"
#include "tests/host/framework/PostingLedger.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/PageFixture.h"

namespace kelo {
namespace {

const uint16_t kToday = DateStringToNumber("06/12/2026");

class BillPaymentFromPage : public test::PageFixture<CReminderBills> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        services.programDate = kToday;
        ledger.Standard();
        std::vector<uint8_t> setup(kSetupLength, 0);
        SetU16(setup.data(), kSetupFinancialYearStart, DateStringToNumber("01/04/2026"));
        WriteRec(company.Context().File(kFileSetup), 1, setup.data());
        test::AddBill(company.Context(), {"Rent", 100, 20, 0, 0, kToday, kToday, "7100"});
        test::AddBill(company.Context(), {"Rates", 50, 10, 0, 0, kToday, kToday, "7200"});
        Open();
    }
    std::vector<std::string> Rows() const { return Column(kBillColDescription); }
    double Outstanding(int row) const
    {
        return BillColumns().ReadAmount(page->List()->RowBytes(row), kBillColOutstanding);
    }

    // Pay on row `row`; `inDialog` runs in the dialog once it is up and says whether it ended
    // it (a dialog left open is cancelled).
    void Pay(int row, const std::function<bool(CPayBill&)>& inDialog)
    {
        page->List()->SelectRow(row);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dlg = qobject_cast<CPayBill*>(w); dlg && dlg->isVisible()) {
                    ran = true;
                    if (!inDialog(*dlg)) dlg->SendCommand(IDCANCEL);
                }
        });
        page->SendCommand(kCommandPay);
        Drain();
        EXPECT_TRUE(ran) << "no Bill Payment dialog";
    }

    test::PostingLedger ledger{company.Context()};
};

// A full payment moving the bill to Paid Bills is driven end to end.
TEST_F(BillPaymentFromPage, APartPaymentLeavesTheRemainderListed)
{
    Pay(1, [](CPayBill& dlg) {
        dlg.Bank()->SetText("1230");
        dlg.Net()->SetValue(20);
        dlg.Vat()->SetValue(4);
        const bool paid = dlg.PayBill();
        EXPECT_TRUE(paid);
        return paid;
    });
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Rent", "Rates"}));
    EXPECT_DOUBLE_EQ(Outstanding(1), 36.0);
}

TEST_F(BillPaymentFromPage, CancelChangesNothing)
{
    Pay(0, [](CPayBill&) { return false; });
    EXPECT_DOUBLE_EQ(Outstanding(0), 120.0);
    EXPECT_EQ(RecCount(company.Context().File(kFileAuditHeaders)), 0u);
}

}  // namespace
}  // namespace kelo
