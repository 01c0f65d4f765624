// Every category of every task page lists at least two rows of the default demo company, for
// each demo user and at dates inside a year, on a leap day and near the start of the date range.
// The rows are counted by the pages' own scans.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/framework/CBAccessManager.h"
#include "host/util/Dates.h"
#include "src/pages/scans/TaskScan.h"
#include "tests/host/file/TempCompany.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

struct RowCount final : ScanSink {
    void AddRow(std::span<const uint8_t>) override { ++rows; }
    int rows = 0;
};

class DemoCategories : public testing::TestWithParam<const char*> {};

TEST_P(DemoCategories, EveryCategoryOfEveryPageHasAtLeastTwoRows)
{
    const uint16_t today = DateStringToNumber(GetParam());
    ASSERT_NE(today, 0);
    test::TempCompany company;
    DataContext& ctx = company.Context();
    demo::DemoOptions options;
    options.date = today;
    demo::MakeDemoCompany(ctx, options);

    for (const std::string user : {"OVERSEE", "ANNE", "TOM"}) {
        const CBAccessManager access(ctx, user);
        for (const TaskScan& task : AllTaskScans())
            for (const TaskCategory& category : task.categories(user, access)) {
                RowCount count;
                task.scan(ScanInput{ctx, category.bit, today, user}, count);
                EXPECT_GE(count.rows, 2) << user << ", " << task.name << ": " << category.text;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoCategories,
                         testing::Values("15/06/2027", "29/02/2028", "03/01/1902"));

}  // namespace
}  // namespace kelo
