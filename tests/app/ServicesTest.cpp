// Application services: function keys and help. (A message box's text with its one added
// space is read off the real window by the end-to-end tests; its title by EntryPointTest.)
#include <QApplication>
#include <QFile>

#include "host/ui/CKHelpViewer.h"
#include "host/ui/CKLauncher.h"
#include "host/ui/CKFunctionKeyHook.h"
#include "host/util/Settings.h"
#include "src/app/CReminderApp.h"
#include "src/app/CReminderDialog.h"
#include "src/app/TaskCatalog.h"
#include "tests/app/AppFixture.h"

namespace kelo::test {
namespace {

using ServicesTest = AppFixture;

TEST_F(ServicesTest, FunctionKeysRunTheirCommandLines)
{
    std::vector<QString> started;
    auto previous = CKLauncher::SetStarter([&](const QString& program, const QStringList& args) {
        started.push_back((program + ' ' + args.join(' ')).trimmed());
        return true;
    });
    CReminderApp& app = CReminderApp::Instance();
    app.OnFunctionKey(VK_F11);
    EXPECT_TRUE(started.empty()) << "an empty F11 does nothing";
    WriteINIString(GetINI(1), "KL70", "F11", "/usr/bin/true --eleven");
    WriteINIString(GetINI(1), "KL70", "F12", "/usr/bin/true --twelve");
    app.OnFunctionKey(VK_F11);
    app.OnFunctionKey(VK_F12);
    app.OnFunctionKey(0x41);
    CKLauncher::SetStarter(previous);
    EXPECT_EQ(started, (std::vector<QString>{"/usr/bin/true --eleven", "/usr/bin/true --twelve"}));
}

// F1 on the main window opens the page's topic (103 for the To Do list); the help window
// itself is the end-to-end tests'.
// Every topic the module opens has its page.
TEST_F(ServicesTest, HelpKeyAndContentsOpenTheirTopics)
{
    std::vector<CKHelpViewer::Request> shown;
    auto previous = CKHelpViewer::SetShower([&](const CKHelpViewer::Request& r) { shown.push_back(r); });
    CReminderDialog* window = Open();
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(CKFunctionKeyHook::Deliver(Qt::Key_F1));
    CKHelpViewer::SetShower(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].command, HH_HELP_CONTEXT);
    EXPECT_EQ(shown[0].topic, 103);
    EXPECT_TRUE(shown[0].page.endsWith("103.html")) << shown[0].page.toStdString();

    const QString folder = qEnvironmentVariable("KELO_SOURCE_DIR") + "/help/";
    for (int topic : {1, 103, 104, 106, 107, 108, 109, 110, 112, 113, 121, 124, 126, 133, 134,
                      135, 136, 137})
        EXPECT_TRUE(QFile::exists(folder + QString::number(topic) + ".html")) << topic;
}

}  // namespace
}  // namespace kelo::test
