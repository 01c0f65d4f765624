// The Stock page's quantity columns take the host's decimal places (the read-only list pages
// are otherwise their scans, and are clicked through end to end).

#include <vector>

#include <gtest/gtest.h>

#include "host/data/GlobalBlock.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "src/pages/CReminderStock.h"
#include "src/pages/scans/StockScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

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
