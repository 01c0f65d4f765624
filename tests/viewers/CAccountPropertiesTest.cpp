// The Account Details viewer opened on a category of no ledger falls back to the sales ledger
// with a message (its fields, steps and dialling are checked end to end and with the other
// ledger viewer).

#include "src/viewers/CAccountProperties.h"

#include "tests/pages/PageFixture.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderAccount.h"
#include "src/pages/scans/AccountStatusScan.h"

namespace kelo {
namespace {

using AccountViewerTest = test::PageFixture<CReminderAccount>;

TEST_F(AccountViewerTest, LedgerNotDefinedFallsBackToSales)
{
    build.AddAccount(kLedgerSales, {.code = "ACME", .onHold = 1});
    Open();
    ChooseCategory(1);  // "Sales On Hold"
    page->List()->SelectRow(0);
    // A value that is none of the nine bits (the fill it posts finds nothing of it).
    page->OnCategorySelected(1, kSalesOnHold | kSalesInactive);
    CKScriptedAnswerer answers;
    int ledger = 0;
    WithModal<CAccountProperties>([&] { page->OpenSelected(); },
                                  [&](CAccountProperties& v) { ledger = v.Ledger(); });
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "Ledger Not defined");
    EXPECT_EQ(ledger, kLedgerSales);
}

}  // namespace
}  // namespace kelo
