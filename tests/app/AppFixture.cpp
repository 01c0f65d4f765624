#include "tests/app/AppFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "host/util/Settings.h"
#include "src/app/CReminderApp.h"
#include "src/app/CReminderDialog.h"
#include "src/app/TaskEntryPoints.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/UserRecord.h"

namespace kelo::test {

CountingPage::CountingPage(int cmd, TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(103, 1003, services, parent, tree, 0), command(cmd)
{
}

bool CountingPage::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    static const TaskCategory kCategories[] = {{"First", 1}, {"Second", 2}};
    SetUpCategories(kCategories);
    return true;
}

void CountingPage::FillList()
{
    ++fills;
    if (BeginFill()) EndFill();
}

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_settings.isValid());
    SetINIFolder(m_settings.path());
    SetProgramDate(DateNumberFromComponents(15, 6, 2027));
    WriteUsers({{"CLERK", {}, {}}});
    m_block.assign(kGlobalBlockLength, 0);
    GlobalBlock block(m_block.data());
    block.SetContext(&m_company.Context());
    block.SetText(kGlobalProgramDir, (m_settings.path() + "/program/").toStdString());
    g_lpGlobVar = m_block.data();
    LogOn("OVERSEE");
    m_answers = std::make_unique<CKScriptedAnswerer>();
    CReminderApp::Instance().LoadStartSettings();
    m_previousFactory = PageFactory::SetOverride(
        [](int command, TaskServices& services, QWidget* parent, CKTreeView* tree) -> CReminderPage* {
            return new CountingPage(command, services, parent, tree);
        });
}

void AppFixture::TearDown()
{
    KillTaskManager();
    Settle();
    PageFactory::SetOverride(std::move(m_previousFactory));
    m_answers.reset();
    g_lpGlobVar = nullptr;
    SetINIFolder(QString());
    SetProgramDate(0);
}

void AppFixture::WriteUsers(const std::vector<UserRights>& users)
{
    std::vector<UserRights> all;
    bool hasSupervisor = false;
    for (const UserRights& u : users) hasSupervisor = hasSupervisor || u.name == "OVERSEE";
    if (!hasSupervisor) all.push_back({"OVERSEE", {}, {}});
    all.insert(all.end(), users.begin(), users.end());
    DataFile file = m_company.Context().File(kFileUsers);
    FileCreate(file, 16, 1);
    uint32_t recno = 0;
    for (const UserRights& u : all) {
        std::vector<uint8_t> rec(kUserLength, 0);
        SetText(rec.data(), kUserName, u.name);
        for (int m = 0; m < kUserModuleCount; ++m) SetUserModuleAccess(rec.data(), m, kAccessFull);
        for (int m : u.noAccessModules) SetUserModuleAccess(rec.data(), m, kAccessNone);
        for (const auto& [m, o] : u.barredOptions) SetUserOptionBarred(rec.data(), m, o, true);
        WriteRec(file, ++recno, rec.data());
    }
}

void AppFixture::LogOn(const std::string& user)
{
    GlobalBlock(m_block.data()).SetText(kGlobalUserName, user);
}

CReminderDialog* AppFixture::Open()
{
    // The host's window, shown and active before the Task Manager opens, as in the host
    // program; so the application is already active and opening adds no activation refresh.
    static QWidget* host = [] {
        auto* w = new QWidget;
        w->setWindowTitle("host");
        w->show();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        return w;
    }();
    Settle();
    TaskInitialise(host);
    Settle();
    return CReminderApp::Instance().MainWindow();
}

void AppFixture::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

CountingPage* AppFixture::ActiveTestPage()
{
    CReminderDialog* window = CReminderApp::Instance().MainWindow();
    return window ? qobject_cast<CountingPage*>(window->ActivePage()) : nullptr;
}

}  // namespace kelo::test
