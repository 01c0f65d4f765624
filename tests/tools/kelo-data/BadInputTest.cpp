// Every command meets bad input with a one-line message that names what is wrong (the folder,
// the file, the date) and a non-zero exit, and leaves nothing behind.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/file/DataContext.h"

namespace kelo {
namespace {

using test::RunKeloData;
namespace fs = std::filesystem;

struct Fixture {
    test::TempFolder dir;
    std::string company = dir / "company";
    std::string empty = dir / "empty";
    std::string damaged = dir / "damaged";
    std::string jsonl = dir / "bad.jsonl";
    Fixture()
    {
        DataContext::Create(company);
        fs::create_directories(empty);
        fs::create_directories(damaged);
        std::ofstream(damaged + "/data.mdb") << std::string(9000, 'x');  // not an LMDB file
        std::ofstream(jsonl) << "{oops\n";
    }
};

struct Case {
    const char* name;
    std::vector<std::string> args;  // {company}, {empty}, {damaged}, {dir}, {jsonl} are replaced
    std::string message;            // the same placeholders
};

std::string expand(std::string s, const Fixture& f)
{
    const std::pair<const char*, std::string> names[] = {{"{company}", f.company}, {"{empty}", f.empty},
                                                         {"{damaged}", f.damaged}, {"{dir}", f.dir.Path()},
                                                         {"{jsonl}", f.jsonl}};
    for (const auto& [key, value] : names)
        for (size_t at; (at = s.find(key)) != std::string::npos;) s.replace(at, std::string(key).size(), value);
    return s;
}

const Case kCases[] = {
    {"stat_of_a_folder_that_is_no_company", {"stat", "{empty}"}, "{empty}: not a company folder"},
    {"dump_of_a_missing_folder", {"dump", "{dir}/nowhere", "8"}, "{dir}/nowhere: no such folder"},
    {"stat_of_a_damaged_environment", {"stat", "{damaged}"}, "{damaged}"},
    {"dump_of_an_unknown_file_name", {"dump", "{company}", "NOPE.DTA"}, "unknown file NOPE.DTA"},
    {"import_of_bad_json", {"import", "{company}", "SALES.DTA", "{jsonl}"}, "{jsonl} line 1: bad JSON"},
    {"import_of_a_missing_input", {"import", "{company}", "SALES.DTA", "{dir}/none.jsonl"}, "{dir}/none.jsonl: cannot be read"},
    {"import_into_an_index", {"import", "{company}", "SALES.IDX", "{jsonl}"}, "cannot import into SALES.IDX"},
    {"demo_with_a_bad_date", {"demo", "{dir}/new", "--date", "31/02/2027"}, "bad date '31/02/2027'"},
    {"demo_over_a_company", {"demo", "{company}"}, "{company}: already holds a company"},
    {"demo_over_a_file", {"demo", "{jsonl}"}, "{jsonl}: exists and is not a folder"},
    {"create_in_a_folder_with_other_files", {"create", "{dir}"}, "{dir}: the folder is not empty"},
    {"no_command", {}, "no COMMAND given"},
};

class BadInput : public testing::TestWithParam<Case> {};

TEST_P(BadInput, FailsWithAMessageNamingWhatIsWrong)
{
    Fixture f;
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args) args.push_back(expand(a, f));
    const auto run = RunKeloData(args);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, -1) << "crashed";
    EXPECT_NE(run.err.find(expand(GetParam().message, f)), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(f.dir / "new")) << "a failed demo left its folder";
    EXPECT_FALSE(fs::exists(f.empty + "/data.mdb")) << "a read made a company";
    // The company the failures were tried on still opens and checks clean.
    EXPECT_EQ(RunKeloData({"check", f.company}).exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kelo
