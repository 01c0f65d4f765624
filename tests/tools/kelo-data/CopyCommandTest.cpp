// kelo-data copy moves a company between a folder and a server (or another folder when the tests
// run without a server) whole, and refuses to overwrite a company.

#include <string>

#include <gtest/gtest.h>

#include "ToolRun.h"
#include "host/file/DataContext.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::RunKeloData;

class CopyCommand : public ::testing::Test {
protected:
    ~CopyCommand() override { test::RemoveCompany(m_target); }
    test::TempFolder m_dir;
    // A database on the test cluster when there is one, else an empty folder.
    std::string m_target = test::NewCompanyLocation();
};

TEST_F(CopyCommand, MovesACompanyThereAndBackWhole)
{
    const std::string demo = m_dir / "demo";
    ASSERT_EQ(RunKeloData({"demo", demo, "--date", "15/06/2027"}).exitCode, 0);

    const auto there = RunKeloData({"copy", demo, m_target});
    ASSERT_EQ(there.exitCode, 0) << there.err;
    EXPECT_NE(there.out.find("copied 31 files"), std::string::npos) << there.out;
    const auto checked = RunKeloData({"check", m_target});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

    const std::string back = m_dir / "back";
    ASSERT_EQ(RunKeloData({"copy", m_target, back}).exitCode, 0);
    EXPECT_EQ(RunKeloData({"stat", back}).out, RunKeloData({"stat", demo}).out);
    for (const char* file : {"TODO.DTA", "TODO.NOT", "SALES.DTA", "HEADER.DTA", "SPLIT.DTA"})
        EXPECT_EQ(RunKeloData({"dump", back, file, "--json"}).out,
                  RunKeloData({"dump", demo, file, "--json"}).out)
            << file;

    const auto again = RunKeloData({"copy", demo, m_target});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("already holds a company"), std::string::npos) << again.err;
}

}  // namespace
}  // namespace kelo
