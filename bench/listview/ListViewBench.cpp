// CKListView at a million rows: filling the packed buffer (the view told once the event loop
// runs), sorting by a header's column, and resident memory per row.
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include <QApplication>
#include <QHeaderView>

#include <benchmark/benchmark.h>

#include "host/ui/CKListModel.h"
#include "host/ui/CKListView.h"

namespace {

using kelo::CKColumn;
using kelo::CKColumnSet;
using kelo::CKListView;

constexpr int kRows = 1'000'000;

// The Invoices list: No., Date, Name, Amount and the hidden record number (88 bytes a row).
CKColumnSet InvoiceColumns()
{
    return {CKColumn::UInt32("No.", 8), CKColumn::Text("Date", 13, 11),
            CKColumn::Text("Name", 31, 61), CKColumn::Amount("Amount", 15),
            CKColumn::HiddenUInt32()};
}

// Resident set size of this process in kB, from /proc/self/status.
long ResidentKb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(f);
    return kb;
}

// Rows in a shuffled order with names that share their first eight characters, the slow case
// for the text sort.
void Fill(CKListView& list, int rows)
{
    const CKColumnSet& set = list.Columns();
    std::vector<uint8_t> row(static_cast<size_t>(set.RowSize()));
    std::mt19937 random(42);
    std::uniform_int_distribution<uint32_t> number(1, 900000);
    std::uniform_real_distribution<double> amount(-500.0, 50000.0);
    char text[64];
    list.Reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const uint32_t n = number(random);
        set.WriteUInt32(row, 0, n);
        std::snprintf(text, sizeof text, "%02u/%02u/20%02u", n % 28 + 1, n % 12 + 1, n % 30);
        set.WriteText(row, 1, text);
        std::snprintf(text, sizeof text, "%s %06u Ltd", (n & 1) ? "Customer" : "CUSTOMER", n);
        set.WriteText(row, 2, text);
        set.WriteAmount(row, 3, amount(random));
        set.WriteUInt32(row, 4, static_cast<uint32_t>(i + 1));
        list.AddRow(row);
    }
    QCoreApplication::processEvents();  // the view takes the rows in one batch
}

void BM_AddRows(benchmark::State& state)
{
    CKListView list;
    list.SetColumns(InvoiceColumns());
    list.resize(800, 600);
    list.show();
    for (auto _ : state) {
        list.DeleteAllItems();
        Fill(list, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(list.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// One sort of a million rows by a column, turning the order round on every iteration so each
// sort has work to do.
void BM_SortByColumn(benchmark::State& state)
{
    CKListView list;
    list.SetColumns(InvoiceColumns());
    list.resize(800, 600);
    list.show();
    Fill(list, kRows);
    list.SelectRow(500);
    bool ascending = true;
    for (auto _ : state) {
        list.SortByColumn(static_cast<int>(state.range(0)),
                          ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortByColumn)
    ->ArgName("column")
    ->Arg(0)   // number
    ->Arg(2)   // text, equal in the first 8 characters
    ->Arg(3)   // amount
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// One full repaint of a maximised list (what a fill's batch or a scroll costs the window), with
// the alternate row colour the pages set and a selected row; a text sort first, so the rows shown
// differ from those of the other iterations' repaint only by scrolling one page on each time.
void BM_Repaint(benchmark::State& state)
{
    CKListView list;
    list.SetColumns(InvoiceColumns());
    list.SetColors(2, 0xE0FFE0);
    list.resize(1600, 1000);
    list.show();
    Fill(list, 100'000);
    list.SelectRow(0);
    QCoreApplication::processEvents();
    int top = 0;
    const int page = list.viewport()->height() / list.verticalHeader()->defaultSectionSize();
    for (auto _ : state) {
        if (state.range(0)) list.scrollTo(list.Model()->index(top += page, 0), QAbstractItemView::PositionAtTop);
        list.viewport()->repaint();
    }
    state.counters["rows_shown"] = page;
}
BENCHMARK(BM_Repaint)->ArgName("scrolled")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ResidentMemoryPerRow(benchmark::State& state)
{
    for (auto _ : state) {
        CKListView list;
        list.SetColumns(InvoiceColumns());
        list.resize(800, 600);
        list.show();
        QCoreApplication::processEvents();
        const long before = ResidentKb();
        Fill(list, kRows);
        list.SortByColumn(2, Qt::AscendingOrder);
        const long after = ResidentKb();
        state.counters["row_bytes"] = list.RowSize();
        state.counters["rss_bytes_per_row"] = double(after - before) * 1024.0 / kRows;
    }
}
BENCHMARK(BM_ResidentMemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
