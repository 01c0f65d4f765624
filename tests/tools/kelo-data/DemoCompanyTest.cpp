// The demo company is the same for the same options, carries the settings the rest of the
// system expects and lists rows in every category for every user (that its chains,
// transactions and balances hang together is kelo-data check's, run on it by CheckCommandTest).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "src/pages/scans/TaskScan.h"
#include "host/util/Dates.h"
#include "host/data/SetupRecord.h"
#include "host/data/TaxControlRecord.h"
#include "tests/host/file/TempCompany.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

using Rec = std::vector<uint8_t>;

// Every stored byte of a company, file by file, in a form two companies can be compared by.
std::vector<std::string> contents(DataContext& ctx)
{
    std::vector<std::string> out;
    for (const FileInfo& info : AllFiles()) {
        DataFile f = ctx.File(info.number);
        std::string all = std::to_string(RecCount(f)) + ":";
        if (info.kind == FileKind::Notes) {
            for (uint32_t n = 1; n <= RecCount(f); ++n) all += ReadMemoText(f, int32_t(n)) + "|";
        } else {
            Rec rec(info.recordLength + 4);
            for (uint32_t n = 1; n <= RecCount(f); ++n)
                if (ReadRec(f, n, rec.data())) all.append(rec.begin(), rec.end());
        }
        out.push_back(std::move(all));
    }
    return out;
}

std::vector<std::string> makeContents(uint64_t seed, uint16_t date)
{
    test::TempCompany company;
    demo::DemoOptions options;
    options.seed = seed;
    options.date = date;
    demo::MakeDemoCompany(company.Context(), options);
    return contents(company.Context());
}

TEST(DemoCompany, SameSeedAndDateGiveTheSameBytesAnotherGivesOtherData)
{
    const uint16_t date = DateStringToNumber("15/06/2027");
    const auto a = makeContents(7, date);
    EXPECT_EQ(a, makeContents(7, date));
    EXPECT_NE(a, makeContents(8, date));
    EXPECT_NE(a, makeContents(7, uint16_t(date + 1)));
}

// The financial year holds the program date, and the tax codes carry the rates the bills use.
TEST(DemoCompany, FinancialYearAndTaxRates)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    demo::DemoOptions options;
    options.date = DateStringToNumber("15/06/2027");
    demo::MakeDemoCompany(ctx, options);
    Rec setup(kSetupLength), tax(kTaxControlLength);
    ASSERT_TRUE(ReadRec(ctx.File(kFileSetup), 1, setup.data()));
    EXPECT_FALSE(IsDateOutsideFYear(options.date, GetU16(setup.data(), kSetupFinancialYearStart)));
    ASSERT_TRUE(ReadRec(ctx.File(kFileTaxControl), 1, tax.data()));
    const double rates[10] = {0, 20, 0, 0, 0, 5, 0, 0, 20, 0};
    for (int code = 0; code < 10; ++code) EXPECT_DOUBLE_EQ(TaxRate(tax.data(), code), rates[code]) << code;
}

struct RowCount final : ScanSink {
    void AddRow(std::span<const uint8_t>) override { ++rows; }
    int rows = 0;
};

class DemoCategories : public testing::TestWithParam<const char*> {};

// Every category of every task page lists at least two rows, counted by the pages' own scans,
// for each demo user and at dates inside a year, on a leap day and near the start of the range.
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
