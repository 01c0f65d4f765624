// Start-up: from process start to the To Do list filled, on the demo company (offscreen).
// kelo-host --exit-after-start quits once everything queued at start, the first fill
// included, has run. The reference is a process that starts and ends at once.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

int run(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string& demoCompany()
{
    static const std::string dir = [] {
        const std::string d = (std::filesystem::temp_directory_path() / "kelo-bench-demo").string();
        if (!std::filesystem::exists(d + "/data.mdb")) run({KELO_DATA_BINARY, "demo", d});
        return d;
    }();
    return dir;
}

void BM_StartUpToDoFilled(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string company = demoCompany();
    for (auto _ : state) {
        if (run({KELO_HOST_BINARY, "--company", company, "--tasks", "--exit-after-start"}) != 0) {
            state.SkipWithError("kelo-host failed");
            break;
        }
    }
}
BENCHMARK(BM_StartUpToDoFilled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

void BM_StartUpToDoFilled_Reference(benchmark::State& state)
{
    for (auto _ : state) run({"/bin/true"});
}
BENCHMARK(BM_StartUpToDoFilled_Reference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

}  // namespace

BENCHMARK_MAIN();
