// The four read-only list pages (Invoices, Sales Orders, Purchase Orders, Stock) as the main
// window makes them: their categories, a fill per category that yields after every record, no
// action of any kind, and the Stock page's quantity columns.

#include "src/pages/CReminderListPage.h"

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "host/data/GlobalBlock.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "src/pages/CReminderInvoices.h"
#include "src/pages/CReminderPOP.h"
#include "src/pages/CReminderSOP.h"
#include "src/pages/CReminderStock.h"
#include "src/pages/PageFactory.h"
#include "src/pages/scans/IndexedListScan.h"
#include "src/pages/scans/StockScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/scans/DocumentBuilder.h"

namespace kelo {
namespace {

struct PageCase {
    int command;
    int dialogId;
    int listId;
    std::vector<std::string> categories;
};

const PageCase kPages[] = {
    {32606, CReminderInvoices::kDialogId, 1007,
     {"Inv to Print", "Inv to Post", "Crd to Print", "Crd to Post"}},
    {32808, CReminderSOP::kDialogId, 2352,
     {"To Allocate", "Allocated, to Despatch", "Held", "Cancelled", "Completed"}},
    {32809, CReminderPOP::kDialogId, 2353, {"To Order", "To Deliver", "Cancelled", "Completed"}},
    {32810, CReminderStock::kDialogId, 2354,
     {"Out of Stock", "Below Reorder", "On Order", "Allocated"}},
};

class ListPageTest : public ::testing::TestWithParam<PageCase> {
protected:
    void SetUp() override
    {
        // Two records in every category of every page, three that no category lists.
        for (uint32_t n = 1; n <= 2; ++n) {
            for (int8_t type : {0, 3}) build.AddInvoice({.number = n * 10 + uint32_t(type), .type = type});
            build.AddInvoice({.number = 100 + n, .type = 5});
            for (int8_t status = 0; status <= 12; ++status) {
                build.AddSalesOrder({.number = n * 100 + uint32_t(status), .status = status});
                build.AddPurchaseOrder({.number = n * 100 + uint32_t(status), .status = status});
            }
            build.AddStockItem({.code = "ITEM" + std::to_string(n), .reorderLevel = 2, .onOrder = 1,
                                .allocated = 1});
            build.AddStockItem({.code = "SVC" + std::to_string(n), .type = 2, .onOrder = 1});
        }
    }
    void TearDown() override
    {
        if (page) page->DestroyWindow();
        test::DrainPostedEvents();
    }
    void Open()
    {
        page = PageFactory::Create(GetParam().command, services, nullptr, &tree);
        ASSERT_NE(page, nullptr);
        page->Create(nullptr);
        test::DrainPostedEvents();
    }
    void Choose(int item)
    {
        tree.SelectItem(item);
        page->OnCategorySelected(item, tree.GetItemValue(item));
        test::DrainPostedEvents();
    }

    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNE"};
    test::DocumentBuilder build{company.Context()};
    CKTreeView tree;
    CReminderPage* page = nullptr;
};

TEST_P(ListPageTest, CategoriesInOrderEachFillingItsOwnRowsYieldingAfterEveryRecord)
{
    services.backgroundFill = true;
    Open();
    const PageCase& p = GetParam();
    EXPECT_EQ(page->List()->GetDlgCtrlID(), p.listId);
    ASSERT_EQ(tree.ItemCount(), int(p.categories.size()));
    for (int item = 0; item < tree.ItemCount(); ++item) {
        SCOPED_TRACE(p.categories[size_t(item)]);
        EXPECT_EQ(tree.GetItemText(item).toStdString(), p.categories[size_t(item)]);
        if (item > 0) Choose(item);
        EXPECT_EQ(page->CategoryValue(), tree.GetItemValue(item));
        const CKColumnSet& columns = page->List()->Columns();
        ASSERT_GE(page->List()->RowCount(), 2) << "every category has its two records";
        for (int r = 0; r < page->List()->RowCount(); ++r)
            EXPECT_NE(IndexedRowBits(columns, page->List()->RowBytes(r)) & page->CategoryValue(), 0u);
        EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    }
    const int records = p.command == 32606 ? 6 : p.command == 32810 ? 4 : 26;
    EXPECT_EQ(services.yields, records * tree.ItemCount());
}

TEST_P(ListPageTest, NoActionOfAnyKind)
{
    CKScriptedAnswerer answers;
    Open();
    ASSERT_GT(page->List()->RowCount(), 0);
    EXPECT_EQ(page->ContextMenuId(), 0);
    EXPECT_EQ(page->CreateContextMenu(), nullptr);

    std::unique_ptr<QMenu> file(CReminderPage::LoadContextMenu(112));
    file->addAction(QStringLiteral("Properties"))->setData(kCommandProperties);
    page->UpdateCommandMenu(file.get());
    for (QAction* a : file->actions()) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();

    // Rows clicked, double-clicked or right-clicked open nothing: driven end to end.
    for (int command : {kCommandNew, kCommandOpen, kCommandDelete, kCommandPay, kCommandProperties})
        EXPECT_FALSE(page->OnCommand(command)) << command;
    EXPECT_EQ(answers.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, ListPageTest, testing::ValuesIn(kPages),
                         [](const testing::TestParamInfo<PageCase>& info) {
                             return std::to_string(info.param.command);
                         });

TEST(StockPage, QuantityColumnsFollowTheHostsDecimalPlaces)
{
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "OVERSEE"};
    std::vector<uint8_t> bytes(kGlobalBlockLength, 0);
    GlobalBlock block(bytes.data());
    services.block = block;
    for (const auto& [decimals, width] : {std::pair{0, 10}, std::pair{2, 12}, std::pair{4, 14}}) {
        block.SetI16(kGlobalQuantityDecimals, int16_t(decimals));
        CKTreeView tree;
        auto* page = new CReminderStock(services, nullptr, &tree);
        page->Create(nullptr);
        test::DrainPostedEvents();
        const CKColumn& qty = page->List()->Columns().Column(int(StockColumn::InStock));
        EXPECT_EQ(qty.decimals, decimals);
        EXPECT_EQ(qty.displayWidth, width);
        EXPECT_EQ(page->List()->Columns().Column(int(StockColumn::ReorderLevel)).displayWidth,
                  width + 4);
        page->DestroyWindow();
        test::DrainPostedEvents();
    }
}

}  // namespace
}  // namespace kelo
