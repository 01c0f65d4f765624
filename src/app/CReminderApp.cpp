#include "src/app/CReminderApp.h"

#include <stdexcept>

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "host/file/DataContext.h"
#include "host/ui/CKStatusBar.h"
#include "host/ui/CKFunctionKeyHook.h"
#include "host/ui/CKHelpViewer.h"
#include "host/ui/CKLauncher.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKTreeView.h"
#include "host/util/ProgramDate.h"
#include "host/util/Settings.h"
#include "src/app/CAboutInfo.h"
#include "src/app/CReminderDialog.h"
#include "src/app/CTreeDialog.h"
#include "src/app/StringTable.h"
#include "src/app/WindowPlacement.h"
#include "host/data/GlobalBlock.h"
#include "src/pages/CReminderPage.h"

namespace kelo {

namespace {

// Topics that open as context topics whatever window asks for them.
bool AlwaysMapped(int topic) { return topic == 103 || topic == 112 || topic == 106; }

// The host's web help: this platform has none, so help always opens the local file.
bool LaunchWebHelpIfAvailable(int /*topic*/) { return false; }

// The control id of the focused window, as help reports it.
int FocusedControlId()
{
    QWidget* w = QApplication::focusWidget();
    if (w && w->parentWidget() && w->parentWidget()->inherits("ThunderKeloEdit"))
        w = w->parentWidget();
    for (; w; w = w->parentWidget()) {
        if (auto* d = qobject_cast<CKDialog*>(w)) return d->GetDlgCtrlID();
        if (auto* l = qobject_cast<CKListView*>(w)) return l->GetDlgCtrlID();
        if (auto* t = qobject_cast<CKTreeView*>(w)) return t->GetDlgCtrlID();
        if (w->property("ctrlId").isValid()) return w->property("ctrlId").toInt();
        if (w->isWindow()) break;
    }
    return 0;
}

int CaptionButtonSize(const QWidget* window)
{
    QStyle* style = window ? window->style() : QApplication::style();
    int size = style->pixelMetric(QStyle::PM_TitleBarButtonSize, nullptr, window);
    if (size <= 0) size = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return size > 0 ? size : 18;
}

}  // namespace

CReminderApp& CReminderApp::Instance()
{
    // Lives as long as the module: never freed, so no window outlives it.
    static CReminderApp* app = new CReminderApp();
    return *app;
}

CReminderApp::CReminderApp()
{
    m_functionKeyMessage =
        CKFunctionKeyHook::RegisterWindowMessage(QString::fromLatin1(kFunctionKeyMessageName));
    LoadStartSettings();
}

void CReminderApp::LoadStartSettings()
{
    m_backgroundFill = ReadINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 0) != 0;
}

void CReminderApp::TaskInitialise(QWidget* hostWindow)
{
    m_open = 1;
    m_hostWindow = hostWindow;
    // The host may have changed the setting since the module was loaded.
    LoadStartSettings();
    const GlobalBlock block = GlobalBlock::Current();
    m_globalBlock = block.Data();
    m_context = block.Context();
    m_userName = kSupervisorName;
    if (block.Exists()) {
        const std::string name = block.UserName();
        if (!name.empty()) m_userName = name;
    }
    if (!m_context) {
        m_open = 0;
        TaskMessageBox("The Task Manager needs an open company.", MsgKind::Stop);
        return;
    }
    try {
        m_access = CBAccessManager(*m_context, m_userName);
    } catch (const std::exception& e) {
        m_open = 0;
        TaskMessageBox(std::string("The users file could not be read.\n\n") + e.what(),
                       MsgKind::Stop);
        return;
    }
    if (hostWindow) {
        if (hostWindow->windowState() & Qt::WindowMaximized)
            hostWindow->showMaximized();
        else if (!hostWindow->isVisible() || hostWindow->isMinimized())
            hostWindow->showNormal();
    }
    m_programDate = GetProgramDate();

    auto* window = new CReminderDialog(*this, hostWindow);
    if (!window->Create()) {
        window->DestroyWindow();
        return;
    }
    if (!m_mainWindow) return;  // closed during its own start
    window->show();
    window->raise();
    window->activateWindow();
    for (QWidget* w : QApplication::topLevelWidgets()) w->update();
}

void CReminderApp::ShowTaskManager()
{
    if (!m_mainWindow) return;
    if (m_mainWindow->isMinimized()) m_mainWindow->showNormal();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void CReminderApp::KillTaskManager()
{
    if (m_open && m_mainWindow) m_mainWindow->DestroyWindow();
}

QWidget* CReminderApp::HostWindow() const { return m_hostWindow; }
CReminderDialog* CReminderApp::MainWindow() const { return m_mainWindow; }
void CReminderApp::SetMainWindow(CReminderDialog* window) { m_mainWindow = window; }
CReminderPage* CReminderApp::CurrentPage() const { return m_currentPage; }
void CReminderApp::SetCurrentPage(CReminderPage* page) { m_currentPage = page; }
CTreeDialog* CReminderApp::TreePane() const { return m_treePane; }
void CReminderApp::SetTreePane(CTreeDialog* pane) { m_treePane = pane; }

void CReminderApp::MainWindowDestroyed(CReminderDialog* window)
{
    if (m_mainWindow && m_mainWindow != window) return;
    m_mainWindow = nullptr;
    m_currentPage = nullptr;
    m_treePane = nullptr;
    m_open = 0;
}

uint16_t CReminderApp::GetProgramDateChecked()
{
    const uint16_t date = GetProgramDate();
    const bool changed = date != m_programDate;
    m_programDate = date;
    if (changed && m_mainWindow) {
        m_mainWindow->PostCommand(kCommandDateChanged);
        if (m_currentPage) m_currentPage->PostCommand(kCommandDateChanged);
    }
    return date;
}

void CReminderApp::YieldToHost()
{
    if (m_backgroundFill) m_yield.Yield();
}

void CReminderApp::ShowFillProgress(int rows)
{
    if (!m_mainWindow || !m_mainWindow->StatusBar()) return;
    CKStatusBar* bar = m_mainWindow->StatusBar();
    if (rows < 0)
        bar->ClearProgressText();
    else
        bar->SetProgressText(QStringLiteral("Filling the list: %1 rows so far").arg(rows));
}

int CReminderApp::TaskMessageBox(const std::string& text, int kind, int extra)
{
    QWidget* owner = QApplication::activeWindow();
    if (!owner) owner = m_mainWindow;
    return static_cast<int>(
        CKMessageBox::Show(owner, QString::fromStdString(text), kind, CKMessageBox::kTitle, extra));
}

int CReminderApp::TaskMessageBoxId(int stringId, int kind, int extra)
{
    return TaskMessageBox(StringTable::Load(stringId) + " ", kind, extra);
}

DataContext& CReminderApp::Context()
{
    if (!m_context) throw std::logic_error("no company is open");
    return *m_context;
}

bool CReminderApp::IsSupervisor() const { return m_userName == kSupervisorName; }

void CReminderApp::SaveWindowPlacement(const QString& key, QWidget* window)
{
    WriteINIString(GetINI(1), "Tasks", key,
                   QString::fromStdString(WindowPlacement::Of(window).Format()));
}

bool CReminderApp::RestoreWindowPlacement(const QString& key, QWidget* window)
{
    const QString text = ReadINIString(GetINI(1), "Tasks", key, QString()).left(256);
    const std::optional<WindowPlacement> placement =
        WindowPlacement::Parse(text.toStdString());
    if (!placement) return false;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    const int button = CaptionButtonSize(window);
    if (!placement->Fits(size.width(), size.height(), button, button)) return false;
    placement->ApplyTo(window);
    return true;
}

int CReminderApp::OnFunctionKey(int virtualKey)
{
    switch (virtualKey) {
    case VK_F1:
        ShowContextHelp();
        break;
    case VK_F2:
        CKLauncher::WinExec("CALC.EXE", 1);
        break;
    case VK_F11:
    case VK_F12: {
        const QString key = virtualKey == VK_F11 ? "F11" : "F12";
        const QString line = ReadINIString(GetINI(1), "KL70", key, QString()).left(260);
        if (!line.isEmpty()) CKLauncher::WinExec(line, 1);
        break;
    }
    default:
        break;
    }
    return 0;
}

QString CReminderApp::HelpPath() const
{
    QString folder = QString::fromStdString(GlobalBlock(m_globalBlock).Text(kGlobalProgramDir));
    if (!folder.isEmpty() && !folder.endsWith('/') && !folder.endsWith('\\')) folder += '/';
    return QStringLiteral("%1Help\\Accounts\\%2").arg(folder, QStringLiteral("Tasks.CHM"));
}

void CReminderApp::ShowContextHelp()
{
    QWidget* active = QApplication::activeWindow();
    int topic = 0;
    bool mapped = false;
    if (active && active == m_mainWindow && m_mainWindow->ActivePage())
        topic = m_mainWindow->ActivePage()->DialogId();
    if (topic == 0) {
        topic = CKDialog::GetHelpProperty(active);
        mapped = true;
    }
    if (AlwaysMapped(topic)) mapped = true;
    const QString path = HelpPath();
    if (topic == 0) {
        const QString title = active ? active->windowTitle() : QString();
        if (title == "Company Details")
            OpenHelpTopic(active, path, HH_HELP_CONTEXT, 124, true);
        else if (title == "Recurring Entry Properties")
            OpenHelpTopic(active, path, HH_HELP_CONTEXT, 126, true);
        else if (title == "Bill Payment")
            OpenHelpTopic(active, path, HH_HELP_CONTEXT, 113, true);
        else
            OpenHelpTopic(active, path, HH_DISPLAY_TOPIC, 0, true);
        return;
    }
    if (topic == kMainWindowTopic) {
        OpenHelpTopic(active, path, HH_DISPLAY_TOPIC, 0, true);
        return;
    }
    if (mapped) {
        OpenHelpTopic(active, path, HH_HELP_CONTEXT, topic, true);
        return;
    }
    const QString hint = QString::asprintf("Dialog - %d\nControl - %d", topic, FocusedControlId());
    if (ReadINIInt(GetINI(1), "Reminder", "ShowHelpHint", 0) == 0 ||
        TaskMessageBox(hint.toStdString(), MsgKind::YesNo) == static_cast<int>(MsgAnswer::Yes))
        OpenHelpTopic(active, path, HH_HELP_CONTEXT, topic, true);
}

void CReminderApp::OpenHelpTopic(QWidget* window, const QString& path, int command, int topic,
                                 bool allowWeb)
{
    if (ReadINIInt(GetINI(1), "KL70", "ShowDialogID", 0) != 0) {
        const QString text =
            QString::asprintf("DialogID = %d\r\nControlID = %d", topic, FocusedControlId());
        CKMessageBox::Show(window, text, 0, QStringLiteral("Dialog Information"));
    }
    if (allowWeb && LaunchWebHelpIfAvailable(topic)) return;
    CKHelpViewer::HtmlHelpA(window, path, command, topic);
}

AboutHostValues CReminderApp::AboutValues() const
{
    const GlobalBlock block(m_globalBlock);
    AboutHostValues v;
    v.programDirectory = block.Text(kGlobalProgramDir);
    v.dataPath = block.Text(kGlobalDataPath);
    v.licensee = block.Text(kGlobalLicensee);
    v.serial = block.Text(kGlobalSerial);
    v.lastBackup = block.U16(kGlobalLastBackup);
    v.clearAuditTrailRan = block.U16(kGlobalClearAuditRan);
    v.clearStockRan = block.U16(kGlobalClearStockRan);
    v.lastRestore = block.U16(kGlobalLastRestore);
    v.lastInvoice = block.U32(kGlobalLastInvoice);
    v.lastCreditNote = block.U32(kGlobalLastCreditNote);
    v.lastSalesOrder = block.U32(kGlobalLastSalesOrder);
    v.lastPurchaseOrder = block.U32(kGlobalLastPurchaseOrder);
    return v;
}

}  // namespace kelo
