// Walks that follow accounts' header chains inside one transaction, as the Accounts Due fill
// does: on the server such walks are read ahead along the chains, and must still see every
// record exactly as written, and what the transaction itself writes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempCompany.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/file/RecordFile.h"

namespace kelo {
namespace {

using test::TempCompany;

// Accounts 1..accounts; header h belongs to account (h - 1) % accounts + 1 and names the next
// header of its account, so every chain runs across the whole file. `cut` ends chains early by
// naming a header that was never written.
struct Ledger {
    uint32_t accounts;
    uint32_t headers;
    uint32_t cut = 0;  // this header names a missing record instead of its successor
};

std::vector<uint8_t> header(uint32_t h, uint32_t next)
{
    std::vector<uint8_t> rec(kAuditHeaderLength);
    for (size_t i = 0; i < rec.size(); ++i) rec[i] = uint8_t(h * 7 + i);
    SetU32(rec.data(), kHeaderNextHeader, next);
    return rec;
}

void write(DataContext& ctx, const Ledger& l)
{
    FileEnvironment& env = ctx.Environment();
    store::Txn* txn = env.PushTxn(true);
    std::vector<uint8_t> account(kAccountLength, 0);
    for (uint32_t a = 1; a <= l.accounts; ++a) {
        SetU32(account.data(), kAccountFirstHeader, a <= l.headers ? a : 0);
        WriteRec(ctx.File(kFileCustomers), a, account.data());
    }
    for (uint32_t h = 1; h <= l.headers; ++h) {
        const uint32_t next = h == l.cut ? l.headers + 100 : h + l.accounts <= l.headers ? h + l.accounts : 0;
        WriteRec(ctx.File(kFileAuditHeaders), h, header(h, next).data());
    }
    env.ReleaseTxn(txn, true);
}

// Every account's chain, in account order, checking each header's bytes on the way.
std::vector<uint32_t> walk(DataContext& ctx, uint32_t accounts)
{
    std::vector<uint32_t> seen;
    std::vector<uint8_t> account(kAccountLength), h(kAuditHeaderLength);
    for (uint32_t a = 1; a <= accounts; ++a) {
        EXPECT_EQ(ReadRec(ctx.File(kFileCustomers), a, account.data()), 1);
        for (uint32_t n = GetU32(account.data(), kAccountFirstHeader); n != 0;
             n = GetU32(h.data(), kHeaderNextHeader)) {
            if (!ReadRec(ctx.File(kFileAuditHeaders), n, h.data())) break;
            EXPECT_EQ(h, header(n, GetU32(h.data(), kHeaderNextHeader))) << "header " << n;
            seen.push_back(n);
        }
    }
    return seen;
}

std::vector<uint32_t> expected(const Ledger& l)
{
    std::vector<uint32_t> order;
    for (uint32_t a = 1; a <= l.accounts; ++a)
        for (uint32_t h = a; h <= l.headers; h += l.accounts) {
            order.push_back(h);
            if (h == l.cut) break;
        }
    return order;
}

TEST(ChainWalk, EveryChainIsReadWholeAndInOrder)
{
    // Short chains; chains longer than one read ahead; more rows than are read along chains
    // before a walk turns to ranges; a chain naming a missing record ends there.
    for (const Ledger l : {Ledger{3, 10}, Ledger{2, 1400}, Ledger{60, 3000}, Ledger{5, 40, 17}}) {
        TempCompany co;
        write(co.Context(), l);
        FileEnvironment& env = co.Context().Environment();
        store::Txn* txn = env.PushTxn(false);
        EXPECT_EQ(walk(co.Context(), l.accounts), expected(l)) << l.accounts << " x " << l.headers;
        // Then the file in record order within the same transaction, past what the chains read.
        std::vector<uint8_t> h(kAuditHeaderLength);
        for (uint32_t n = 1; n <= l.headers; ++n) {
            ASSERT_EQ(ReadRec(co.Context().File(kFileAuditHeaders), n, h.data()), 1) << n;
            EXPECT_EQ(GetU8(h.data(), kHeaderType), uint8_t(n * 7)) << n;
        }
        EXPECT_EQ(ReadRec(co.Context().File(kFileAuditHeaders), l.headers + 1, h.data()), 0);
        env.ReleaseTxn(txn, false);
    }
}

// A write in the middle of a walk: what was read ahead before it is not trusted after it.
TEST(ChainWalk, AWriteInTheWalksTransactionIsSeenAtOnce)
{
    TempCompany co;
    const Ledger l{4, 40};
    write(co.Context(), l);
    FileEnvironment& env = co.Context().Environment();
    store::Txn* txn = env.PushTxn(true);
    DataFile headers = co.Context().File(kFileAuditHeaders);
    std::vector<uint8_t> h(kAuditHeaderLength);
    ASSERT_EQ(ReadRec(headers, 1, h.data()), 1);  // reads account 1's chain ahead
    // Header 5 now ends account 1's chain, and header 9 holds other bytes.
    WriteRec(headers, 5, header(5, 0).data());
    WriteRec(headers, 9, header(99, 13).data());
    EXPECT_EQ(walk(co.Context(), 1), std::vector<uint32_t>({1, 5}));
    ASSERT_EQ(ReadRec(headers, 9, h.data()), 1);
    EXPECT_EQ(h, header(99, 13));
    env.ReleaseTxn(txn, false);
}

}  // namespace
}  // namespace kelo
