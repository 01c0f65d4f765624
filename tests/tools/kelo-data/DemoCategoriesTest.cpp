// Every category of every task page lists at least two rows of the default demo company, for
// each demo user and at dates inside a year, on a leap day and near the start of the date range.
// The rows are counted by the pages' own scans; a few kinds of record the lists do not tell
// apart (part-paid bills, suspended and finished recurring entries, every sales order status)
// are counted from the records.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/BillRecord.h"
#include "host/data/RecurringRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/file/RecordFile.h"
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

// Calls fn for every live record of a data file.
template <typename Fn>
void eachRecord(DataContext& ctx, int file, Fn fn)
{
    DataFile data = ctx.File(file);
    std::vector<uint8_t> rec(data->recordLength);
    for (uint32_t n = 1; n <= RecCount(data); ++n)
        if (ReadRec(data, n, rec.data())) fn(rec.data());
}

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

    std::map<std::string, int> kinds;
    eachRecord(ctx, kFileBills, [&](const uint8_t* r) {
        const double paid = GetF64(r, kBillNetPaid) + GetF64(r, kBillTaxPaid);
        if (paid > 0.005 && GetF64(r, kBillNetAmount) + GetF64(r, kBillTaxAmount) - paid > 0.005)
            ++kinds["part paid bill"];
    });
    eachRecord(ctx, kFileRecurring, [&](const uint8_t* r) {
        const int total = GetI16(r, kRecurringTotalPostings);
        if (GetI8(r, kRecurringSuspended) == 1) ++kinds["suspended recurring entry"];
        else if (total > 0 && total == GetI16(r, kRecurringPostingsMade))
            ++kinds["finished recurring entry"];
    });
    eachRecord(ctx, kFileSalesOrders, [&](const uint8_t* r) {
        if (r[kSalesOrderCustomerName.offset] != 0xFF)
            ++kinds["sales order status " + std::to_string(GetI8(r, kSalesOrderStatus))];
    });
    for (std::string kind : {"part paid bill", "suspended recurring entry", "finished recurring entry"})
        EXPECT_GE(kinds[kind], 2) << kind;
    for (int status = 0; status <= 11; ++status)
        EXPECT_GE(kinds["sales order status " + std::to_string(status)], 2) << status;
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoCategories,
                         testing::Values("15/06/2027", "29/02/2028", "03/01/1902"));

}  // namespace
}  // namespace kelo
