#include "src/pages/CReminderAccount.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "src/pages/scans/AccountStatusScan.h"
#include "tests/pages/PageFixture.h"

namespace kelo {
namespace {

using Codes = std::vector<std::string>;

class AccountStatusPageTest : public test::PageFixture<CReminderAccount> {
protected:
    bool PropertiesEnabled() const
    {
        return CommandEnabled(CReminderAccount::kContextMenuId, kCommandProperties);
    }
};

TEST_F(AccountStatusPageTest, NineCategoriesEachFillingFromItsLedger)
{
    build.AddAccount(kLedgerSales, {.code = "OVER", .balance = 1000.01, .creditLimit = 1000.0});
    build.AddAccount(kLedgerSales, {.code = "ATLIMIT", .balance = 1000.0, .creditLimit = 1000.0});
    build.AddAccount(kLedgerPurchases, {.code = "SHELD", .onHold = 1});
    build.AddAccount(kLedgerSales, {.code = "CHELD", .onHold = 1});
    Open();
    ASSERT_EQ(tree.ItemCount(), 9);
    EXPECT_EQ(tree.GetItemText(4), "Sales Beyond Credit Review");
    EXPECT_EQ(tree.GetItemText(6), "Purchase On Hold");
    EXPECT_EQ(Column(0), Codes{"OVER"});
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_TRUE(PropertiesEnabled());

    ChooseCategory(6);  // "Purchase On Hold"
    EXPECT_EQ(Column(0), Codes{"SHELD"});
    ChooseCategory(1);  // "Sales On Hold"
    EXPECT_EQ(Column(0), Codes{"CHELD"});
    ChooseCategory(3);  // "Sales Credit Chargeable": nobody
    EXPECT_TRUE(Column(0).empty());
    EXPECT_FALSE(PropertiesEnabled());
}

}  // namespace
}  // namespace kelo
