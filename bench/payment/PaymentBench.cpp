// One bill payment on the scale company, without the dialog's checks: the bill's lock and
// comparison, the posting through TransactionPost and the bill's write, committed; set against
// a bare LMDB write transaction that reads and writes the same records (a header, a split, an
// index entry, the three nominal accounts, the bank and the bill) and commits.
//
// Both commit, so each iteration adds a transaction to the company: a real posting of 0.01 to
// bill 1, or a bare one of no amount, chained and indexed like any other, so the company stays
// whole (kelo-data check passes).
// The company is KELO_BENCH_COMPANY (default /tmp/kelo-scale100, made by
// `kelo-data demo /tmp/kelo-scale100 --scale 100`).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "host/file/RecordCodec.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/SplitRecord.h"
#include "host/file/DataContext.h"
#include "host/file/RecordFile.h"
#include "src/records/CPayBillPosting.h"

namespace {

using namespace kelo;

std::unique_ptr<DataContext> g_context;
constexpr uint32_t kBill = 1;

BillPaymentEntry Entry()
{
    BillPaymentEntry e;
    e.bank = "1200";
    e.reference = "BENCH";
    e.date = 46362;
    e.net = 0.01;
    e.taxCode = 0;
    return e;
}

void BM_BillPayment(benchmark::State& state)
{
    CPayBillPosting pay(*g_context, kBill);
    if (!pay.Read()) {
        state.SkipWithError("the company has no bill 1");
        return;
    }
    for (auto _ : state) {
        if (pay.Pay(Entry(), "OVERSEE") != CPayBillPosting::Outcome::Posted) {
            state.SkipWithError("the payment was not posted");
            return;
        }
    }
}

std::string Be32(uint32_t n)
{
    const char b[4] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return std::string(b, 4);
}

// The store itself: one write transaction with the same reads and writes, no record library.
void BM_BillPayment_Bare(benchmark::State& state)
{
    FileEnvironment& env = g_context->Environment();
    auto table = [&](store::Txn& txn, int file) { return env.Find(txn, FindFile(file)->path)->table; };
    uint32_t nominals[3] = {0, 0, 0};
    uint32_t bankRecNo = 0;
    {
        std::vector<uint8_t> rec(kNominalLength);
        nominals[0] = FlashFindAccount(*g_context, kLedgerNominal, "1200", rec.data(), 0);
        nominals[1] = FlashFindAccount(*g_context, kLedgerNominal, "7200", rec.data(), 0);
        nominals[2] = FlashFindAccount(*g_context, kLedgerNominal, "2201", rec.data(), 0);
        std::vector<uint8_t> bank(kBankLength);
        bankRecNo = FlashFindAccount(*g_context, kLedgerBank, "1200", bank.data(), 0);
    }
    std::vector<uint8_t> header(kAuditHeaderLength, 0), split(kSplitLength, 0), buf;
    for (auto _ : state) {
        store::Txn* txn = env.PushTxn(true);
        const store::Table headers = table(*txn, kFileAuditHeaders);
        const store::Table splits = table(*txn, kFileSplits);
        const store::Table index = table(*txn, kFileTransactionIndex);
        auto last = [&](store::Table t) {
            auto c = txn->OpenCursor(t);
            return c->Last() ? uint32_t(uint8_t(c->Key()[0])) << 24 | uint32_t(uint8_t(c->Key()[1])) << 16 |
                                   uint32_t(uint8_t(c->Key()[2])) << 8 | uint8_t(c->Key()[3])
                             : 0u;
        };
        const uint32_t number = last(index) + 1;
        const uint32_t headerNo = last(headers) + 1;
        const uint32_t splitNo = last(splits) + 1;
        SetU32(header.data(), kHeaderFirstSplit, splitNo);
        txn->Put(headers, Be32(headerNo), codec::Encode(headerNo, store::Bytes(reinterpret_cast<char*>(header.data()), header.size())));
        SetU32(split.data(), kSplitHeader, headerNo);
        SetU32(split.data(), kSplitTransactionNumber, number);
        txn->Put(splits, Be32(splitNo), codec::Encode(splitNo, store::Bytes(reinterpret_cast<char*>(split.data()), split.size())));
        txn->Put(index, Be32(number) + Be32(splitNo), store::Bytes(reinterpret_cast<const char*>(&splitNo), 4));
        const auto rewrite = [&](int file, uint32_t recNo) {
            const store::Table t = table(*txn, file);
            const auto v = txn->Get(t, Be32(recNo));
            buf.resize(FindFile(file)->recordLength);
            codec::Decode(recNo, *v, buf.data(), buf.size());
            txn->Put(t, Be32(recNo), codec::Encode(recNo, store::Bytes(reinterpret_cast<char*>(buf.data()), buf.size())));
        };
        for (const uint32_t n : nominals) rewrite(kFileNominal, n);
        rewrite(kFileBank, bankRecNo);
        rewrite(kFileBills, kBill);
        env.ReleaseTxn(txn, true);
    }
}

}  // namespace

BENCHMARK(BM_BillPayment)->Unit(benchmark::kMicrosecond)->Iterations(200)->Repetitions(5);
BENCHMARK(BM_BillPayment_Bare)->Unit(benchmark::kMicrosecond)->Iterations(200)->Repetitions(5);

int main(int argc, char** argv)
{
    const char* folder = std::getenv("KELO_BENCH_COMPANY");
    const std::string company = folder && *folder ? folder : "/tmp/kelo-scale100";
    if (!std::filesystem::exists(company + "/data.mdb")) {
        std::printf("bench_payment: no company at %s (make one with `kelo-data demo %s --scale 100`"
                    " or set KELO_BENCH_COMPANY); skipped\n",
                    company.c_str(), company.c_str());
        return 0;
    }
    g_context = std::make_unique<DataContext>(DataContext::Open(company));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_context.reset();
    return 0;
}
