// The Contacts page's scan through the task registry (as the page, kelo-tasks and the tests run
// it) on the scale company, against a bare walk of the same To Do index through the record API
// that only copies each record: the difference is what classifying the reminders and looking up
// their accounts costs.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/DataContext.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/util/ProgramDate.h"
#include "src/pages/scans/ContactsScan.h"
#include "src/pages/scans/TaskScan.h"

namespace {

constexpr int kContacts = 32601;
constexpr uint32_t kEveryCategory = 1 | 2 | 4 | 8;

std::string company()
{
    const char* c = std::getenv("KELO_BENCH_COMPANY");
    return c ? c : "/tmp/kelo-scale100";
}

kelo::DataContext* open(benchmark::State& state)
{
    static std::unique_ptr<kelo::DataContext> context;
    if (!context && std::filesystem::exists(company() + "/data.mdb"))
        context = std::make_unique<kelo::DataContext>(kelo::DataContext::Open(company()));
    if (!context)
        state.SkipWithError(("no company at " + company() + " (kelo-data demo DIR --scale 100)").c_str());
    return context.get();
}

class CountRows final : public kelo::ScanSink {
public:
    void AddRow(std::span<const uint8_t>) override { ++rows; }
    size_t rows = 0;
};

void BM_ContactsScan(benchmark::State& state)
{
    kelo::DataContext* context = open(state);
    if (!context) return;
    const kelo::TaskScan* scan = kelo::FindTaskScan(kContacts);
    size_t rows = 0;
    for (auto _ : state) {
        CountRows sink;
        scan->scan(kelo::ScanInput{*context, kEveryCategory, GetProgramDate(), "OVERSEE"}, sink);
        rows = sink.rows;
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ContactsScan)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ContactsScan_Reference(benchmark::State& state)
{
    kelo::DataContext* context = open(state);
    if (!context) return;
    size_t records = 0;
    for (auto _ : state) {
        kelo::CDDataResourceManager manager(*context);
        manager.GetResources().Add(kelo::CBToDo::GetStaticResourcesFor(kelo::kResourceRead));
        manager.ObtainResources();
        kelo::DataFile data = manager.Context().File(kelo::kFileToDo);
        kelo::DataFile index = manager.Context().File(kelo::kFileToDoIndex);
        kelo::ToDoKey key = kelo::BuildToDoKey("OVERSEE", uint16_t{0}, 0);
        std::vector<uint8_t> rec(kelo::kToDoLength);
        records = 0;
        for (uint32_t n = kelo::SearchRecord(data, index, key.data(), rec.data(), 0); n != 0;
             n = kelo::NextRecord(data, index, key.data(), rec.data(), 0))
            ++records;
        benchmark::DoNotOptimize(rec.data());
        manager.ReleaseResources();
    }
    state.counters["records"] = double(records);
}
BENCHMARK(BM_ContactsScan_Reference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
