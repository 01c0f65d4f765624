#include "src/pages/CReminderAuditTrail.h"

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
#include "src/pages/scans/AccountsDueScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/scans/LedgerBuilder.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);


class AccountsDuePageTest : public ::testing::Test {
protected:
    void SetUp() override { services.programDate = kToday; }
    void TearDown() override
    {
        if (page) page->DestroyWindow();
        test::DrainPostedEvents();
    }
    CReminderAuditTrail* Open()
    {
        page = new CReminderAuditTrail(services, nullptr, &tree);
        page->Create(nullptr);
        test::DrainPostedEvents();
        return page;
    }
    void Invoice(uint32_t account, const char* code, uint32_t number, int age)
    {
        test::LedgerBuilder::Header h;
        h.account = code;
        h.date = static_cast<uint16_t>(kToday - age);
        h.net = 10.0;
        h.transaction = number;
        build.AddHeader(kLedgerSales, account, h);
    }
    std::vector<uint32_t> Numbers() const
    {
        std::vector<uint32_t> v;
        for (int r = 0; r < page->List()->RowCount(); ++r)
            v.push_back(AccountsDueRowTransaction(page->List()->RowBytes(r)));
        return v;
    }
    bool PropertiesEnabled()
    {
        std::unique_ptr<QMenu> menu(CReminderPage::LoadContextMenu(CReminderAuditTrail::kContextMenuId));
        page->UpdateCommandMenu(menu.get());
        QAction* properties = CReminderPage::FindCommand(menu.get(), kCommandProperties);
        return properties && properties->isEnabled();
    }

    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "OVERSEE"};
    test::LedgerBuilder build{company.Context()};
    CKTreeView tree;
    CReminderAuditTrail* page = nullptr;
};

TEST_F(AccountsDuePageTest, SixCategoriesAndTheFirstFillSelectsTheFirstRow)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "ACME", .settlementPeriod = 10});
    Invoice(a, "ACME", 1, 40);
    Invoice(a, "ACME", 2, 5);
    Open();
    ASSERT_EQ(tree.ItemCount(), 6);
    EXPECT_EQ(tree.GetItemText(0), "Sales Overdue");
    EXPECT_EQ(tree.GetItemText(5), "Purchases Within Settlement");
    EXPECT_EQ(page->CategoryValue(), kSalesOverdue);
    EXPECT_EQ(Numbers(), std::vector<uint32_t>{1});
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_TRUE(PropertiesEnabled());

    tree.SelectItem(1);
    page->OnCategorySelected(1, tree.GetItemValue(1));
    test::DrainPostedEvents();
    EXPECT_EQ(Numbers(), (std::vector<uint32_t>{1, 2}));
}

TEST_F(AccountsDuePageTest, PropertiesGreyedWhenEmptyAndForABarredUser)
{
    Open();
    EXPECT_EQ(page->List()->RowCount(), 0);
    EXPECT_FALSE(PropertiesEnabled());
    page->DestroyWindow();
    test::DrainPostedEvents();

    test::FakeTaskServices barred{company.Context(), "NOBODY"};
    barred.programDate = kToday;
    page = new CReminderAuditTrail(barred, nullptr, &tree);
    page->Create(nullptr);
    test::DrainPostedEvents();
    EXPECT_EQ(tree.ItemCount(), 0);
    EXPECT_FALSE(PropertiesEnabled());
}

TEST_F(AccountsDuePageTest, BackgroundFillStoppedByACategoryChangeEndsOnTheNewCategory)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "ACME", .settlementPeriod = 10});
    for (uint32_t n = 1; n <= 5; ++n) Invoice(a, "ACME", n, 40);  // overdue and due
    Invoice(a, "ACME", 6, 5);                                      // due, within settlement
    services.backgroundFill = true;
    int changedAt = 0;
    services.onYield = [&](int yield) {
        // The user picks "Sales Within Settlement" while the first fill is on its second header.
        if (yield == 2 && changedAt == 0) {
            changedAt = yield;
            tree.SelectItem(2);
            page->OnCategorySelected(2, tree.GetItemValue(2));
        }
    };
    Open();
    test::DrainPostedEvents();
    EXPECT_EQ(changedAt, 2);
    EXPECT_EQ(page->CategoryValue(), kSalesWithinSettlement);
    EXPECT_EQ(Numbers(), std::vector<uint32_t>{6});
    // The stopped fill: two header yields and its account's; the new one: six and one.
    EXPECT_EQ(services.yields, 3 + 7);
    EXPECT_TRUE(page->IsFillComplete());
    EXPECT_FALSE(page->IsBusy());
}

TEST_F(AccountsDuePageTest, EnterWithNoRowsDoesNothing)
{
    Open();
    page->OpenSelected();  // no selection: no viewer, nothing blocks
    page->SendCommand(kCommandProperties);
    EXPECT_EQ(page->List()->RowCount(), 0);
}

}  // namespace
}  // namespace kelo
