// kelo-tasks as a whole process against the page's scan alone in this process, on the same
// company, task and category: the difference is what starting the tool costs.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "host/file/DataContext.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "src/pages/scans/TaskScan.h"

extern char** environ;

namespace {

constexpr int kAccountsDue = 32604;
constexpr uint32_t kSalesOverdue = 1;

std::string company()
{
    const char* c = std::getenv("KELO_BENCH_COMPANY");
    return c ? c : "/tmp/kelo-scale100";
}

bool haveCompany(benchmark::State& state)
{
    if (std::filesystem::exists(company() + "/data.mdb")) return true;
    state.SkipWithError(("no company at " + company() + " (kelo-data demo DIR --scale 100)").c_str());
    return false;
}

class CountRows final : public kelo::ScanSink {
public:
    void AddRow(std::span<const uint8_t>) override { ++rows; }
    size_t rows = 0;
};

void BM_KeloTasksProcess(benchmark::State& state)
{
    if (!haveCompany(state)) return;
    const std::string dir = company();
    std::vector<std::string> args = {KELO_TASKS_BINARY, "--company", dir,           "--format",
                                     "csv",             "Accounts Due", "Sales Overdue"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start kelo-tasks");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("kelo-tasks failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_KeloTasksProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_KeloTasksProcess_Reference(benchmark::State& state)
{
    if (!haveCompany(state)) return;
    const kelo::TaskScan* scan = kelo::FindTaskScan(kAccountsDue);
    size_t rows = 0;
    for (auto _ : state) {
        // Opened afresh each time, as the process does: mapping the company in again costs
        // page faults that a warm mapping would hide.
        kelo::DataContext context = kelo::DataContext::Open(company());
        CountRows sink;
        scan->scan(kelo::ScanInput{context, kSalesOverdue, GetProgramDate(), "OVERSEE"}, sink);
        rows = sink.rows;
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_KeloTasksProcess_Reference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
