// Making a company is all or nothing, even when the tool is killed half way. (A folder that
// is not empty is refused: BadInputTest.)
#include <filesystem>
#include <string>

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/tools/kelo-data/ToolRun.h"

namespace kelo::test {
namespace {

namespace fs = std::filesystem;

int entries(const std::string& folder)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

TEST(CompanyFolder, AKilledDemoLeavesNoCompanyAndTheNextOneSucceeds)
{
    TempFolder tmp;
    const std::string target = tmp / "co";
    QProcess demo;
    demo.start(QStringLiteral(KELO_DATA_TOOL),
               {"demo", QString::fromStdString(target), "--scale", "50"});
    ASSERT_TRUE(demo.waitForStarted(10000));
    ASSERT_TRUE(demo.waitForReadyRead(60000)) << "no progress line";  // records are being written
    ::kill(pid_t(demo.processId()), SIGKILL);
    demo.waitForFinished(10000);

    EXPECT_FALSE(fs::exists(target)) << "a half-built company where a company is expected";
    const ToolRun check = RunKeloData({"check", target});
    EXPECT_NE(check.exitCode, 0);

    const ToolRun again = RunKeloData({"demo", target});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(RunKeloData({"check", target}).exitCode, 0);
    EXPECT_EQ(entries(tmp.Path()), 1) << "the dead run's staging folder is cleared";
}

}  // namespace
}  // namespace kelo::test
