// kelo-data check passes on the demo company and finds every kind of damage the record API can
// leave, naming the file and the record or index entry.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/StockRecord.h"
#include "tests/host/file/TempCompany.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;

void makeDemo(const std::string& folder)
{
    DataContext ctx = DataContext::Create(folder);
    demo::DemoOptions options;
    options.date = DateStringToNumber("15/06/2027");
    demo::MakeDemoCompany(ctx, options);
}

TEST(CheckCommand, PassesOnTheDemoCompanyMadeByTheTool)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    const auto made = RunKeloData({"demo", company, "--date", "15/06/2027", "--seed", "3"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("customers: 200 accounts"), std::string::npos) << made.out;
    const auto checked = RunKeloData({"check", company});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    EXPECT_NE(checked.out.find("every index right"), std::string::npos);
}

struct Damage {
    const char* name;
    std::function<void(DataContext&)> apply;
    std::vector<std::string> reported;  // every text must be in the report
};

std::vector<uint8_t> readRecord(DataContext& ctx, int file, uint32_t recno)
{
    std::vector<uint8_t> rec(ctx.File(file)->recordLength);
    EXPECT_TRUE(ReadRec(ctx.File(file), recno, rec.data()));
    return rec;
}

const Damage kDamage[] = {
    {"record of the wrong length",
     [](DataContext& ctx) {
         test::PlantRawRecord(ctx, kFileAuditHeaders, 5, std::string(100, '\1'));
     },
     {"HEADER.DTA (file 12) record 5", "is damaged"}},
    {"one flipped bit in a stored record",
     [](DataContext& ctx) {
         std::string stored = test::StoredRecord(ctx, kFileSplits, 40);
         stored[stored.size() - 3] ^= 0x04;
         test::PlantRawRecord(ctx, kFileSplits, 40, stored);
     },
     {"SPLIT.DTA (file 36) record 40", "is damaged"}},
    {"index entry pointing nowhere",
     [](DataContext& ctx) {
         const AccountKey key = BuildAccountKey("NOWHERE");
         AddKey(ctx.File(kFileCustomerIndex), key.data(), 9999, 0, 1);
     },
     {"SALES.IDX (file 13) entry", "NOWHERE", "points at record 9999, which SALES.DTA does not hold"}},
    {"live record without its key",
     [](DataContext& ctx) {
         const auto rec = readRecord(ctx, kFileStock, 3);
         const StockKey key = BuildStockKey(GetText(rec.data(), kStockCode), 3);
         DeleteKey(ctx.File(kFileStockIndex), key.data(), 0, 1);
     },
     {"STOCK.DTA (file 52) record 3: has no entry in STOCK.IDX"}},
    {"index entry of a deleted record",
     [](DataContext& ctx) {
         std::vector<uint8_t> rec(kInvoiceLength, 0xFF);
         WriteRec(ctx.File(kFileInvoices), 3, rec.data());
     },
     {"INVOICE.IDX (file 51) entry", "points at deleted record 3"}},
    {"record changed without its key",
     [](DataContext& ctx) {
         auto rec = readRecord(ctx, kFileCustomers, 2);
         SetText(rec.data(), kAccountReference, "RENAMED");
         WriteRec(ctx.File(kFileCustomers), 2, rec.data());
     },
     {"SALES.IDX (file 13) entry", "record 2 has the key \"RENAMED ", "SALES.DTA (file 8) record 2: has no entry"}},
    {"split without its transaction number",
     [](DataContext& ctx) {
         const TransactionKey key = BuildTransactionKey(1);
         DeleteKey(ctx.File(kFileTransactionIndex), key.data(), 0, 1);
     },
     {"SPLIT.DTA (file 36) record 1: has no entry in TRANNO.IDX"}},
    {"missing file",
     [](DataContext& ctx) { FileDelete(ctx.File(kFileBills)); },
     {"BILLS.DTA (file 46): missing"}},
};

class CheckFindsDamage : public testing::TestWithParam<Damage> {};

TEST_P(CheckFindsDamage, ReportsItAndFails)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    makeDemo(company);
    {
        DataContext ctx = DataContext::Open(company);
        GetParam().apply(ctx);
    }
    const auto run = RunKeloData({"check", company});
    EXPECT_EQ(run.exitCode, 1);
    for (const std::string& text : GetParam().reported)
        EXPECT_NE(run.out.find(text), std::string::npos) << "missing \"" << text << "\" in:\n" << run.out;
    EXPECT_NE(run.err.find("problem"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Kinds, CheckFindsDamage, testing::ValuesIn(kDamage),
                         [](const testing::TestParamInfo<Damage>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

// Links the pages follow: an account's headers, a header's splits, a split's allocations. Each
// case breaks one link of the demo and says what the report must name, record numbers included.
struct BrokenLink {
    const char* name;
    std::function<std::vector<std::string>(DataContext&)> apply;
};

// The first record of a file whose 32-bit link field is set.
uint32_t FirstLinked(DataContext& ctx, int file, const Field& link)
{
    for (uint32_t r = 1; r <= RecCount(ctx.File(file)); ++r)
        if (GetU32(readRecord(ctx, file, r).data(), link) != 0) return r;
    ADD_FAILURE() << "no record of file " << file << " sets " << link.name;
    return 0;
}

void SetLink(DataContext& ctx, int file, uint32_t recno, const Field& link, uint32_t to)
{
    auto rec = readRecord(ctx, file, recno);
    SetU32(rec.data(), link, to);
    WriteRec(ctx.File(file), recno, rec.data());
}

std::string At(const char* file, int number, uint32_t recno)
{
    return std::string(file) + " (file " + std::to_string(number) + ") record " +
           std::to_string(recno) + ": ";
}

constexpr uint32_t kNowhere = 4000000;

const BrokenLink kBrokenLinks[] = {
    {"account first header missing",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t a = FirstLinked(ctx, kFileCustomers, kAccountFirstHeader);
         SetLink(ctx, kFileCustomers, a, kAccountFirstHeader, kNowhere);
         return {At("SALES.DTA", 8, a) + "first_header 4000000 is not a record of HEADER.DTA"};
     }},
    {"next header missing",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t h = FirstLinked(ctx, kFileAuditHeaders, kHeaderNextHeader);
         SetLink(ctx, kFileAuditHeaders, h, kHeaderNextHeader, kNowhere);
         return {At("HEADER.DTA", 12, h) + "next_header 4000000 is not a record of HEADER.DTA"};
     }},
    {"header chain loops",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t a = FirstLinked(ctx, kFileCustomers, kAccountFirstHeader);
         const uint32_t h = GetU32(readRecord(ctx, kFileCustomers, a).data(), kAccountFirstHeader);
         SetLink(ctx, kFileAuditHeaders, h, kHeaderNextHeader, h);
         return {At("HEADER.DTA", 12, h) + "next_header " + std::to_string(h) +
                 " loops back into the chain of SALES.DTA (file 8) record " + std::to_string(a)};
     }},
    // A header's splits are the transaction check's; it names the header and the split.
    {"first split missing",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t h = FirstLinked(ctx, kFileAuditHeaders, kHeaderFirstSplit);
         SetLink(ctx, kFileAuditHeaders, h, kHeaderFirstSplit, kNowhere);
         return {"transaction of header " + std::to_string(h) +
                 ": first split 4000000 does not exist"};
     }},
    {"split chain loops",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t h = FirstLinked(ctx, kFileAuditHeaders, kHeaderFirstSplit);
         const uint32_t s = GetU32(readRecord(ctx, kFileAuditHeaders, h).data(), kHeaderFirstSplit);
         SetLink(ctx, kFileSplits, s, kSplitNextSplit, s);
         return {"transaction of header " + std::to_string(h) + ": split " + std::to_string(s) +
                 " is already part of header " + std::to_string(h)};
     }},
    {"first allocation missing",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t s = FirstLinked(ctx, kFileSplits, kSplitFirstAllocation);
         SetLink(ctx, kFileSplits, s, kSplitFirstAllocation, kNowhere);
         return {At("SPLIT.DTA", 36, s) + "first_allocation 4000000 is not a record of ALLOC.DTA"};
     }},
    {"allocation chain loops",
     [](DataContext& ctx) -> std::vector<std::string> {
         const uint32_t s = FirstLinked(ctx, kFileSplits, kSplitFirstAllocation);
         const uint32_t a = GetU32(readRecord(ctx, kFileSplits, s).data(), kSplitFirstAllocation);
         SetLink(ctx, kFileAllocations, a, kAllocationNext, a);
         return {At("ALLOC.DTA", 37, a) + "next_allocation " + std::to_string(a) +
                 " loops back into the chain of SPLIT.DTA (file 36) record " + std::to_string(s)};
     }},
};

class CheckFindsBrokenLinks : public testing::TestWithParam<BrokenLink> {};

TEST_P(CheckFindsBrokenLinks, ReportsEachWithFileAndRecordAndFails)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    makeDemo(company);
    std::vector<std::string> reported;
    {
        DataContext ctx = DataContext::Open(company);
        reported = GetParam().apply(ctx);
    }
    const auto run = RunKeloData({"check", company});
    EXPECT_EQ(run.exitCode, 1);
    for (const std::string& text : reported)
        EXPECT_NE(run.out.find(text), std::string::npos) << "missing \"" << text << "\" in:\n" << run.out;
}

INSTANTIATE_TEST_SUITE_P(Links, CheckFindsBrokenLinks, testing::ValuesIn(kBrokenLinks),
                         [](const testing::TestParamInfo<BrokenLink>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
}  // namespace kelo
