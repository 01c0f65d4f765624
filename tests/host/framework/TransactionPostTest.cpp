#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "../file/TempCompany.h"
#include "PostingLedger.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/SplitRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/TransactionPost.h"

namespace kelo {
namespace {

using Record = std::vector<uint8_t>;

struct Line {
    const char* nominal;
    double net;
    double tax;
    int taxCode;
};

class TransactionPostTest : public ::testing::Test {
protected:
    TransactionPostTest() : m_ledger(m_co.Context()), m_bus(m_co.Context(), "CLERK")
    {
        m_ledger.Standard();
    }

    Record Header(uint8_t type, const char* bank)
    {
        Record h(kAuditHeaderLength, 0);
        SetU8(h.data(), kHeaderType, type);
        SetText(h.data(), kHeaderBankCode, bank);
        SetU16(h.data(), kHeaderDate, 46000);
        return h;
    }

    Record Splits(uint8_t type, std::initializer_list<Line> lines)
    {
        Record all;
        for (const Line& l : lines) {
            Record s(kSplitLength, 0);
            SetU8(s.data(), kSplitType, type);
            SetText(s.data(), kSplitNominalCode, l.nominal);
            SetI32(s.data(), kSplitTaxCode, l.taxCode);
            SetF64(s.data(), kSplitNetAmount, l.net);
            SetF64(s.data(), kSplitTaxAmount, l.tax);
            all.insert(all.end(), s.begin(), s.end());
        }
        return all;
    }

    uint32_t Post(const Record& header, const Record& bank, const Record& splits)
    {
        return TransactionPost(m_bus, header.data(), 0, bank.data(), 1, splits.data(),
                               int(splits.size() / kSplitLength), 0, 0);
    }

    Record Read(int file, uint32_t recNo, uint32_t length)
    {
        Record r(length, 0);
        EXPECT_TRUE(ReadRec(m_co.Context().File(file), recNo, r.data()));
        return r;
    }

    uint32_t Count(int file) { return RecCount(m_co.Context().File(file)); }

    test::TempCompany m_co;
    test::PostingLedger m_ledger;
    CBBusContext m_bus;
};

// What the caller gave is stored as given (the bill payment's tests read it back); here what
// the posting works out itself: the number, the totals, the links and the balances.
TEST_F(TransactionPostTest, PaymentWritesHeaderSplitIndexAndMovesBalances)
{
    // An earlier transaction numbered 41 already in the index.
    AddKey(m_co.Context().File(kFileTransactionIndex), BuildTransactionKey(41).data(), 1, 0, 0);
    const uint32_t number = Post(Header(kTypeBankPayment, "1200"), m_ledger.BankRecord("1200"),
                                 Splits(kTypeBankPayment, {{"7100", 100.00, 20.00, 1}}));
    ASSERT_EQ(number, 42u);

    ASSERT_EQ(Count(kFileAuditHeaders), 1u);
    const Record h = Read(kFileAuditHeaders, 1, kAuditHeaderLength);
    EXPECT_EQ(GetText(h.data(), kHeaderAccountReference), "1200");
    EXPECT_DOUBLE_EQ(GetF64(h.data(), kHeaderNetAmount), 100.00);
    EXPECT_DOUBLE_EQ(GetF64(h.data(), kHeaderTaxAmount), 20.00);
    EXPECT_DOUBLE_EQ(GetF64(h.data(), kHeaderAmountPaid), 120.00);
    EXPECT_EQ(GetU32(h.data(), kHeaderFirstSplit), 1u);
    const Record s = Read(kFileSplits, 1, kSplitLength);
    EXPECT_EQ(GetU32(s.data(), kSplitHeader), 1u);
    EXPECT_EQ(GetU32(s.data(), kSplitTransactionNumber), 42u);
    EXPECT_EQ(FindKey(m_co.Context().File(kFileTransactionIndex), BuildTransactionKey(42).data(), 0),
              1u);

    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("7100"), 100.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("2201"), 20.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("2200"), 0.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("1200"), -120.00);
    EXPECT_DOUBLE_EQ(m_ledger.BankBalance("1200"), -120.00);
}

TEST_F(TransactionPostTest, SplitsChainAndEachHasAnIndexEntry)
{
    ASSERT_EQ(Post(Header(kTypeCardPayment, "1240"), m_ledger.BankRecord("1240"),
                   Splits(kTypeCardPayment, {{"7100", 10.005, 0, 0}, {"7200", 50, 2.5, 5}})),
              1u);  // an empty index starts at 1
    const Record h = Read(kFileAuditHeaders, 1, kAuditHeaderLength);
    EXPECT_DOUBLE_EQ(GetF64(h.data(), kHeaderNetAmount), 60.01);
    EXPECT_DOUBLE_EQ(GetF64(h.data(), kHeaderTaxAmount), 2.50);
    EXPECT_EQ(GetU32(Read(kFileSplits, 1, kSplitLength).data(), kSplitNextSplit), 2u);
    EXPECT_EQ(GetU32(Read(kFileSplits, 2, kSplitLength).data(), kSplitNextSplit), 0u);
    EXPECT_EQ(GetU32(Read(kFileSplits, 2, kSplitLength).data(), kSplitTransactionNumber), 1u);
    EXPECT_EQ(RecCount(m_co.Context().File(kFileTransactionIndex)), 2u);
    EXPECT_DOUBLE_EQ(m_ledger.BankBalance("1240"), -62.51);
}

TEST_F(TransactionPostTest, ReceiptCreditsTheNominalAndTheSalesTax)
{
    ASSERT_NE(Post(Header(kTypeCashReceipt, "1230"), m_ledger.BankRecord("1230"),
                   Splits(kTypeCashReceipt, {{"7100", 40, 8, 1}})),
              0u);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("7100"), -40.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("2200"), -8.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("2201"), 0.00);
    EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("1230"), 48.00);
    EXPECT_DOUBLE_EQ(m_ledger.BankBalance("1230"), 48.00);
}

TEST_F(TransactionPostTest, RefusalsWriteNothing)
{
    struct Case {
        const char* what;
        std::function<void(Record& header, Record& bank, Record& splits)> spoil;
    };
    const Case cases[] = {
        {"a sales invoice", [](Record& h, Record&, Record&) { SetU8(h.data(), kHeaderType, 1); }},
        {"date 0", [](Record& h, Record&, Record&) { SetU16(h.data(), kHeaderDate, 0); }},
        {"header names another bank", [](Record& h, Record&, Record&) { SetText(h.data(), kHeaderBankCode, "1230"); }},
        {"nominal account missing", [](Record&, Record&, Record& s) { SetText(s.data(), kSplitNominalCode, "7999"); }},
        {"net not a number",
         [](Record&, Record&, Record& s) { SetF64(s.data(), kSplitNetAmount, std::nan("")); }},
        {"no splits", [](Record&, Record&, Record& s) { s.clear(); }},
        // Last, since it stays: tax with no tax control account to post it to.
        {"no tax control account", [this](Record&, Record&, Record&) { m_ledger.TaxControl(0, 0, {0.0, 20.0}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Record header = Header(kTypeBankPayment, "1200");
        Record bank = m_ledger.BankRecord("1200");
        Record splits = Splits(kTypeBankPayment, {{"7100", 100, 20, 1}});
        c.spoil(header, bank, splits);
        EXPECT_EQ(Post(header, bank, splits), 0u);
        EXPECT_EQ(Count(kFileAuditHeaders), 0u);
        EXPECT_EQ(Count(kFileSplits), 0u);
        EXPECT_EQ(RecCount(m_co.Context().File(kFileTransactionIndex)), 0u);
        EXPECT_DOUBLE_EQ(m_ledger.NominalBalance("7100"), 0);
        EXPECT_DOUBLE_EQ(m_ledger.BankBalance("1200"), 0);
    }
    // More than one bank, or none.
    const Record header = Header(kTypeBankPayment, "1200");
    const Record bank = m_ledger.BankRecord("1200");
    const Record splits = Splits(kTypeBankPayment, {{"7100", 100, 20, 1}});
    EXPECT_EQ(TransactionPost(m_bus, header.data(), 0, bank.data(), 2, splits.data(), 1, 0, 0), 0u);
    EXPECT_EQ(TransactionPost(m_bus, header.data(), 0, nullptr, 1, splits.data(), 1, 0, 0), 0u);
    EXPECT_EQ(Count(kFileAuditHeaders), 0u);
    // Without tax the control account is not needed.
    EXPECT_NE(Post(header, bank, Splits(kTypeBankPayment, {{"7100", 100, 0, 0}})), 0u);
}

}  // namespace
}  // namespace kelo
