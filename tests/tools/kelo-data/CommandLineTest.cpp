// kelo-data's command line: --help and --version on stdout, and options in either GNU form and
// either place reach the command.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/data/FileMap.h"
#include "host/file/DataContext.h"
#include "host/file/RecordFile.h"

namespace kelo {
namespace {

using test::RunKeloData;

TEST(KeloDataCommandLine, HelpAndVersion) {
    for (const char* help : {"--help", "-h", "help"}) {
        const auto run = RunKeloData({help});
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_EQ(run.out.rfind("Usage: kelo-data COMMAND DIR", 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    const auto version = RunKeloData({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("kelo-data (Kelo Task Manager) ", 0), 0u) << version.out;
}

TEST(KeloDataCommandLine, AnOptionBeforeOrAfterTheOperandsMeansTheSame) {
    test::TempFolder dir;
    const std::string company = dir / "company";
    {
        DataContext ctx = DataContext::Create(company);
        const std::vector<uint8_t> record(FindFile(kFileUsers)->recordLength, 0);
        WriteRec(ctx.File(kFileUsers), 1, record.data());
    }
    const auto after = RunKeloData({"dump", company, "USERS.DTA", "--json"});
    const auto before = RunKeloData({"--json", "dump", company, "USERS.DTA"});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(before.out, after.out);
    EXPECT_NE(after.out, RunKeloData({"dump", company, "USERS.DTA"}).out);

    const auto usage = RunKeloData({"stat", company, "--scale=2"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("Try 'kelo-data --help' for more information."), std::string::npos)
        << usage.err;
}

}  // namespace
}  // namespace kelo
