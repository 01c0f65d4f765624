// The Bills scan: the category by outstanding amount then due date, the part-paid rule that
// guards a delete, the row, and what makes two records the same bill for the write checks.

#include "src/pages/scans/BillScan.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/BillRecord.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/scans/RecordingSink.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);

TEST(BillScan, CategoriesByOutstandingThenDueDateInRecordOrder)
{
    const struct {
        const char* details;
        double net, tax, netPaid, taxPaid;
        int dueOffset;
        uint32_t category;
        double shown;
        bool partPaid;
    } cases[] = {
        {"due today", 100, 20, 0, 0, 0, kBillCurrent, 120.00, false},
        {"due tomorrow", 50, 0, 0, 0, 1, kBillCurrent, 50.00, false},
        {"due yesterday", 100, 20, 0, 0, -1, kBillOverdue, 120.00, false},
        {"part paid, overdue", 100, 20, 60, 12, -30, kBillOverdue, 48.00, true},
        {"tax only paid", 100, 20, 0, 20, -3, kBillOverdue, 100.00, true},
        {"fully paid, long overdue", 100, 20, 100, 20, -300, kBillPaid, 0.00, false},
        {"0.004 outstanding", 10.004, 0, 10, 0, -5, kBillPaid, 0.00, false},
        {"0.005 outstanding", 10.005, 0, 10, 0, 0, kBillCurrent, 0.01, true},
        {"overpaid", 10, 0, 12, 0, 0, kBillPaid, -2.00, false},
    };
    test::TempCompany company;
    for (const auto& c : cases) {
        const uint32_t recNo = test::AddBill(company.Context(), {c.details, c.net, c.tax, c.netPaid,
                                             c.taxPaid, uint16_t(kToday + c.dueOffset)});
        EXPECT_EQ(IsPartPaidBill(test::ReadStoredBill(company.Context(), recNo).data()), c.partPaid)
            << c.details;
    }
    // Record order, the order of entry; each category lists only its own.
    for (uint32_t category : {kBillCurrent, kBillOverdue, kBillPaid}) {
        test::RecordingSink sink;
        ScanBills(ScanInput{company.Context(), category, kToday, "ANNA"}, sink);
        size_t row = 0;
        for (const auto& c : cases) {
            if (c.category != category) continue;
            ASSERT_LT(row, sink.rows.size()) << c.details;
            EXPECT_EQ(BillColumns().ReadText(sink.rows[row], kBillColDescription), c.details);
            EXPECT_EQ(BillColumns().ReadAmount(sink.rows[row++], kBillColOutstanding), c.shown);
        }
        EXPECT_EQ(row, sink.rows.size()) << category;
    }
}

TEST(BillScan, RowShowsBothDatesAndTheRecordNumber)
{
    test::TempCompany company;
    test::AddBill(company.Context(), {"rent", 10, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"rates", 10, 0, 0, 0, kToday, uint16_t(kToday - 30)});
    test::RecordingSink sink;
    ScanBills(ScanInput{company.Context(), kBillCurrent, kToday, "ANNA"}, sink);
    ASSERT_EQ(sink.rows.size(), 2u);
    const CKColumnSet& c = BillColumns();
    const std::vector<uint8_t>& row = sink.rows[1];
    EXPECT_EQ(row.size(), 99u);
    EXPECT_EQ(c.ReadText(row, kBillColDate), DateNumberToFullString(kToday - 30));
    EXPECT_EQ(c.ReadText(row, kBillColDateDue), DateNumberToFullString(kToday));
    EXPECT_EQ(c.ReadUInt32(row, kBillColRecordNumber), 2u);
    EXPECT_EQ(c.ReadUInt32(row, kBillColCategory), kBillCurrent);
}

TEST(IsSameBill, TheFirstDueDateAndAnyOfPayToDetailsOrReference)
{
    const struct {
        const char* what;
        const char* payTo;
        const char* details;
        const char* reference;
        int firstDueShift;
        bool same;
    } cases[] = {
        {"unchanged", "7500", "Rent", "REF", 0, true},
        {"details changed", "7500", "Rent, renamed", "REF", 0, true},
        {"only the reference kept", "7100", "Rates", "REF", 0, true},
        {"all three changed", "7100", "Rates", "OTHER", 0, false},
        {"another first due date", "7500", "Rent", "REF", 1, false},
    };
    test::TempCompany company;
    const uint32_t original = test::AddBill(company.Context(), {"Rent", 10, 0, 0, 0, kToday});
    const std::vector<uint8_t> a = test::ReadStoredBill(company.Context(), original);
    for (const auto& c : cases) {
        test::BillSpec b{c.details, 10, 0, 0, 0, uint16_t(kToday + c.firstDueShift)};
        b.payTo = c.payTo;
        b.reference = c.reference;
        const uint32_t recNo = test::AddBill(company.Context(), b);
        EXPECT_EQ(IsSameBill(test::ReadStoredBill(company.Context(), recNo).data(), a.data()), c.same)
            << c.what;
    }
}

}  // namespace
}  // namespace kelo
