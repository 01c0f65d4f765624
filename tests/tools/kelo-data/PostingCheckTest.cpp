// kelo-data check on the audit trail: the postings TransactionPost makes pass, and a transaction
// or balance left half written is reported.

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/SplitRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/TransactionPost.h"
#include "host/util/Dates.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;
using Record = std::vector<uint8_t>;

void makeDemo(const std::string& folder)
{
    DataContext ctx = DataContext::Create(folder);
    demo::DemoOptions options;
    options.date = DateStringToNumber("15/06/2027");
    demo::MakeDemoCompany(ctx, options);
}

Record read(DataContext& ctx, int file, uint32_t recNo)
{
    Record rec(ctx.File(file)->recordLength);
    EXPECT_TRUE(ReadRec(ctx.File(file), recNo, rec.data()));
    return rec;
}

// A bill payment as the payment dialog hands it over: 1200 pays 7100.
uint32_t payRent(DataContext& ctx, double net, double tax)
{
    CBBusContext bus(ctx, "OVERSEE");
    Record header(kAuditHeaderLength, 0), split(kSplitLength, 0), bank(kBankLength, 0);
    FlashFindAccount(ctx, kLedgerBank, "1200", bank.data(), 0);
    SetU8(header.data(), kHeaderType, kTypeBankPayment);
    SetText(header.data(), kHeaderBankCode, "1200");
    SetText(header.data(), kHeaderReference, "RENT");
    SetText(header.data(), kHeaderDetails, "Warehouse rent");
    SetU16(header.data(), kHeaderDate, DateStringToNumber("14/06/2027"));
    SetU8(split.data(), kSplitType, kTypeBankPayment);
    SetText(split.data(), kSplitNominalCode, "7100");
    SetI32(split.data(), kSplitTaxCode, 1);
    SetF64(split.data(), kSplitNetAmount, net);
    SetF64(split.data(), kSplitTaxAmount, tax);
    return TransactionPost(bus, header.data(), 0, bank.data(), 1, split.data(), 1, 0, 0);
}

TEST(PostingCheck, PassesAfterPaymentsArePosted)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    makeDemo(company);
    {
        DataContext ctx = DataContext::Open(company);
        ASSERT_NE(payRent(ctx, 1500.00, 300.00), 0u);
        ASSERT_NE(payRent(ctx, 0.00, 12.34), 0u);
    }
    const auto run = RunKeloData({"check", company});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("every transaction whole and the balances agreed"), std::string::npos)
        << run.out;
}

struct Damage {
    const char* name;
    std::function<void(DataContext&)> apply;
    const char* reported;
};

void changeSplit(DataContext& ctx, uint32_t recNo, const std::function<void(uint8_t*)>& change)
{
    Record s = read(ctx, kFileSplits, recNo);
    change(s.data());
    WriteRec(ctx.File(kFileSplits), recNo, s.data());
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

const Damage kDamage[] = {
    {"split pointing at another header",
     [](DataContext& ctx) { changeSplit(ctx, 1, [](uint8_t* s) { SetU32(s, kSplitHeader, 2); }); },
     "transaction of header 1: split 1 points at header 2"},
    {"split amount changed without its header",
     [](DataContext& ctx) {
         changeSplit(ctx, 1, [](uint8_t* s) { SetF64(s, kSplitNetAmount, GetF64(s, kSplitNetAmount) + 1); });
     },
     "transaction of header 1: splits total"},
    {"first split missing",
     [](DataContext& ctx) {
         Record h = read(ctx, kFileAuditHeaders, 3);
         SetU32(h.data(), kHeaderFirstSplit, 99999999);
         WriteRec(ctx.File(kFileAuditHeaders), 3, h.data());
     },
     "transaction of header 3: first split 99999999 does not exist"},
    {"split outside every transaction",
     [](DataContext& ctx) {
         const uint32_t recNo = RecCount(ctx.File(kFileSplits)) + 1;
         Record s = read(ctx, kFileSplits, 1);
         SetU32(s.data(), kSplitNextSplit, 0);
         WriteRec(ctx.File(kFileSplits), recNo, s.data());
         const TransactionKey key = BuildTransactionKey(GetU32(s.data(), kSplitTransactionNumber));
         AddKey(ctx.File(kFileTransactionIndex), key.data(), recNo, 0, 0);
     },
     ": part of no transaction"},
    {"transaction number used twice",
     [](DataContext& ctx) {
         const uint32_t split = GetU32(read(ctx, kFileAuditHeaders, 2).data(), kHeaderFirstSplit);
         for (uint32_t s = split; s != 0; s = GetU32(read(ctx, kFileSplits, s).data(), kSplitNextSplit))
             changeSplit(ctx, s, [](uint8_t* rec) { SetU32(rec, kSplitTransactionNumber, 1); });
     },
     "transaction of header 2: transaction number 1 is also header 1's"},
    {"bank balance out of step with its nominal account",
     [](DataContext& ctx) { setBalance(ctx, kFileBank, "1200", kBankBalance, 10); },
     "bank account 1200: balance 10.00, its nominal account 0.00"},
    {"nominal ledger out of balance",
     [](DataContext& ctx) { setBalance(ctx, kFileNominal, "7100", kNominalBalance, 5); },
     "nominal ledger: balances sum to 5.00, not 0.00"},
};

class PostingCheckFindsDamage : public testing::TestWithParam<Damage> {};

TEST_P(PostingCheckFindsDamage, ReportsItAndFails)
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
    EXPECT_NE(run.out.find(GetParam().reported), std::string::npos)
        << "missing \"" << GetParam().reported << "\" in:\n" << run.out;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PostingCheckFindsDamage, testing::ValuesIn(kDamage),
                         [](const testing::TestParamInfo<Damage>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
}  // namespace kelo
