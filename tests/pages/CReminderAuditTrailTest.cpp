#include "src/pages/CReminderAuditTrail.h"

#include <vector>

#include <gtest/gtest.h>

#include "src/pages/scans/AccountsDueScan.h"
#include "tests/pages/PageFixture.h"

namespace kelo {
namespace {

using test::kPageToday;

class AccountsDuePageTest : public test::PageFixture<CReminderAuditTrail> {
protected:
    void Invoice(uint32_t account, const char* code, uint32_t number, int age)
    {
        test::LedgerBuilder::Header h;
        h.account = code;
        h.date = static_cast<uint16_t>(kPageToday - age);
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
    bool PropertiesEnabled() const
    {
        return CommandEnabled(CReminderAuditTrail::kContextMenuId, kCommandProperties);
    }
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
    ChooseCategory(1);
    EXPECT_EQ(Numbers(), (std::vector<uint32_t>{1, 2}));
}

TEST_F(AccountsDuePageTest, PropertiesGreyedWhenEmptyAndForABarredUser)
{
    Open();
    EXPECT_FALSE(PropertiesEnabled());
    page->OpenSelected();  // no selection: no viewer, nothing blocks
    page->DestroyWindow();
    Drain();

    test::FakeTaskServices barred{company.Context(), "NOBODY"};
    page = new CReminderAuditTrail(barred, nullptr, &tree);
    page->Create(nullptr);
    Drain();
    EXPECT_EQ(tree.ItemCount(), 0);
    EXPECT_FALSE(PropertiesEnabled());
    page->DestroyWindow();  // before the services it was given
    Drain();
    page = nullptr;
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
    Drain();
    EXPECT_EQ(changedAt, 2);
    EXPECT_EQ(page->CategoryValue(), kSalesWithinSettlement);
    EXPECT_EQ(Numbers(), std::vector<uint32_t>{6});
    // The stopped fill: two header yields and its account's; the new one: six and one.
    EXPECT_EQ(services.yields, 3 + 7);
    EXPECT_TRUE(page->IsFillComplete());
    EXPECT_FALSE(page->IsBusy());
}

}  // namespace
}  // namespace kelo
