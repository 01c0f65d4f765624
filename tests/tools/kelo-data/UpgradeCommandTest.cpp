// Store formats: a company of another format is refused with what to do, and `kelo-data upgrade`
// converts an old one to records equal to what it held, surviving kill -9 at any moment.
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include <QProcess>
#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/file/FileEnvironment.h"
#include "host/file/RecordCodec.h"
#include "host/file/Store.h"
#include "host/util/Dates.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;

// Files of every kind: data, index, notes.
const char* const kFiles[] = {"SALES.DTA", "SALES.IDX", "HEADER.DTA", "SPLIT.DTA", "45"};

std::string dumpAll(const std::string& company)
{
    std::string all;
    for (const char* f : kFiles) {
        const auto run = RunKeloData({"dump", company, f, "--json"});
        EXPECT_EQ(run.exitCode, 0) << f << ": " << run.err;
        all += run.out;
    }
    return all;
}

void setFormat(store::Txn& txn, store::Table catalog, uint32_t format)
{
    std::string v(4, '\0');
    std::memcpy(v.data(), &format, 4);
    txn.Put(catalog, FileEnvironment::kFormatKey, v);
}

// Rewrites a company as an older store format kept it: 1, records as they are and no format
// entry; 2, checksums without the record's number.
void makeOldFormat(const std::string& folder, uint32_t format)
{
    auto s = store::OpenLmdbStore(folder, false);
    auto txn = s->Begin(true);
    const store::Table catalog = *txn->OpenTable("catalog", false);
    auto c = txn->OpenCursor(catalog);
    for (bool ok = c->First(); ok; ok = c->Next()) {
        const std::string value(c->Value());
        if (c->Key().starts_with('\x01') || value.size() <= 4) continue;
        const store::Table t = *txn->OpenTable(value.substr(4), false);
        auto r = txn->OpenCursor(t);
        for (bool more = r->First(); more; more = r->Next()) {
            std::string raw;
            const std::string key(r->Key());
            if (key.size() != 4) continue;
            uint32_t number;
            std::memcpy(&number, key.data(), 4);
            ASSERT_TRUE(codec::DecodeText(__builtin_bswap32(number), r->Value(), raw));
            txn->Put(t, key, format == 1 ? raw : codec::Encode(0, raw));
            more = r->Seek(key);
        }
    }
    c.reset();
    if (format == 1)
        txn->Del(catalog, FileEnvironment::kFormatKey);
    else
        setFormat(*txn, catalog, format);
    txn->Commit();
}

class Upgrade : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            DataContext ctx = DataContext::Create(company);
            demo::DemoOptions options;
            options.date = DateStringToNumber("06/12/2026");
            demo::MakeDemoCompany(ctx, options);
        }
        expected = dumpAll(company);
    }

    test::TempFolder dir;
    std::string company = dir / "co";
    std::string expected;
};

TEST_F(Upgrade, AnOldCompanyIsRefusedUntilConvertedThenReadsAsBefore)
{
    for (const uint32_t format : {1u, 2u}) {
        SCOPED_TRACE(format);
        makeOldFormat(company, format);
        auto run = RunKeloData({"check", company});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("older store format " + std::to_string(format)), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("kelo-data upgrade " + company), std::string::npos) << run.err;

        run = RunKeloData({"upgrade", company});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("converted from store format " + std::to_string(format) + " to 3"),
                  std::string::npos)
            << run.out;
        EXPECT_FALSE(std::filesystem::exists(company + "/upgrade.tmp"));
        EXPECT_EQ(RunKeloData({"check", company}).exitCode, 0);
        EXPECT_EQ(dumpAll(company), expected);

        run = RunKeloData({"upgrade", company});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find("nothing to do"), std::string::npos) << run.out;
    }
}

// kill -9 at moments through the conversion: the company is always either the old one, which
// upgrades again, or the new one whole.
TEST_F(Upgrade, KillNineAtAnyMomentLeavesAUsableCompany)
{
    makeOldFormat(company, 1);
    int killed = 0;
    for (int delayMs = 0; delayMs <= 120; delayMs += 12) {
        QProcess p;
        p.start(QStringLiteral(KELO_DATA_TOOL), {"upgrade", QString::fromStdString(company)});
        ASSERT_TRUE(p.waitForStarted(10000));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished(60000);
        if (p.exitStatus() == QProcess::CrashExit) ++killed;
        const auto run = RunKeloData({"upgrade", company});
        ASSERT_EQ(run.exitCode, 0) << "after a kill at " << delayMs << " ms: " << run.err;
        ASSERT_EQ(dumpAll(company), expected) << "after a kill at " << delayMs << " ms";
        makeOldFormat(company, 1);
    }
    EXPECT_GT(killed, 3);
}

}  // namespace
}  // namespace kelo
