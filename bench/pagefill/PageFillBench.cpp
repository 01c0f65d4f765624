// What the user waits for: from choosing Accounts Due → Sales Overdue (category 0) or Sales Due
// (1, the longest list) until the list is complete in the real page and list widget (QPA
// offscreen), background fill off and on, set against the same scan alone in the same iteration;
// and the longest time the event loop went unserved.
//
// The company is KELO_BENCH_COMPANY (default /tmp/kelo-scale100, made by
// `kelo-data demo /tmp/kelo-scale100 --scale 100`); the program date KELO_BENCH_DATE.
// The second argument starts a competing load for the run: a child process that keeps one core
// busy. gap_cpu_ms is the CPU time the window's thread used within its longest gap: near the
// gap, its own work blocked it; far below, the machine ran something else meanwhile.
// longest_step_cpu_ms is the most CPU time it used between two returns to the event loop, and
// x_scan_cpu the shown list's CPU time over the scan's: figures a busy machine disturbs less.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "host/file/DataContext.h"
#include "host/framework/CBAccessManager.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "host/ui/CKYieldClock.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "src/app/TaskServices.h"
#include "src/pages/CReminderAuditTrail.h"
#include "src/pages/scans/AccountsDueScan.h"

namespace {

using namespace kelo;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

std::unique_ptr<DataContext> g_context;
uint16_t g_date = 0;

// The application's services as the host gives them: the same on-time yield, a fixed date, no
// message boxes expected.
class BenchServices final : public TaskServices {
public:
    // The supervisor: no rights to read, so a company made by an older kelo-data still serves.
    explicit BenchServices(DataContext& context) : m_context(context) {}
    uint16_t GetProgramDateChecked() override { return g_date; }
    void YieldToHost() override
    {
        if (background) m_yield.Yield();
    }
    bool BackgroundFill() const override { return background; }
    int TaskMessageBox(const std::string& text, int, int) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return 1;
    }
    int TaskMessageBoxId(int id, int kind, int extra) override
    {
        return TaskMessageBox(std::to_string(id), kind, extra);
    }
    const std::string& CurrentUserName() const override { return m_user; }
    DataContext& Context() override { return m_context; }
    const CBAccessManager& AccessManager() const override { return m_access; }

    bool background = false;

private:
    DataContext& m_context;
    std::string m_user = "OVERSEE";
    CBAccessManager m_access;
    CKYieldClock m_yield;
};

Clock::duration ThreadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// A child process that spins on one core until the run ends.
class CompetingLoad {
public:
    explicit CompetingLoad(bool on)
    {
        if (!on) return;
        m_child = fork();
        if (m_child == 0) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(0, &one);
            sched_setaffinity(0, sizeof one, &one);
            for (std::atomic<unsigned long> n = 0;; n.fetch_add(1, std::memory_order_relaxed)) {
            }
        }
    }
    ~CompetingLoad()
    {
        if (m_child <= 0) return;
        kill(m_child, SIGKILL);
        waitpid(m_child, nullptr, 0);
    }
    CompetingLoad(const CompetingLoad&) = delete;
    CompetingLoad& operator=(const CompetingLoad&) = delete;

private:
    pid_t m_child = -1;
};

// Notes the first paint of the list that shows rows.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget* viewport, const QAbstractItemModel& model)
        : m_viewport(viewport), m_model(model)
    {
        viewport->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_viewport && event->type() == QEvent::Paint && !painted &&
            m_model.rowCount() > 0) {
            painted = true;
            at = Clock::now();
        }
        return false;
    }
    bool painted = false;
    Clock::time_point at{};

private:
    QWidget* m_viewport;
    const QAbstractItemModel& m_model;
};

class CountingSink final : public ScanSink {
public:
    void AddRow(std::span<const uint8_t>) override { ++rows; }
    long rows = 0;
};

void BM_ChooseCategory(benchmark::State& state)
{
    BenchServices services(*g_context);
    services.background = state.range(0) != 0;
    CompetingLoad load(state.range(1) != 0);
    CKTreeView tree;
    auto* page = new CReminderAuditTrail(services, nullptr, &tree);
    page->Create(nullptr);
    page->resize(900, 600);
    page->show();
    const int item = static_cast<int>(state.range(2));  // 0 Sales Overdue, 1 Sales Due
    const uint32_t category = tree.GetItemValue(item);
    CKListView& list = *page->List();
    QAbstractItemModel& model = *list.model();

    // A 1 ms timer: the longest gap between two of its firings is how long input would wait.
    Clock::time_point lastTick = Clock::now();
    Clock::duration lastCpu = ThreadCpu();
    Clock::duration longestGap{}, gapCpu{}, longestCpu{};
    bool measuring = false;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        const Clock::duration cpu = ThreadCpu();
        if (measuring && now - lastTick > longestGap) {
            longestGap = now - lastTick;
            gapCpu = cpu - lastCpu;
        }
        if (measuring) longestCpu = std::max(longestCpu, cpu - lastCpu);
        lastTick = now;
        lastCpu = cpu;
    });
    tick.start();

    long rows = 0;
    Clock::duration scan{}, shown{}, first{}, scanCpu{}, shownCpu{};
    for (auto _ : state) {
        CountingSink sink;
        Clock::duration cpu = ThreadCpu();
        Clock::time_point start = Clock::now();
        ScanAccountsDue(ScanInput{*g_context, category, g_date, "OVERSEE"}, sink);
        scan += Clock::now() - start;
        scanCpu += ThreadCpu() - cpu;
        rows = sink.rows;

        QCoreApplication::processEvents();
        list.DeleteAllItems();
        measuring = true;
        lastCpu = cpu = ThreadCpu();
        lastTick = start = Clock::now();
        page->OnCategorySelected(item, category);
        FirstPaint paint(list.viewport(), model);
        // Complete: the fill has ended and the view knows of every row and has painted them.
        while (!(page->IsFillComplete() && !page->IsBusy() && list.RowCount() == rows &&
                 model.rowCount() == rows)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        QCoreApplication::processEvents();
        shown += Clock::now() - start;
        shownCpu += ThreadCpu() - cpu;
        first += (paint.painted ? paint.at : Clock::now()) - start;
        measuring = false;
    }
    const double n = double(state.iterations());
    state.counters["rows"] = double(rows);
    state.counters["ms_scan"] = Ms(scan).count() / n;
    state.counters["ms_shown"] = Ms(shown).count() / n;
    state.counters["ms_first_rows"] = Ms(first).count() / n;
    state.counters["x_scan"] = Ms(scan).count() > 0 ? Ms(shown).count() / Ms(scan).count() : 0;
    state.counters["longest_gap_ms"] = Ms(longestGap).count();
    state.counters["gap_cpu_ms"] = Ms(gapCpu).count();
    state.counters["longest_step_cpu_ms"] = Ms(longestCpu).count();
    state.counters["x_scan_cpu"] =
        scanCpu.count() > 0 ? double(shownCpu.count()) / double(scanCpu.count()) : 0;
    page->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* folder = std::getenv("KELO_BENCH_COMPANY");
    const std::string company = folder && *folder ? folder : "/tmp/kelo-scale100";
    if (!std::filesystem::exists(company + "/data.mdb")) {
        std::printf("bench_pagefill: no company at %s (make one with `kelo-data demo %s --scale "
                    "100` or set KELO_BENCH_COMPANY); skipped\n",
                    company.c_str(), company.c_str());
        return 0;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* date = std::getenv("KELO_BENCH_DATE");
    g_date = date ? DateStringToNumber(date) : 0;
    if (g_date == 0) g_date = GetProgramDate();
    g_context = std::make_unique<DataContext>(DataContext::Open(company));

    benchmark::RegisterBenchmark("ChooseCategory/AccountsDue", BM_ChooseCategory)
        ->ArgNames({"background", "load", "category"})
        ->Args({0, 0, 0})
        ->Args({1, 0, 0})
        ->Args({1, 1, 0})
        ->Args({0, 0, 1})
        ->Args({1, 0, 1})
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_context.reset();
    return 0;
}
