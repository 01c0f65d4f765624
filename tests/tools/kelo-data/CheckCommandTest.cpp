// kelo-data check passes on the demo company, and finds every kind
// of damage the record API can leave: bad records, wrong index entries, broken chains, half
// written transactions and balances out of step, naming the file and the record or entry. One
// case per message: the chains of every file are walked by the same code; damage beneath the
// records (keys, notes blocks) is the byte-flip trials'.

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/NominalRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/StockRecord.h"
#include "host/file/RecordFile.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;
using Record = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

Record readRecord(DataContext& ctx, int file, uint32_t recno)
{
    Record rec(ctx.File(file)->recordLength);
    EXPECT_TRUE(ReadRec(ctx.File(file), recno, rec.data()));
    return rec;
}

// The demo as the tool makes it checks clean; after posted payments too, which the bill payment
// kill trial checks after every kill.
TEST(CheckCommand, PassesOnTheDemoMadeByTheTool)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    const auto made = RunKeloData({"demo", company, "--date", "15/06/2027", "--seed", "3"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("customers: 200 accounts"), std::string::npos) << made.out;
    const auto checked = RunKeloData({"check", company});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    EXPECT_NE(checked.out.find("every index right"), std::string::npos);
    EXPECT_NE(checked.out.find("every transaction whole and the balances agreed"), std::string::npos)
        << checked.out;
}

// The first record of a file whose 32-bit link field is set.
uint32_t firstLinked(DataContext& ctx, int file, const Field& link)
{
    for (uint32_t r = 1; r <= RecCount(ctx.File(file)); ++r)
        if (GetU32(readRecord(ctx, file, r).data(), link) != 0) return r;
    ADD_FAILURE() << "no record of file " << file << " sets " << link.name;
    return 0;
}

void change(DataContext& ctx, int file, uint32_t recno, const std::function<void(uint8_t*)>& fn)
{
    Record rec = readRecord(ctx, file, recno);
    fn(rec.data());
    WriteRec(ctx.File(file), recno, rec.data());
}

void setLink(DataContext& ctx, int file, uint32_t recno, const Field& link, uint32_t to)
{
    change(ctx, file, recno, [&](uint8_t* r) { SetU32(r, link, to); });
}

void setBalance(DataContext& ctx, int file, const char* code, const Field& field, double value)
{
    Record rec(ctx.File(file)->recordLength);
    const uint32_t recNo =
        FlashFindAccount(ctx, file == kFileBank ? kLedgerBank : kLedgerNominal, code, rec.data(), 0);
    ASSERT_NE(recNo, 0u);
    SetF64(rec.data(), field, value);
    WriteRec(ctx.File(file), recNo, rec.data());
}

std::string at(const char* file, int number, uint32_t recno)
{
    return std::string(file) + " (file " + std::to_string(number) + ") record " +
           std::to_string(recno) + ": ";
}

constexpr uint32_t kNowhere = 4000000;

// Each case damages the demo and gives the texts the report must hold.
struct Damage {
    const char* name;
    std::function<Texts(DataContext&)> apply;
};

const Damage kDamage[] = {
    {"one flipped bit in a stored record",
     [](DataContext& ctx) -> Texts {
         std::string stored = test::StoredRecord(ctx, kFileSplits, 40);
         stored[stored.size() - 3] ^= 0x04;
         test::PlantRawRecord(ctx, kFileSplits, 40, stored);
         return {"SPLIT.DTA (file 36) record 40", "is damaged"};
     }},
    {"index entry pointing nowhere",
     [](DataContext& ctx) -> Texts {
         AddKey(ctx.File(kFileCustomerIndex), BuildAccountKey("NOWHERE").data(), 9999, 0, 1);
         return {"SALES.IDX (file 13) entry", "NOWHERE",
                 "points at record 9999, which SALES.DTA does not hold"};
     }},
    {"live record without its key",
     [](DataContext& ctx) -> Texts {
         const Record rec = readRecord(ctx, kFileStock, 3);
         const StockKey key = BuildStockKey(GetText(rec.data(), kStockCode), 3);
         DeleteKey(ctx.File(kFileStockIndex), key.data(), 0, 1);
         return {"STOCK.DTA (file 52) record 3: has no entry in STOCK.IDX"};
     }},
    {"index entry of a deleted record",
     [](DataContext& ctx) -> Texts {
         Record rec(kInvoiceLength, 0xFF);
         WriteRec(ctx.File(kFileInvoices), 3, rec.data());
         return {"INVOICE.IDX (file 51) entry", "points at deleted record 3"};
     }},
    {"record changed without its key",
     [](DataContext& ctx) -> Texts {
         change(ctx, kFileCustomers, 2, [](uint8_t* r) { SetText(r, kAccountReference, "RENAMED"); });
         return {"SALES.IDX (file 13) entry", "record 2 has the key \"RENAMED ",
                 "SALES.DTA (file 8) record 2: has no entry"};
     }},
    {"missing file",
     [](DataContext& ctx) -> Texts {
         FileDelete(ctx.File(kFileBills));
         return {"BILLS.DTA (file 46): missing"};
     }},
    // The links the pages follow: an account's headers, a header's splits, a split's allocations.
    {"account first header missing",
     [](DataContext& ctx) -> Texts {
         const uint32_t a = firstLinked(ctx, kFileCustomers, kAccountFirstHeader);
         setLink(ctx, kFileCustomers, a, kAccountFirstHeader, kNowhere);
         return {at("SALES.DTA", 8, a) + "first_header 4000000 is not a record of HEADER.DTA"};
     }},
    {"header chain loops",
     [](DataContext& ctx) -> Texts {
         const uint32_t a = firstLinked(ctx, kFileCustomers, kAccountFirstHeader);
         const uint32_t h = GetU32(readRecord(ctx, kFileCustomers, a).data(), kAccountFirstHeader);
         setLink(ctx, kFileAuditHeaders, h, kHeaderNextHeader, h);
         return {at("HEADER.DTA", 12, h) + "next_header " + std::to_string(h) +
                 " loops back into the chain of SALES.DTA (file 8) record " + std::to_string(a)};
     }},
    {"first split missing",
     [](DataContext& ctx) -> Texts {
         const uint32_t h = firstLinked(ctx, kFileAuditHeaders, kHeaderFirstSplit);
         setLink(ctx, kFileAuditHeaders, h, kHeaderFirstSplit, kNowhere);
         return {"transaction of header " + std::to_string(h) +
                 ": first split 4000000 does not exist"};
     }},
    {"split chain loops",
     [](DataContext& ctx) -> Texts {
         const uint32_t h = firstLinked(ctx, kFileAuditHeaders, kHeaderFirstSplit);
         const uint32_t s = GetU32(readRecord(ctx, kFileAuditHeaders, h).data(), kHeaderFirstSplit);
         setLink(ctx, kFileSplits, s, kSplitNextSplit, s);
         return {"transaction of header " + std::to_string(h) + ": split " + std::to_string(s) +
                 " is already part of header " + std::to_string(h)};
     }},
    // Transactions and balances left half written.
    {"split pointing at another header",
     [](DataContext& ctx) -> Texts {
         setLink(ctx, kFileSplits, 1, kSplitHeader, 2);
         return {"transaction of header 1: split 1 points at header 2"};
     }},
    {"split amount changed without its header",
     [](DataContext& ctx) -> Texts {
         change(ctx, kFileSplits, 1,
                [](uint8_t* s) { SetF64(s, kSplitNetAmount, GetF64(s, kSplitNetAmount) + 1); });
         return {"transaction of header 1: splits total"};
     }},
    {"split outside every transaction",
     [](DataContext& ctx) -> Texts {
         const uint32_t recNo = RecCount(ctx.File(kFileSplits)) + 1;
         Record s = readRecord(ctx, kFileSplits, 1);
         SetU32(s.data(), kSplitNextSplit, 0);
         WriteRec(ctx.File(kFileSplits), recNo, s.data());
         const TransactionKey key = BuildTransactionKey(GetU32(s.data(), kSplitTransactionNumber));
         AddKey(ctx.File(kFileTransactionIndex), key.data(), recNo, 0, 0);
         return {": part of no transaction"};
     }},
    {"transaction number used twice",
     [](DataContext& ctx) -> Texts {
         const uint32_t first = GetU32(readRecord(ctx, kFileAuditHeaders, 2).data(), kHeaderFirstSplit);
         for (uint32_t s = first; s != 0;
              s = GetU32(readRecord(ctx, kFileSplits, s).data(), kSplitNextSplit))
             setLink(ctx, kFileSplits, s, kSplitTransactionNumber, 1);
         return {"transaction of header 2: transaction number 1 is also header 1's"};
     }},
    {"bank balance out of step with its nominal account",
     [](DataContext& ctx) -> Texts {
         setBalance(ctx, kFileBank, "1200", kBankBalance, 10);
         return {"bank account 1200: balance 10.00, its nominal account 0.00"};
     }},
    {"nominal ledger out of balance",
     [](DataContext& ctx) -> Texts {
         setBalance(ctx, kFileNominal, "7100", kNominalBalance, 5);
         return {"nominal ledger: balances sum to 5.00, not 0.00"};
     }},
};

class CheckFindsDamage : public testing::TestWithParam<Damage> {};

TEST_P(CheckFindsDamage, ReportsItAndFails)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    test::MakeDemo(company);
    Texts reported;
    {
        DataContext ctx = DataContext::Open(company);
        reported = GetParam().apply(ctx);
    }
    const auto run = RunKeloData({"check", company});
    EXPECT_EQ(run.exitCode, 1);
    for (const std::string& text : reported)
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

}  // namespace
}  // namespace kelo
