// The Recurring Items fill on a large company, per category and over all seven at once, set
// against a bare LMDB walk of the same records in the same run: every recurring entry copied
// out, and for payments and receipts the bank account looked up by its code, as the fill does.
//
// The company is KELO_BENCH_COMPANY (default /tmp/kelo-scale100, made by
// `kelo-data demo /tmp/kelo-scale100 --scale 100`, which holds about 102,000 recurring entries).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BareLmdb.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/RecurringRecord.h"
#include "host/file/DataContext.h"
#include "host/file/RecordCodec.h"
#include "src/pages/scans/RecurringScan.h"

namespace {

using namespace kelo;
using Clock = std::chrono::steady_clock;

std::unique_ptr<DataContext> g_context;
std::unique_ptr<bench::BareLmdb> g_bare;

class CountingSink : public ScanSink {
public:
    void AddRow(std::span<const uint8_t> row) override
    {
        ++rows;
        benchmark::DoNotOptimize(row.data());
    }
    long rows = 0;
};

struct BareCount {
    long entries = 0;
    long banks = 0;
    double sum = 0;
};

// Every recurring entry in record order; for a payment or receipt its bank account through the
// bank index.
void BareRecurringWalk(BareCount& count)
{
    static const MDB_dbi entries = g_bare->Table(kFileRecurring);
    static const MDB_dbi banks = g_bare->Table(kFileBank);
    static const MDB_dbi bankIndex = g_bare->Table(kFileBankIndex);
    MDB_txn* txn = g_bare->Begin();
    MDB_cursor* cursor = nullptr;
    MDB_cursor* index = nullptr;
    mdb_cursor_open(txn, entries, &cursor);
    mdb_cursor_open(txn, bankIndex, &index);
    std::vector<uint8_t> entry(kRecurringLength), bank(kBankLength);
    unsigned char keyBytes[4];
    MDB_val k, v;
    for (int rc = mdb_cursor_get(cursor, &k, &v, MDB_FIRST); rc == MDB_SUCCESS;
         rc = mdb_cursor_get(cursor, &k, &v, MDB_NEXT)) {
        codec::Decode(bench::BareLmdb::KeyRecord(k), bench::BareLmdb::View(v), entry.data(), entry.size());
        ++count.entries;
        count.sum += GetF64(entry.data(), kRecurringNetAmount);
        const int kind = GetI8(entry.data(), kRecurringKind);
        if (kind != 0 && kind != 1) continue;
        AccountKey code = BuildAccountKey(GetText(entry.data(), kRecurringBankCode));
        MDB_val ik{code.size(), code.data()}, iv;
        if (mdb_cursor_get(index, &ik, &iv, MDB_SET_RANGE) != MDB_SUCCESS ||
            ik.mv_size < code.size() || std::memcmp(ik.mv_data, code.data(), code.size()) != 0)
            continue;
        MDB_val bk = bench::BareLmdb::RecordKey(bench::BareLmdb::IndexRecord(iv), keyBytes), bv;
        if (mdb_get(txn, banks, &bk, &bv) != MDB_SUCCESS) continue;
        codec::Decode(bench::BareLmdb::KeyRecord(bk), bench::BareLmdb::View(bv), bank.data(), bank.size());
        count.sum += GetU8(bank.data(), kBankKind);
        ++count.banks;
    }
    mdb_cursor_close(index);
    mdb_cursor_close(cursor);
    bench::BareLmdb::End(txn);
}

double NsPerRecord(Clock::duration elapsed, long records, int iterations)
{
    return records ? std::chrono::duration<double, std::nano>(elapsed).count() / double(records) /
                         iterations
                   : 0;
}

// Each iteration times the bare walk, then the fill, so both meet the same page cache and load;
// x_bare is the fill's time over the bare walk's.
void BM_RecurringFill(benchmark::State& state)
{
    const uint32_t category = uint32_t(state.range(0));
    long entries = 0, rows = 0;
    Clock::duration fill{}, bare{};
    for (auto _ : state) {
        BareCount count;
        Clock::time_point start = Clock::now();
        BareRecurringWalk(count);
        bare += Clock::now() - start;
        benchmark::DoNotOptimize(count.sum);
        entries = count.entries;

        CountingSink sink;
        start = Clock::now();
        ScanRecurring(ScanInput{*g_context, category, 0, "OVERSEE"}, sink);
        fill += Clock::now() - start;
        rows = sink.rows;
    }
    const int n = int(state.iterations());
    state.counters["entries"] = double(entries);
    state.counters["rows"] = double(rows);
    state.counters["ns_per_entry"] = NsPerRecord(fill, entries, n);
    state.counters["bare_ns_per_entry"] = NsPerRecord(bare, entries, n);
    state.counters["x_bare"] = bare.count() ? double(fill.count()) / double(bare.count()) : 0;
}

void Register()
{
    const char* given = std::getenv("KELO_BENCH_ITERATIONS");
    const int iterations = given && std::atoi(given) > 0 ? std::atoi(given) : 5;
    auto* b = benchmark::RegisterBenchmark("RecurringFill", BM_RecurringFill);
    // Payments (bank lookups), Debits (none), Bank Transfers (two rows each), all seven.
    for (uint32_t bit : {kRecurringPayments, kRecurringDebits, kRecurringTransfers, 127u}) b->Arg(bit);
    b->Unit(benchmark::kMillisecond)->Iterations(iterations)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv)
{
    const char* folder = std::getenv("KELO_BENCH_COMPANY");
    const std::string company = folder && *folder ? folder : "/tmp/kelo-scale100";
    if (!std::filesystem::exists(company + "/data.mdb")) {
        std::printf("bench_recurring: no company at %s (make one with `kelo-data demo %s --scale 100`"
                    " or set KELO_BENCH_COMPANY); skipped\n",
                    company.c_str(), company.c_str());
        return 0;
    }
    g_context = std::make_unique<DataContext>(DataContext::Open(company));
    g_bare = std::make_unique<bench::BareLmdb>(company);
    // One untimed pass, so the first benchmark does not pay for filling the page cache.
    BareCount warm;
    BareRecurringWalk(warm);

    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bare.reset();
    g_context.reset();
    return 0;
}
