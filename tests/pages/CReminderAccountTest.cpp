#include "src/pages/CReminderAccount.h"

#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountStatusScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/scans/LedgerBuilder.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);


class AccountStatusPageTest : public ::testing::Test {
protected:
    void SetUp() override { services.programDate = kToday; }
    void TearDown() override
    {
        if (page) page->DestroyWindow();
        test::DrainPostedEvents();
    }
    void Open()
    {
        page = new CReminderAccount(services, nullptr, &tree);
        page->Create(nullptr);
        test::DrainPostedEvents();
    }
    void Choose(int item)
    {
        tree.SelectItem(item);
        page->OnCategorySelected(item, tree.GetItemValue(item));
        test::DrainPostedEvents();
    }
    std::vector<std::string> Codes() const
    {
        std::vector<std::string> v;
        for (int r = 0; r < page->List()->RowCount(); ++r)
            v.push_back(AccountStatusColumns().ReadText(page->List()->RowBytes(r), 0));
        return v;
    }
    bool PropertiesEnabled()
    {
        std::unique_ptr<QMenu> menu(CReminderPage::LoadContextMenu(CReminderAccount::kContextMenuId));
        page->UpdateCommandMenu(menu.get());
        QAction* properties = CReminderPage::FindCommand(menu.get(), kCommandProperties);
        return properties && properties->isEnabled();
    }

    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "OVERSEE"};
    test::LedgerBuilder build{company.Context()};
    CKTreeView tree;
    CReminderAccount* page = nullptr;
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
    EXPECT_EQ(Codes(), std::vector<std::string>{"OVER"});
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_TRUE(PropertiesEnabled());

    Choose(6);  // "Purchase On Hold"
    EXPECT_EQ(Codes(), std::vector<std::string>{"SHELD"});
    Choose(1);  // "Sales On Hold"
    EXPECT_EQ(Codes(), std::vector<std::string>{"CHELD"});
    Choose(3);  // "Sales Credit Chargeable": nobody
    EXPECT_TRUE(Codes().empty());
    EXPECT_FALSE(PropertiesEnabled());
}

TEST_F(AccountStatusPageTest, BackgroundFillYieldsAfterEveryAccount)
{
    for (const char* code : {"A", "B", "C"}) build.AddAccount(kLedgerSales, {.code = code, .onHold = 1});
    services.backgroundFill = true;
    Open();
    Choose(1);
    EXPECT_EQ(Codes(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(services.yields, 3 + 3);  // the first category's fill, then "Sales On Hold"
}

}  // namespace
}  // namespace kelo
