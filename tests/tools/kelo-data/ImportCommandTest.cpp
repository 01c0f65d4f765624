// kelo-data import: records given as JSON lines round-trip through dump --json, replacing a
// record moves its index entry, and a file that fails anywhere changes nothing.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/file/RecordFile.h"
#include "host/data/AccountRecord.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string dump(const std::string& company, const std::string& file)
{
    const auto run = RunKeloData({"dump", company, file, "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

// Dumping a file of the demo and importing it into an empty company gives the same dump, and the
// indexes that import keeps are right (check passes). Covers texts, every number type, raw bytes
// (user rights), indexed files with a deleted record (To Do) and shared keys (splits, with their
// headers, so the transactions stay whole).
TEST(ImportCommand, RoundTripsThroughDumpJson)
{
    test::TempFolder dir;
    const std::string demo = dir / "demo", copy = dir / "copy";
    test::MakeDemo(demo);
    ASSERT_EQ(RunKeloData({"create", copy}).exitCode, 0);
    // The customers come with their headers, splits and allocations, so every chain is whole.
    for (const char* file : {"SALES.DTA", "HEADER.DTA", "SPLIT.DTA", "ALLOC.DTA", "TODO.DTA",
                             "STOCK.DTA", "USERS.DTA", "TAXCTRL.DTA", "RECUR.DTA", "BILLS.DTA"}) {
        const std::string original = dump(demo, file);
        ASSERT_FALSE(original.empty()) << file;
        writeFile(dir / "records.jsonl", original);
        const auto run = RunKeloData({"import", copy, file, dir / "records.jsonl"});
        ASSERT_EQ(run.exitCode, 0) << file << ": " << run.err;
        EXPECT_EQ(dump(copy, file), original) << file;
    }
    const auto checked = RunKeloData({"check", copy});
    EXPECT_EQ(checked.exitCode, 0) << checked.out;
    EXPECT_EQ(dump(copy, "TODO.IDX"), dump(demo, "TODO.IDX"));
    EXPECT_EQ(dump(copy, "SALES.IDX"), dump(demo, "SALES.IDX"));
}

// Replacing an account moves its key and keeps the fields not given; a line without a number
// adds a record; "deleted": true deletes (its index entry goes), false imports the line as a
// record; a Latin-1 accented name goes in as it is.
TEST(ImportCommand, ReplacesAddsAndDeletesRecordsAndKeepsLatinOneText)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    test::MakeDemo(company);
    std::string oldCode;
    {
        DataContext ctx = DataContext::Open(company);
        std::vector<uint8_t> rec(kAccountLength);
        ASSERT_TRUE(ReadRec(ctx.File(kFileCustomers), 2, rec.data()));
        oldCode = GetText(rec.data(), kAccountReference);
    }
    writeFile(dir / "in.jsonl",
              "{\"record_number\": 2, \"reference\": \"NEWCODE\", \"name\": \"Renamed Ltd\"}\n"
              "\n"
              "{\"reference\": \"ADDED1\", \"name\": \"Added Ltd\", \"credit_limit\": 2500.5, "
              "\"credit_period\": -3, \"on_hold\": 1}\n"
              "{\"record_number\": 3, \"deleted\": true}\n"
              "{\"record_number\": 4, \"deleted\": false, \"name\": \"Caf\u00e9 M\u00fcller\"}\n");
    const auto run = RunKeloData({"import", company, "8", dir / "in.jsonl"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("1 added, 3 replaced"), std::string::npos) << run.out;
    const std::string after = dump(company, "SALES.DTA");
    EXPECT_NE(after.find("{\"deleted\":true,\"record_number\":3}"), std::string::npos) << after;

    DataContext ctx = DataContext::Open(company);
    std::vector<uint8_t> rec(kAccountLength);
    EXPECT_EQ(FlashFindAccount(ctx, kLedgerSales, "NEWCODE ", rec.data(), 0), 2u);
    EXPECT_EQ(GetText(rec.data(), kAccountName), "Renamed Ltd");
    EXPECT_NE(GetF64(rec.data(), kAccountBalance), 0.0);  // fields not given are kept
    EXPECT_EQ(FlashFindAccount(ctx, kLedgerSales, oldCode.c_str(), rec.data(), 0), 0u);
    EXPECT_EQ(FlashFindAccount(ctx, kLedgerSales, "ADDED1", rec.data(), 0), 201u);
    EXPECT_DOUBLE_EQ(GetF64(rec.data(), kAccountCreditLimit), 2500.5);
    EXPECT_EQ(GetI16(rec.data(), kAccountCreditPeriod), -3);
    EXPECT_EQ(GetU8(rec.data(), kAccountOnHold), 1);
    ASSERT_TRUE(ReadRec(ctx.File(kFileCustomers), 4, rec.data()));
    EXPECT_EQ(GetText(rec.data(), kAccountName), "Caf\xe9 M\xfcller");
    EXPECT_EQ(RunKeloData({"check", company}).exitCode, 0);
}

struct BadLine {
    const char* name;
    const char* line;
    const char* message;
};

const BadLine kBadLines[] = {
    {"not_json", "{\"name\": ", "bad JSON"},
    {"unknown_field", "{\"record_number\": 3, \"colour\": \"red\"}", "no field colour"},
    {"text_too_long", "{\"record_number\": 3, \"reference\": \"TOOLONGCODE\"}", "field reference"},
    {"number_out_of_range", "{\"record_number\": 3, \"on_hold\": 300}", "field on_hold"},
    {"bad_record_number", "{\"record_number\": 0, \"name\": \"x\"}", "record_number"},
    // Records hold Latin-1: a character outside it would be stored as '?'.
    {"euro_sign", "{\"record_number\": 3, \"name\": \"Caf\u20ac\"}", "field name: \"Caf"},
    // A first name byte 0xFF marks the record deleted; only "deleted": true may do that.
    {"deletion_mark", "{\"reference\": \"GONE\", \"name\": \"\u00ffGone\"}",
     "field name: a first character"},
    {"empty_object", "{}", "names no field"},
};

class ImportRejects : public testing::TestWithParam<BadLine> {};

// The bad line sits between good ones; the message names the input file and the line, and the
// company is exactly as it was.
TEST_P(ImportRejects, ABadLineInTheMiddleWritesNothing)
{
    test::TempFolder dir;
    const std::string company = dir / "demo";
    test::MakeDemo(company);
    const std::string before = dump(company, "SALES.DTA"), indexBefore = dump(company, "SALES.IDX");
    const std::string input = dir / "in.jsonl";
    writeFile(input, std::string("{\"record_number\": 1, \"name\": \"Changed\"}\n") +
                         "{\"reference\": \"NEW1\", \"name\": \"New\"}\n" + GetParam().line +
                         "\n{\"record_number\": 4, \"name\": \"Changed too\"}\n");
    const auto run = RunKeloData({"import", company, "SALES.DTA", input});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(input + " line 3"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(dump(company, "SALES.DTA"), before);
    EXPECT_EQ(dump(company, "SALES.IDX"), indexBefore);
}

INSTANTIATE_TEST_SUITE_P(Lines, ImportRejects, testing::ValuesIn(kBadLines),
                         [](const testing::TestParamInfo<BadLine>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kelo
