// The ledger pages on a large company: the Accounts Due and Account Status scans per category,
// set against a bare LMDB walk of the same accounts and headers in the same run; a yielding
// fill's longest gap between yields and its time to the first row; and the record API's index
// and record walks against bare cursors over the same databases.
//
// The company is KELO_BENCH_COMPANY (default /tmp/kelo-scale100, made by
// `kelo-data demo /tmp/kelo-scale100 --scale 100`); the program date is KELO_BENCH_DATE
// (dd/mm/yyyy), else today, the date the demo is built around.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BareLmdb.h"
#include "host/file/RecordCodec.h"
#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "src/pages/scans/AccountStatusScan.h"
#include "src/pages/scans/AccountsDueScan.h"

namespace {

using namespace kelo;
using Clock = std::chrono::steady_clock;

std::string g_folder;
uint16_t g_date = 0;
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

// Times every return to the event loop: the longest gap between two and the first row's time.
class YieldTimingSink : public ScanSink {
public:
    YieldTimingSink() : m_start(Clock::now()), m_last(m_start) {}
    void AddRow(std::span<const uint8_t>) override
    {
        if (rows++ == 0) firstRow = Clock::now() - m_start;
    }
    void Yield() override
    {
        const Clock::time_point now = Clock::now();
        longestGap = std::max(longestGap, now - m_last);
        m_last = now;
        ++yields;
    }
    long rows = 0;
    long yields = 0;
    Clock::duration firstRow{};
    Clock::duration longestGap{};

private:
    Clock::time_point m_start;
    Clock::time_point m_last;
};

// What the bare walk of a ledger touched.
struct BareCount {
    long accounts = 0;
    long headers = 0;
    double sum = 0;
};

// The ledger's accounts in index order, each account's header chain, every header read: the
// same records the Accounts Due scan reads, through lmdb directly.
void BareLedgerWalk(int ledger, bool chains, BareCount& count)
{
    const bool purchases = ledger == kLedgerPurchases;
    static const MDB_dbi customers = g_bare->Table(kFileCustomers);
    static const MDB_dbi suppliers = g_bare->Table(kFileSuppliers);
    static const MDB_dbi customerIndex = g_bare->Table(kFileCustomerIndex);
    static const MDB_dbi supplierIndex = g_bare->Table(kFileSupplierIndex);
    static const MDB_dbi headers = g_bare->Table(kFileAuditHeaders);
    const MDB_dbi data = purchases ? suppliers : customers;
    const MDB_dbi index = purchases ? supplierIndex : customerIndex;

    MDB_txn* txn = g_bare->Begin();
    MDB_cursor* cursor = nullptr;
    mdb_cursor_open(txn, index, &cursor);
    MDB_val k, v;
    unsigned char keyBytes[4];
    std::vector<uint8_t> accountCopy(kAccountLength), headerCopy(kAuditHeaderLength);
    for (int rc = mdb_cursor_get(cursor, &k, &v, MDB_FIRST); rc == MDB_SUCCESS;
         rc = mdb_cursor_get(cursor, &k, &v, MDB_NEXT)) {
        MDB_val key = bench::BareLmdb::RecordKey(bench::BareLmdb::IndexRecord(v), keyBytes);
        MDB_val account;
        if (mdb_get(txn, data, &key, &account) != MDB_SUCCESS) continue;
        ++count.accounts;
        // Decoded out, as every reader that keeps a record while it reads the next must.
        codec::Decode(bench::BareLmdb::KeyRecord(key), bench::BareLmdb::View(account), accountCopy.data(), accountCopy.size());
        const uint8_t* a = accountCopy.data();
        count.sum += GetF64(a, kAccountBalance);
        if (!chains) continue;
        for (uint32_t h = GetU32(a, kAccountFirstHeader); h != 0;) {
            MDB_val hk = bench::BareLmdb::RecordKey(h, keyBytes);
            MDB_val header;
            if (mdb_get(txn, headers, &hk, &header) != MDB_SUCCESS) break;
            codec::Decode(h, bench::BareLmdb::View(header), headerCopy.data(), headerCopy.size());
            const uint8_t* r = headerCopy.data();
            ++count.headers;
            count.sum += GetF64(r, kHeaderNetAmount);
            h = GetU32(r, kHeaderNextHeader);
        }
    }
    mdb_cursor_close(cursor);
    bench::BareLmdb::End(txn);
}

double NsPerRecord(Clock::duration elapsed, long records, int iterations)
{
    return records ? std::chrono::duration<double, std::nano>(elapsed).count() / double(records) /
                         iterations
                   : 0;
}

// The ledgers a category's scan walks: the Accounts Due scan passes over a ledger with no bit in
// the category; Account Status walks the one ledger of its category.
std::vector<int> DueLedgers(uint32_t category)
{
    std::vector<int> ledgers;
    if (category & (kSalesOverdue | kSalesDue | kSalesWithinSettlement)) ledgers.push_back(kLedgerSales);
    if (category & (kPurchasesOverdue | kPurchasesDue | kPurchasesWithinSettlement))
        ledgers.push_back(kLedgerPurchases);
    return ledgers;
}

// Each iteration times the bare walk of the same records, then the library's, so the two meet
// the same page cache and the same machine load; x_bare is the library's time over the bare.
void ReportAgainstBare(benchmark::State& state, Clock::duration timed, Clock::duration bare,
                       long records, long rows)
{
    const int n = int(state.iterations());
    state.counters["records"] = double(records);
    state.counters["rows"] = double(rows);
    state.counters["ns_per_record"] = NsPerRecord(timed, records, n);
    state.counters["bare_ns_per_record"] = NsPerRecord(bare, records, n);
    state.counters["x_bare"] = bare.count() ? double(timed.count()) / double(bare.count()) : 0;
}

// This thread's CPU time: on a shared machine the library's CPU time over the bare walk's
// (x_bare_cpu) leaves out the time other processes held the core.
Clock::duration ThreadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

void ReportCpuAgainstBare(benchmark::State& state, Clock::duration timed, Clock::duration bare)
{
    state.counters["x_bare_cpu"] = bare.count() ? double(timed.count()) / double(bare.count()) : 0;
}

void BM_AccountsDueScan(benchmark::State& state)
{
    const uint32_t category = uint32_t(state.range(0));
    const std::vector<int> ledgers = DueLedgers(category);
    long records = 0, rows = 0;
    Clock::duration scan{}, bare{}, scanCpu{}, bareCpu{};
    for (auto _ : state) {
        BareCount count;
        Clock::duration cpu = ThreadCpu();
        Clock::time_point start = Clock::now();
        for (int ledger : ledgers) BareLedgerWalk(ledger, true, count);
        bare += Clock::now() - start;
        bareCpu += ThreadCpu() - cpu;
        benchmark::DoNotOptimize(count.sum);
        records = count.accounts + count.headers;

        CountingSink sink;
        cpu = ThreadCpu();
        start = Clock::now();
        ScanAccountsDue(ScanInput{*g_context, category, g_date, "OVERSEE"}, sink);
        scan += Clock::now() - start;
        scanCpu += ThreadCpu() - cpu;
        rows = sink.rows;
    }
    ReportAgainstBare(state, scan, bare, records, rows);
    ReportCpuAgainstBare(state, scanCpu, bareCpu);
}

void BM_AccountStatusScan(benchmark::State& state)
{
    const uint32_t category = uint32_t(state.range(0));
    const int ledger = AccountStatusLedgerOf(category);
    long records = 0, rows = 0;
    Clock::duration scan{}, bare{}, scanCpu{}, bareCpu{};
    for (auto _ : state) {
        BareCount count;
        Clock::duration cpu = ThreadCpu();
        Clock::time_point start = Clock::now();
        BareLedgerWalk(ledger, false, count);
        bare += Clock::now() - start;
        bareCpu += ThreadCpu() - cpu;
        benchmark::DoNotOptimize(count.sum);
        records = count.accounts;

        CountingSink sink;
        cpu = ThreadCpu();
        start = Clock::now();
        ScanAccountStatus(ScanInput{*g_context, category, g_date, "OVERSEE"}, sink);
        scan += Clock::now() - start;
        scanCpu += ThreadCpu() - cpu;
        rows = sink.rows;
    }
    ReportAgainstBare(state, scan, bare, records, rows);
    ReportCpuAgainstBare(state, scanCpu, bareCpu);
}

// A background fill: how long the window would go without returning to the event loop.
template <bool Due>
void BM_YieldingFill(benchmark::State& state)
{
    const uint32_t category = uint32_t(state.range(0));
    double gapMs = 0, firstMs = 0;
    long yields = 0, rows = 0;
    for (auto _ : state) {
        YieldTimingSink sink;
        const ScanInput input{*g_context, category, g_date, "OVERSEE"};
        if constexpr (Due)
            ScanAccountsDue(input, sink);
        else
            ScanAccountStatus(input, sink);
        gapMs = std::max(gapMs, std::chrono::duration<double, std::milli>(sink.longestGap).count());
        firstMs = std::max(firstMs, std::chrono::duration<double, std::milli>(sink.firstRow).count());
        yields = sink.yields;
        rows = sink.rows;
    }
    state.counters["longest_gap_ms"] = gapMs;
    state.counters["first_row_ms"] = firstMs;
    state.counters["yields"] = double(yields);
    state.counters["rows"] = double(rows);
}

// The record API's index walk: SearchRecord with an all-zero key, then NextRecord to the end,
// each reading the account; against a bare cursor over the index reading the same records.
void BM_RecordApiCustomerWalk(benchmark::State& state)
{
    long accounts = 0;
    Clock::duration api{}, bare{};
    for (auto _ : state) {
        BareCount count;
        Clock::time_point start = Clock::now();
        BareLedgerWalk(kLedgerSales, false, count);
        bare += Clock::now() - start;
        benchmark::DoNotOptimize(count.sum);

        start = Clock::now();
        CDDataResourceManager resources(*g_context);
        resources.GetResources().AddDataFile(kFileCustomers).AddIndexFile(kFileCustomerIndex);
        resources.ObtainResources();
        DataContext& ctx = resources.Context();
        AccountKey key{};
        std::vector<uint8_t> rec(kAccountLength);
        accounts = 0;
        for (uint32_t r = SearchRecord(ctx.File(kFileCustomers), ctx.File(kFileCustomerIndex),
                                       key.data(), rec.data(), 0);
             r != 0; r = NextRecord(ctx.File(kFileCustomers), ctx.File(kFileCustomerIndex),
                                    key.data(), rec.data(), 0))
            ++accounts;
        resources.ReleaseResources();
        api += Clock::now() - start;
    }
    ReportAgainstBare(state, api, bare, accounts, 0);
}

// ReadRec of every audit trail header in record order, against a bare cursor over the same
// database in the same iteration.
void BM_ReadRecHeaders(benchmark::State& state)
{
    const MDB_dbi table = g_bare->Table(kFileAuditHeaders);
    long n = 0;
    double sum = 0;
    Clock::duration api{}, bare{};
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        MDB_txn* txn = g_bare->Begin();
        MDB_cursor* c = nullptr;
        mdb_cursor_open(txn, table, &c);
        MDB_val k, v;
        // The bare side decodes each record out too, as any reader that keeps it must.
        std::vector<uint8_t> copy(kAuditHeaderLength);
        for (int rc = mdb_cursor_get(c, &k, &v, MDB_FIRST); rc == MDB_SUCCESS;
             rc = mdb_cursor_get(c, &k, &v, MDB_NEXT)) {
            codec::Decode(bench::BareLmdb::KeyRecord(k), bench::BareLmdb::View(v), copy.data(), copy.size());
            sum += GetF64(copy.data(), kHeaderNetAmount);
        }
        mdb_cursor_close(c);
        bench::BareLmdb::End(txn);
        bare += Clock::now() - start;

        start = Clock::now();
        CDDataResourceManager resources(*g_context);
        resources.GetResources().AddDataFile(kFileAuditHeaders);
        resources.ObtainResources();
        DataFile headers = resources.Context().File(kFileAuditHeaders);
        const uint32_t count = RecCount(headers);
        std::vector<uint8_t> rec(kAuditHeaderLength);
        n = 0;
        for (uint32_t r = 1; r <= count; ++r)
            if (ReadRec(headers, r, rec.data())) {
                sum += GetF64(rec.data(), kHeaderNetAmount);
                ++n;
            }
        resources.ReleaseResources();
        api += Clock::now() - start;
    }
    benchmark::DoNotOptimize(sum);
    ReportAgainstBare(state, api, bare, n, 0);
}

void Register()
{
    const char* given = std::getenv("KELO_BENCH_ITERATIONS");
    const int iterations = given && std::atoi(given) > 0 ? std::atoi(given) : 5;
    auto ms = [&](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->Iterations(iterations)->UseRealTime();
    };
    for (uint32_t bit : {1u, 2u, 4u, 8u, 16u, 32u})
        ms(benchmark::RegisterBenchmark("AccountsDueScan", BM_AccountsDueScan)->Arg(bit));
    for (uint32_t bit = 1; bit <= 256; bit <<= 1)
        ms(benchmark::RegisterBenchmark("AccountStatusScan", BM_AccountStatusScan)->Arg(bit));
    ms(benchmark::RegisterBenchmark("YieldingFill/AccountsDue", BM_YieldingFill<true>)->Arg(1)->Arg(8));
    ms(benchmark::RegisterBenchmark("YieldingFill/AccountStatus", BM_YieldingFill<false>)->Arg(2)->Arg(64));
    ms(benchmark::RegisterBenchmark("RecordApiCustomerWalk", BM_RecordApiCustomerWalk));
    ms(benchmark::RegisterBenchmark("ReadRecHeaders", BM_ReadRecHeaders));
}

}  // namespace

int main(int argc, char** argv)
{
    const char* folder = std::getenv("KELO_BENCH_COMPANY");
    g_folder = folder && *folder ? folder : "/tmp/kelo-scale100";
    if (!std::filesystem::exists(g_folder + "/data.mdb")) {
        std::printf("bench_ledger: no company at %s (make one with `kelo-data demo %s --scale 100`"
                    " or set KELO_BENCH_COMPANY); skipped\n",
                    g_folder.c_str(), g_folder.c_str());
        return 0;
    }
    const char* date = std::getenv("KELO_BENCH_DATE");
    g_date = date ? DateStringToNumber(date) : 0;
    if (g_date == 0) g_date = GetProgramDate();
    g_context = std::make_unique<DataContext>(DataContext::Open(g_folder));
    g_bare = std::make_unique<bench::BareLmdb>(g_folder);

    // One untimed pass over both ledgers and the audit trail, so the first benchmark does not pay
    // for filling the page cache that the later ones find full.
    BareCount warm;
    BareLedgerWalk(kLedgerSales, true, warm);
    BareLedgerWalk(kLedgerPurchases, true, warm);
    {
        CountingSink sink;
        ScanAccountsDue(ScanInput{*g_context, 1, g_date, "OVERSEE"}, sink);
    }

    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bare.reset();
    g_context.reset();
    return 0;
}
