// The Bills page and the nominal lookup on large files, each against a bare LMDB walk of the
// same records in the same run:
//  - the Bills fill: the page's scan over 100,000 bills into a list model (rows kept as the page
//    keeps them), per category, against a bare cursor walk that copies and classifies each bill;
//  - opening the nominal lookup on 100,000 accounts under a field holding a code half way down:
//    the popup with its resources, the index search and the rows the list shows, against a bare
//    walk to the same index position and reads of the same rows.
//
// The company is KELO_BENCH_BILLS_COMPANY (default /tmp/kelo-bench-bills), made on first use with
// 100,000 bills and 100,000 nominal accounts.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QWidget>

#include "BareLmdb.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/file/RecordCodec.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKListModel.h"
#include "host/ui/CKPopupField.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "src/controls/CNominalPopupDlg.h"
#include "src/pages/scans/BillScan.h"

namespace {

using namespace kelo;

constexpr uint32_t kBills = 100000;
constexpr uint32_t kAccounts = 100000;
const uint16_t kToday = DateNumberFromComponents(1, 6, 2027);

std::string g_folder;
std::unique_ptr<DataContext> g_context;
std::unique_ptr<bench::BareLmdb> g_bare;

std::string Code(uint32_t n)
{
    char code[16];
    std::snprintf(code, sizeof code, "N%06u", n);
    return code;
}

void MakeCompany(const std::string& folder)
{
    std::printf("bench_bills: making %s (%u bills, %u nominal accounts)\n", folder.c_str(), kBills,
                kAccounts);
    DataContext context = DataContext::Create(folder);
    CDDataResourceManager manager(context);
    manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceSave));
    manager.GetResources().Add(CBNom::GetStaticResourcesFor(kResourceSave));
    manager.ObtainResources();
    std::vector<uint8_t> bill(kBillLength, 0);
    for (uint32_t n = 1; n <= kBills; ++n) {
        std::fill(bill.begin(), bill.end(), 0);
        uint8_t* p = bill.data();
        const double net = 10.0 + (n % 997);
        // A third paid, the rest due in the coming months or the past ones.
        const uint16_t due = static_cast<uint16_t>(kToday - 200 + n % 400);
        SetText(p, kBillPayTo, Code(n % kAccounts + 1));
        SetText(p, kBillDetails, "Bill number " + std::to_string(n));
        SetText(p, kBillReference, "R" + std::to_string(n));
        SetU16(p, kBillDate, static_cast<uint16_t>(due - 30));
        SetU16(p, kBillDueDate, due);
        SetF64(p, kBillNetAmount, net);
        SetF64(p, kBillTaxAmount, Round(net * 0.2, 2));
        if (n % 3 == 0) {
            SetF64(p, kBillNetPaid, net);
            SetF64(p, kBillTaxPaid, Round(net * 0.2, 2));
        }
        SetU16(p, kBillFirstDueDate, due);
        SetU16(p, kBillFirstDueDateSet, 1);
        WriteRec(manager.Context().File(kFileBills), n, p);
    }
    std::vector<uint8_t> nominal(kNominalLength, 0);
    for (uint32_t n = 1; n <= kAccounts; ++n) {
        SetText(nominal.data(), kNominalCode, Code(n));
        SetText(nominal.data(), kNominalName, "Nominal account " + std::to_string(n));
        WriteRec(manager.Context().File(kFileNominal), n, nominal.data());
        const AccountKey key = BuildAccountKey(Code(n));
        AddKey(manager.Context().File(kFileNominalIndex), key.data(), n, 0, 0);
    }
    manager.ReleaseResources();
}

// Rows kept as the page's list keeps them.
class ListSink final : public ScanSink {
public:
    ListSink() { model.SetColumns(BillColumns()); }
    void AddRow(std::span<const uint8_t> row) override { model.AddRow(row); }
    CKListModel model;
};

const uint32_t kCategories[] = {kBillCurrent, kBillOverdue, kBillPaid};

void BM_BillsFill(benchmark::State& state)
{
    const uint32_t category = kCategories[state.range(0)];
    long rows = 0;
    for (auto _ : state) {
        ListSink sink;
        ScanBills(ScanInput{*g_context, category, kToday, "OVERSEE"}, sink);
        rows = sink.model.RowCount();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_BillsFill)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BillsFill_Bare(benchmark::State& state)
{
    const uint32_t category = kCategories[state.range(0)];
    const MDB_dbi bills = g_bare->Table(kFileBills);
    long rows = 0;
    for (auto _ : state) {
        MDB_txn* txn = g_bare->Begin();
        MDB_cursor* c = nullptr;
        mdb_cursor_open(txn, bills, &c);
        MDB_val k, v;
        uint8_t rec[kBillLength];
        std::vector<uint8_t> kept;
        kept.reserve(size_t(kBills) * 99);
        rows = 0;
        for (int rc = mdb_cursor_get(c, &k, &v, MDB_FIRST); rc == 0;
             rc = mdb_cursor_get(c, &k, &v, MDB_NEXT)) {
            codec::Decode(bench::BareLmdb::KeyRecord(k), bench::BareLmdb::View(v), rec, kBillLength);
            double d[4];
            std::memcpy(d, rec + kBillNetAmount.offset, sizeof d);
            const double outstanding = Round(d[0] + d[1] - d[2] - d[3], 2);
            uint16_t due;
            std::memcpy(&due, rec + kBillDueDate.offset, 2);
            const uint32_t cat = outstanding < 5e-9 ? kBillPaid : due < kToday ? kBillOverdue : kBillCurrent;
            if (cat & category) {
                kept.insert(kept.end(), rec, rec + 99);
                ++rows;
            }
        }
        benchmark::DoNotOptimize(kept.data());
        mdb_cursor_close(c);
        bench::BareLmdb::End(txn);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_BillsFill_Bare)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

// The field holds a code half way down the ledger.
const std::string kOwnerCode = Code(kAccounts / 2);

void BM_NominalLookupOpen(benchmark::State& state)
{
    QWidget window;
    auto* field = new CKPopupField(&window);
    field->setGeometry(10, 10, 120, 24);
    window.resize(400, 100);
    window.show();
    field->SetTextQuietly(QString::fromLatin1(kOwnerCode.c_str()));
    long built = 0;
    for (auto _ : state) {
        auto* popup = new CNominalPopupDlg(field, *g_context);
        popup->CreatePopup(field, field);
        // The block of rows round the selection, as the list asks for it when it paints.
        benchmark::DoNotOptimize(popup->RowAt(std::max(popup->SelectedRow(), 0)));
        built = popup->RowsBuilt();
        popup->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["rows_built"] = double(built);
}
BENCHMARK(BM_NominalLookupOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NominalLookupOpen_Bare(benchmark::State& state)
{
    const MDB_dbi index = g_bare->Table(kFileNominalIndex);
    const MDB_dbi data = g_bare->Table(kFileNominal);
    const AccountKey wanted = BuildAccountKey(kOwnerCode);
    for (auto _ : state) {
        MDB_txn* txn = g_bare->Begin();
        MDB_cursor* c = nullptr;
        mdb_cursor_open(txn, index, &c);
        MDB_val k, v;
        // The position of the code in key order, as the index search finds it.
        uint32_t position = 1;
        int rc = mdb_cursor_get(c, &k, &v, MDB_FIRST);
        for (; rc == 0; rc = mdb_cursor_get(c, &k, &v, MDB_NEXT), ++position)
            if (std::memcmp(k.mv_data, wanted.data(), wanted.size()) >= 0) break;
        // The block of rows around it that the list shows.
        const uint32_t first = (position - 1) / 64 * 64 + 1;
        rc = mdb_cursor_get(c, &k, &v, MDB_FIRST);
        for (uint32_t p = 1; rc == 0 && p < first; ++p) rc = mdb_cursor_get(c, &k, &v, MDB_NEXT);
        uint8_t rec[kNominalLength];
        for (uint32_t n = 0; rc == 0 && n < 64; ++n, rc = mdb_cursor_get(c, &k, &v, MDB_NEXT)) {
            unsigned char b[4];
            MDB_val dk = bench::BareLmdb::RecordKey(bench::BareLmdb::IndexRecord(v), b);
            MDB_val dv;
            if (mdb_get(txn, data, &dk, &dv) == 0)
                codec::Decode(bench::BareLmdb::KeyRecord(dk), bench::BareLmdb::View(dv), rec, kNominalLength);
            benchmark::DoNotOptimize(rec);
        }
        mdb_cursor_close(c);
        bench::BareLmdb::End(txn);
    }
}
BENCHMARK(BM_NominalLookupOpen_Bare)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const char* folder = std::getenv("KELO_BENCH_BILLS_COMPANY");
    g_folder = folder && *folder ? folder : "/tmp/kelo-bench-bills";
    if (!std::filesystem::exists(g_folder + "/data.mdb")) MakeCompany(g_folder);
    g_context = std::make_unique<DataContext>(DataContext::Open(g_folder));
    g_bare = std::make_unique<bench::BareLmdb>(g_folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
