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
