#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderPage.h"
#include "src/pages/PageFactory.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
class CReminderApp;
class CReminderDialog;
}  // namespace kelo

namespace kelo::test {

// A page that counts the fills the main window asks of it.
class CountingPage final : public CReminderPage {
    Q_OBJECT

public:
    CountingPage(int command, TaskServices& services, QWidget* parent, CKTreeView* tree);

    void FillList() override;

    int command;
    int fills = 0;

protected:
    bool OnInitDialog() override;
};

// What a user may use: module levels and barred options, for the users file.
struct UserRights {
    std::string name;
    std::vector<int> noAccessModules;
    std::vector<std::pair<int, int>> barredOptions;  // module, option
};

// A company with users, a settings folder of its own, the host's global block filled as
// kelo-host fills it, a fixed program date and scripted message boxes. Test pages stand in for
// every task.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the users file: OVERSEE with every right unless given, then the others.
    void WriteUsers(const std::vector<UserRights>& users);
    void LogOn(const std::string& user);
    // Opens the window through the entry point and answers it.
    CReminderDialog* Open();
    // Runs queued commands and deferred deletes.
    static void Settle();
    CountingPage* ActiveTestPage();

    TempCompany m_company;
    QTemporaryDir m_settings;
    std::vector<uint8_t> m_block;
    std::unique_ptr<CKScriptedAnswerer> m_answers;
    PageFactory::Creator m_previousFactory;
};

}  // namespace kelo::test
