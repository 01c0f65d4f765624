// The Accounts Due fill with the company on a PostgreSQL server against the same company in a
// folder, in process and in the same iteration, and the time the fill takes to its first row.
//
// KELO_BENCH_COMPANY is the folder (default /tmp/kelo-scale100); KELO_BENCH_SERVER the URL of
// the same company copied to a server (`kelo-data copy FOLDER URL`); without it the benchmark
// is skipped. KELO_BENCH_DATE (dd/mm/yyyy) is the program date, else today.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "host/file/DataContext.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "src/pages/scans/AccountsDueScan.h"

namespace {

using namespace kelo;
using Clock = std::chrono::steady_clock;

uint16_t g_date = 0;
std::string g_server;
std::unique_ptr<DataContext> g_folder;
std::unique_ptr<DataContext> g_onServer;

class TimingSink : public ScanSink {
public:
    explicit TimingSink(Clock::time_point start) : m_start(start) {}
    void AddRow(std::span<const uint8_t>) override
    {
        if (rows++ == 0) firstRow = Clock::now() - m_start;
    }
    long rows = 0;
    Clock::duration firstRow{};

private:
    Clock::time_point m_start;
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Each iteration fills from the folder, then from the server: the same rows, the same load.
void BM_AccountsDueOnServer(benchmark::State& state)
{
    const uint32_t category = uint32_t(state.range(0));
    Clock::duration folder{}, server{};
    double firstRow = 0;
    long rows = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        TimingSink local(start);
        ScanAccountsDue(ScanInput{*g_folder, category, g_date, "OVERSEE"}, local);
        folder += Clock::now() - start;

        start = Clock::now();
        TimingSink remote(start);
        ScanAccountsDue(ScanInput{*g_onServer, category, g_date, "OVERSEE"}, remote);
        server += Clock::now() - start;
        firstRow = std::max(firstRow, ms(remote.firstRow));
        if (remote.rows != local.rows) {
            state.SkipWithError("the server's fill gave other rows than the folder's");
            return;
        }
        rows = remote.rows;
    }
    const double n = double(state.iterations());
    state.counters["rows"] = double(rows);
    state.counters["folder_ms"] = ms(folder) / n;
    state.counters["server_ms"] = ms(server) / n;
    state.counters["x_folder"] = ms(folder) > 0 ? ms(server) / ms(folder) : 0;
    state.counters["first_row_ms"] = firstRow;
}

// A desk opening the company and filling the page: connections made, first row shown.
void BM_FirstRowFromAFreshOpen(benchmark::State& state)
{
    double firstRow = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        DataContext fresh = DataContext::OpenForReading(g_server);
        TimingSink sink(start);
        ScanAccountsDue(ScanInput{fresh, uint32_t(state.range(0)), g_date, "OVERSEE"}, sink);
        firstRow = std::max(firstRow, ms(sink.firstRow));
    }
    state.counters["first_row_ms"] = firstRow;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* folder = std::getenv("KELO_BENCH_COMPANY");
    const char* server = std::getenv("KELO_BENCH_SERVER");
    if (!server || !*server) {
        std::printf("bench_server: set KELO_BENCH_SERVER to the URL of the company copied to a "
                    "server (kelo-data copy); skipped\n");
        return 0;
    }
    g_server = server;
    const char* date = std::getenv("KELO_BENCH_DATE");
    g_date = date ? DateStringToNumber(date) : 0;
    if (g_date == 0) g_date = GetProgramDate();
    g_folder = std::make_unique<DataContext>(
        DataContext::OpenForReading(folder && *folder ? folder : "/tmp/kelo-scale100"));
    g_onServer = std::make_unique<DataContext>(DataContext::OpenForReading(g_server));

    const char* given = std::getenv("KELO_BENCH_ITERATIONS");
    const int iterations = given && std::atoi(given) > 0 ? std::atoi(given) : 5;
    for (uint32_t bit : {1u, 8u})
        benchmark::RegisterBenchmark("AccountsDueOnServer", BM_AccountsDueOnServer)
            ->Arg(bit)->Unit(benchmark::kMillisecond)->Iterations(iterations)->UseRealTime();
    benchmark::RegisterBenchmark("FirstRowFromAFreshOpen", BM_FirstRowFromAFreshOpen)
        ->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(iterations)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_onServer.reset();
    g_folder.reset();
    return 0;
}
