#include "host/ui/CKLauncher.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

class CKLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = CKLauncher::SetStarter([this](const QString& p, const QStringList& a) {
            m_started.emplace_back(p, a);
            return true;
        });
    }
    void TearDown() override { CKLauncher::SetStarter(m_previous); }

    std::vector<std::pair<QString, QStringList>> m_started;
    CKLauncher::Starter m_previous;
};

TEST_F(CKLauncherTest, SplitsTheCommandLine)
{
    EXPECT_TRUE(CKLauncher::WinExec("notepad \"my file.txt\" -x", 1));
    ASSERT_EQ(m_started.size(), 1u);
    EXPECT_EQ(m_started[0].first, "notepad");
    EXPECT_EQ(m_started[0].second, (QStringList{"my file.txt", "-x"}));
    EXPECT_FALSE(CKLauncher::WinExec("   ", 1));
    EXPECT_EQ(m_started.size(), 1u);
}

TEST_F(CKLauncherTest, CalcStartsTheDesktopCalculator)
{
    const QString calculator = CKLauncher::FindCalculator();
    for (const char* line : {"CALC.EXE", "calc.exe", "C:\\Windows\\CALC.EXE"}) {
        m_started.clear();
        EXPECT_EQ(CKLauncher::WinExec(line, 1), !calculator.isEmpty()) << line;
        if (calculator.isEmpty()) {
            EXPECT_TRUE(m_started.empty()) << "no calculator installed: nothing runs";
        } else {
            ASSERT_EQ(m_started.size(), 1u);
            EXPECT_EQ(m_started[0].first, calculator);
        }
    }
}

}  // namespace
}  // namespace kelo
