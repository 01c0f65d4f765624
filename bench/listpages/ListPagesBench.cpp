// The Invoices, Sales Orders, Purchase Orders and Stock fills on a large company, each category
// through the page's own scan, set against a bare LMDB walk of the same records in the same run:
// the index in key order, each record fetched and copied out, the deleted byte tested.
//
// The company is KELO_BENCH_COMPANY (default /tmp/kelo-scale100, made by
// `kelo-data demo /tmp/kelo-scale100 --scale 100`: 100,000 invoices, 60,000 sales and 40,000
// purchase orders, 50,000 stock items).
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
#include "host/file/RecordCodec.h"
#include "host/data/FileMap.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/StockRecord.h"
#include "host/file/DataContext.h"
#include "src/pages/scans/InvoicesScan.h"
#include "src/pages/scans/PurchaseOrdersScan.h"
#include "src/pages/scans/SalesOrdersScan.h"
#include "src/pages/scans/StockScan.h"

namespace {

using namespace kelo;
using Clock = std::chrono::steady_clock;

std::unique_ptr<DataContext> g_context;
std::unique_ptr<bench::BareLmdb> g_bare;

class CountingSink final : public ScanSink {
public:
    void AddRow(std::span<const uint8_t> row) override
    {
        ++rows;
        benchmark::DoNotOptimize(row.data());
    }
    long rows = 0;
};

// One page's file as the bare walk reads it.
struct PageFile {
    const char* name;
    void (*scan)(const ScanInput&, ScanSink&);
    int data;
    int index;
    uint32_t length;
    Field deletedMark;
    Field sample;  // one field read per record, so the walk cannot be skipped
};

const PageFile kPages[] = {
    {"Invoices", &ScanInvoices, kFileInvoices, kFileInvoiceIndex, kInvoiceLength,
     kInvoiceCustomerName, kInvoiceAmount1},
    {"SalesOrders", &ScanSalesOrders, kFileSalesOrders, kFileSalesOrderIndex, kSalesOrderLength,
     kSalesOrderCustomerName, kSalesOrderAmount1},
    {"PurchaseOrders", &ScanPurchaseOrders, kFilePurchaseOrders, kFilePurchaseOrderIndex,
     kPurchaseOrderLength, kPurchaseOrderSupplierName, kPurchaseOrderAmount1},
    {"Stock", &ScanStock, kFileStock, kFileStockIndex, kStockLength, kStockDescription,
     kStockQuantityInStock},
};

long BareWalk(const PageFile& page, double& sum)
{
    const MDB_dbi data = g_bare->Table(page.data);
    const MDB_dbi index = g_bare->Table(page.index);
    MDB_txn* txn = g_bare->Begin();
    MDB_cursor* cursor = nullptr;
    mdb_cursor_open(txn, index, &cursor);
    MDB_val k, v;
    unsigned char keyBytes[4];
    std::vector<uint8_t> copy(page.length);
    long records = 0;
    for (int rc = mdb_cursor_get(cursor, &k, &v, MDB_FIRST); rc == MDB_SUCCESS;
         rc = mdb_cursor_get(cursor, &k, &v, MDB_NEXT)) {
        MDB_val key = bench::BareLmdb::RecordKey(bench::BareLmdb::IndexRecord(v), keyBytes);
        MDB_val rec;
        if (mdb_get(txn, data, &key, &rec) != MDB_SUCCESS) continue;
        codec::Decode(bench::BareLmdb::KeyRecord(key), bench::BareLmdb::View(rec), copy.data(), copy.size());
        if (copy[page.deletedMark.offset] == 0xFF) continue;
        ++records;
        sum += GetF64(copy.data(), page.sample);
    }
    mdb_cursor_close(cursor);
    bench::BareLmdb::End(txn);
    return records;
}

// Each iteration times the bare walk, then the page's scan, so both meet the same page cache
// and the same load; x_bare is the scan's time over the bare walk's.
void BM_Fill(benchmark::State& state, const PageFile* page)
{
    const uint32_t category = uint32_t(state.range(0));
    long records = 0, rows = 0;
    Clock::duration scan{}, bare{};
    for (auto _ : state) {
        double sum = 0;
        Clock::time_point start = Clock::now();
        records = BareWalk(*page, sum);
        bare += Clock::now() - start;
        benchmark::DoNotOptimize(sum);

        CountingSink sink;
        start = Clock::now();
        page->scan(ScanInput{*g_context, category, 1, "OVERSEE"}, sink);
        scan += Clock::now() - start;
        rows = sink.rows;
    }
    const double n = double(state.iterations());
    state.counters["records"] = double(records);
    state.counters["rows"] = double(rows);
    state.counters["ms_bare"] = std::chrono::duration<double, std::milli>(bare).count() / n;
    state.counters["x_bare"] = bare.count() ? double(scan.count()) / double(bare.count()) : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* given = std::getenv("KELO_BENCH_COMPANY");
    const std::string folder = given && *given ? given : "/tmp/kelo-scale100";
    if (!std::filesystem::exists(folder + "/data.mdb")) {
        std::printf("bench_listpages: no company at %s (make one with `kelo-data demo %s --scale "
                    "100` or set KELO_BENCH_COMPANY); skipped\n",
                    folder.c_str(), folder.c_str());
        return 0;
    }
    g_context = std::make_unique<DataContext>(DataContext::Open(folder));
    g_bare = std::make_unique<bench::BareLmdb>(folder);

    // One untimed pass over every file, so the first benchmark does not fill the page cache.
    for (const PageFile& page : kPages) {
        double sum = 0;
        BareWalk(page, sum);
    }

    const char* iterations = std::getenv("KELO_BENCH_ITERATIONS");
    const int n = iterations && std::atoi(iterations) > 0 ? std::atoi(iterations) : 5;
    const std::pair<const PageFile*, std::vector<uint32_t>> categories[] = {
        {&kPages[0], {1, 2, 4, 8}},
        {&kPages[1], {1, 2, 4, 8, 16}},
        {&kPages[2], {1, 2, 8, 16}},
        {&kPages[3], {1, 2, 4, 8}},
    };
    for (const auto& [page, bits] : categories) {
        auto* b = benchmark::RegisterBenchmark((std::string("ListFill/") + page->name).c_str(),
                                               BM_Fill, page);
        for (uint32_t bit : bits) b->Arg(bit);
        b->Unit(benchmark::kMillisecond)->Iterations(n)->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bare.reset();
    g_context.reset();
    return 0;
}
