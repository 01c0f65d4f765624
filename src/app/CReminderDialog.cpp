#include "src/app/CReminderDialog.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>

#include "host/file/RecordFile.h"
#include "host/ui/CKBox.h"
#include "host/ui/CKFunctionKeyHook.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKSplitter.h"
#include "host/ui/CKStatusBar.h"
#include "host/ui/CKTBar.h"
#include "host/util/Settings.h"
#include "src/app/CAboutInfo.h"
#include "src/app/CReminderApp.h"
#include "src/app/CToolbarDialog.h"
#include "src/app/CTreeDialog.h"
#include "src/app/StringTable.h"
#include "src/app/TaskCatalog.h"
#include "host/data/FileMap.h"
#include "src/pages/CReminderPage.h"
#include "src/pages/PageFactory.h"
#include "src/records/CCompanySettings.h"

namespace kelo {

namespace {

constexpr int kAnswerYes = static_cast<int>(MsgAnswer::Yes);

struct MenuItem {
    int command;  // 0: a separator
    const char* text;
};

constexpr MenuItem kFileMenu[] = {
    {kCommandNew, "&New\tCtrl+N"},       {kCommandOpen, "&Open\tCtrl+O"},
    {kCommandDelete, "&Delete\tDel"},    {kCommandPay, "&Pay"},
    {kCommandProperties, "&Properties\tEnter"}, {0, nullptr},
    {kCommandExit, "E&xit"},
};
constexpr MenuItem kSettingsMenu[] = {
    {kCommandCompanyDetails, "&Company Details..."},
    {0, nullptr},
    {kCommandClearToDo, "Clear &To Do Entries"},
    {kCommandClearBills, "Clear Bill Entries"},
};
constexpr MenuItem kHelpMenu[] = {
    {kCommandHelpContents, "Task Manager &Contents"},
    {0, nullptr},
    {kCommandAbout, "&About Task Manager"},
};

// The command bar's buttons, and which of them each task enables.
struct Button {
    int command;
    const char* label;
    int bitmap;
};
constexpr Button kCommandButtons[] = {
    {kCommandNew, "New", 5},   {kCommandOpen, "Open", 6},
    {kCommandDelete, "Delete", 7}, {kCommandPay, "Pay", 8},
    {kCommandProperties, "Properties", 420},
};

struct ButtonState {
    int task;
    bool enabled[5];  // New, Open, Delete, Pay, Properties
};
constexpr ButtonState kButtonStates[] = {
    {kCommandToDoList, {true, true, true, false, false}},
    {kCommandContacts, {false, true, true, false, false}},
    {kCommandBills, {true, true, true, true, false}},
    {kCommandAccountStatus, {false, false, false, false, true}},
    {kCommandAccountsDue, {false, false, false, false, true}},
    {kCommandRecurring, {false, false, false, false, true}},
    {kCommandInvoices, {false, false, false, false, false}},
    {kCommandSalesOrders, {false, false, false, false, false}},
    {kCommandPurchaseOrders, {false, false, false, false, false}},
    {kCommandStock, {false, false, false, false, false}},
};

// Menu items a user other than the supervisor loses when the access manager bars them.
struct Removal {
    int commands[2];
    bool (*barred)(const CBAccessManager&);
};
const Removal kRemovals[] = {
    {{kCommandAccountsDue, kCommandAccountStatus},
     [](const CBAccessManager& a) { return a.Check(0, 0) && a.Check(4, 0); }},
    {{kCommandStock, 0}, [](const CBAccessManager& a) { return a.Check(6, 0); }},
    {{kCommandRecurring, 0}, [](const CBAccessManager& a) { return a.Check(7, 18, 0); }},
    {{kCommandInvoices, 0}, [](const CBAccessManager& a) { return a.Check(3, 0); }},
    {{kCommandSalesOrders, 0}, [](const CBAccessManager& a) { return a.Check(2, 0); }},
    {{kCommandPurchaseOrders, 0}, [](const CBAccessManager& a) { return a.Check(5, 0); }},
    {{kCommandCompanyDetails, 0}, [](const CBAccessManager& a) { return a.Check(19, 1, 0); }},
};

QAction* FindIn(const QMenu* menu, int command)
{
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->data().toInt() == command) return a;
    return nullptr;
}

}  // namespace

CReminderDialog::CReminderDialog(CReminderApp& app, QWidget* owner)
    : CKDialog(kDialogId, owner), m_app(app)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kTitle);
    setObjectName("__REMDIALOG__");
    CreateChildren();
}

CReminderDialog::~CReminderDialog() = default;

void CReminderDialog::CreateChildren()
{
    m_app.SetMainWindow(this);
    BuildMenu();
    BuildCommandBar();
    BuildStatusBar();

    m_toolbarPane = new CToolbarDialog(*this, m_app);
    m_toolbarPane->Create(this);

    const QString face =
        ReadINIString(GetINI(1), "Reminder", "Font", QStringLiteral("Tahoma")).left(30);
    m_captionFont = QFont(face.isEmpty() ? QStringLiteral("Tahoma") : face);
    m_captionFont.setPixelSize(16);
    m_captionFont.setWeight(QFont::Bold);
    m_captionBar = new CKBox(QString::fromStdString(StringTable::Load(61209)), this, -1);

    m_splitter = new CKSplitter(this, kSplitterId);
    m_treePane = new CTreeDialog(m_splitter, *this);
    m_treePane->Create(m_splitter);
    m_splitter->CreateDlg(0, 0, m_treePane);
    m_app.SetTreePane(m_treePane);
    m_splitter->ShowPane(0, 0, true);

    // The window opens on the To do List.
    if (CReminderPage* page = PageFactory::Create(kCommandToDoList, m_app, m_splitter,
                                                  m_treePane->GetTree())) {
        m_pages[0] = page;
        page->Create(m_splitter);
        m_activePage = page;
        m_app.SetCurrentPage(page);
        m_splitter->CreateDlg(0, 1, page);
        m_splitter->ShowPane(0, 1, true);
    }

    CKFunctionKeyHook::Register(this, m_app.FunctionKeyMessage(),
                                [this](uint32_t, int key) { m_app.OnFunctionKey(key); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) OnActivateApp();
            });
}

void CReminderDialog::BuildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    auto addItems = [this](QMenu* menu, std::span<const MenuItem> items) {
        for (const MenuItem& item : items) {
            if (item.command == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromLatin1(item.text));
            a->setData(item.command);
            const int command = item.command;
            connect(a, &QAction::triggered, this, [this, command] { SendCommand(command); });
        }
    };
    m_menus[0] = m_menuBar->addMenu(QStringLiteral("&File"));
    addItems(m_menus[0], kFileMenu);
    m_menus[1] = m_menuBar->addMenu(QStringLiteral("&Tasks"));
    for (const TaskInfo& task : AllTasks()) {
        QAction* a = m_menus[1]->addAction(QString::fromLatin1(task.menuText));
        a->setData(task.command);
        a->setCheckable(true);
        const int command = task.command;
        connect(a, &QAction::triggered, this, [this, command] { SendCommand(command); });
    }
    m_menus[2] = m_menuBar->addMenu(QStringLiteral("&Settings"));
    addItems(m_menus[2], kSettingsMenu);
    m_menus[3] = m_menuBar->addMenu(QStringLiteral("&Help"));
    addItems(m_menus[3], kHelpMenu);
    for (QMenu* menu : m_menus)
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuState(menu); });

    // The shortcut keys of the File menu; Enter stays with the list, which opens the row.
    const std::pair<int, QKeySequence> keys[] = {{kCommandNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
                                                 {kCommandOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
                                                 {kCommandDelete, QKeySequence(Qt::Key_Delete)}};
    for (const auto& [command, key] : keys) {
        auto* shortcut = new QAction(this);
        shortcut->setShortcut(key);
        shortcut->setShortcutContext(Qt::WindowShortcut);
        connect(shortcut, &QAction::triggered, this, [this, command] { SendCommand(command); });
        addAction(shortcut);
    }
}

void CReminderDialog::BuildCommandBar()
{
    m_commandBar = new CKTBar(QStringLiteral("Main"), this, kCommandBarId);
    for (const Button& b : kCommandButtons)
        m_commandBar->AddButton(b.command, QString::fromLatin1(b.label), b.bitmap);
    const QString settings = GetINI(1);
    if (ReadINIInt(settings, "Reminder", "ToolbarBitmap", 1) != 0) {
        const QString background =
            ReadINIString(settings, "Reminder", "ToolbarBkGround", QString()).left(260);
        if (!background.isEmpty()) m_commandBar->SetBackground(background);
    }
    m_commandBar->ShowLabels(ReadINIInt(settings, "Reminder", "ToolbarLabels", 1) != 0);
    connect(m_commandBar, &CKTBar::commandTriggered, this, [this](int id) { SendCommand(id); });
}

void CReminderDialog::BuildStatusBar()
{
    m_statusContainer = new CKTBar(QStringLiteral("Status Bar"), this, kStatusContainerId);
    m_statusContainer->setContentsMargins(0, 0, 0, 0);
    m_statusContainer->setStyleSheet(QStringLiteral("QToolBar { border: 0; padding: 0; spacing: 0; }"));
    m_statusBar = new CKStatusBar(m_statusContainer);
    m_statusBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_statusContainer->addWidget(m_statusBar);
    m_statusBar->SetPanes({{1, 0}, {CKStatusBar::kDatePane, 12}});
    UpdateDatePane();
}

bool CReminderDialog::OnInitDialog()
{
    m_captionBar->SetCaptionFont(m_captionFont);
    // The window's own size, grown where the task buttons or the page's template need more.
    const QSize units = DialogUnits(370, 234);
    // The tree pane's template width, or room for the longest category name with its icon;
    // the page, room for the widest list's columns.
    const int charWidth = QFontMetrics(font()).averageCharWidth();
    const int longest = QFontMetrics(font()).horizontalAdvance(QStringLiteral("Purchases Within Settlement"));
    const QSize tree(std::max(DialogUnits(77, 136).width(), longest + 64),
                     DialogUnits(77, 136).height());
    const QSize page(std::max(DialogUnits(317, 201).width(), charWidth * 100),
                     DialogUnits(317, 201).height());
    const int paneWidth = m_toolbarPane ? m_toolbarPane->width() : 0;
    const int paneHeight = m_toolbarPane ? m_toolbarPane->sizeHint().height() : 0;
    const int chrome = m_menuBar->sizeHint().height() + 2 + m_commandBar->sizeHint().height() +
                       m_statusContainer->sizeHint().height();
    resize(std::max(units.width(), paneWidth + tree.width() + page.width() + 8),
           std::max({units.height(), chrome + paneHeight,
                     chrome + m_captionBar->sizeHint().height() + 4 + page.height()}));
    m_splitter->setSizes({tree.width(), width() - paneWidth - tree.width()});
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.x() + s.width() / 2 - width() / 2, s.y() + s.height() / 2 - height() / 2);
    }
    UpdateToolbarForTask(kCommandToDoList);
    m_app.SetMainWindow(this);
    m_app.RestoreWindowPlacement(CReminderApp::kPlacementKey, this);
    SetHelpProperty(this, CReminderApp::kMainWindowTopic);
    m_helpHolder = this;
    return true;
}

QSize CReminderDialog::DialogUnits(int width, int height) const
{
    const QFontMetrics fm(font());
    return QSize(width * fm.averageCharWidth() / 4, height * fm.height() / 8);
}

bool CReminderDialog::OnCommand(int id)
{
    QPointer<CReminderDialog> self(this);
    // A date change is posted to the page as well as to this window; forwarding it again would
    // refresh the page twice.
    if (!m_closing && m_activePage && id != kCommandDateChanged) m_activePage->SendCommand(id);
    if (!self || IsDestroyed()) return true;
    return OwnCommand(id);
}

bool CReminderDialog::OwnCommand(int id)
{
    if (FindTask(id)) {
        SelectTask(id);
        return true;
    }
    switch (id) {
    case kCommandExit:
        DestroyWindow();
        return true;
    case kCommandHelpContents:
        m_app.OpenHelpTopic(this, m_app.HelpPath(), 0, 0, true);
        return true;
    case kCommandAbout:
        ShowAbout();
        return true;
    case kCommandCompanyDetails:
        ShowCompanyDetails();
        return true;
    case kCommandClearToDo:
        ClearToDoEntries();
        return true;
    case kCommandClearBills:
        ClearBillEntries();
        return true;
    case kCommandDateChanged:
        UpdateDatePane();
        return true;
    default:
        return CKDialog::OnCommand(id);
    }
}

void CReminderDialog::SelectTask(int command)
{
    if (m_closing) return;
    const TaskInfo* task = FindTask(command);
    qDebug().noquote() << QString::asprintf("New Active Stack Selected %d ", command);
    if (!task) {
        m_currentTask = command;
        return;
    }
    CReminderPage* page =
        PageFactory::Create(command, m_app, m_splitter, m_treePane ? m_treePane->GetTree() : nullptr);
    if (!page) {
        // The task's page is not part of this build: the shown task keeps the check mark that
        // the menu item's own toggle may have moved.
        CheckTaskItem(m_currentTask);
        return;
    }
    m_currentTask = command;
    m_pages[static_cast<size_t>(TaskIndex(command))] = page;
    page->Create(m_splitter);
    UpdateToolbarForTask(command);
    m_activePage = page;
    m_app.SetCurrentPage(page);
    m_splitter->ReplaceDlg(0, 1, page);
    m_splitter->ShowPane(0, 1, true);
    m_captionBar->SetText(QString::fromStdString(StringTable::Load(task->captionString)));
}

void CReminderDialog::OnSelectTaskMessage(int command, int /*param*/) { SelectTask(command); }

void CReminderDialog::CheckTaskItem(int command)
{
    for (QAction* a : m_menus[1]->actions()) a->setChecked(a->data().toInt() == command);
}

void CReminderDialog::UpdateToolbarForTask(int command)
{
    CheckTaskItem(command);
    for (const ButtonState& state : kButtonStates) {
        if (state.task != command) continue;
        for (size_t i = 0; i < std::size(kCommandButtons); ++i)
            m_commandBar->EnableButton(kCommandButtons[i].command, state.enabled[i]);
    }
}

void CReminderDialog::OnCategorySelected(int item, uint32_t value)
{
    if (m_activePage) m_activePage->OnCategorySelected(item, value);
}

void CReminderDialog::UpdateMenuState(QMenu* menu)
{
    if (m_activePage) m_activePage->UpdateCommandMenu(menu);
    if (!m_app.IsSupervisor()) RemoveBarredItems(menu);
}

void CReminderDialog::RemoveBarredItems(QMenu* menu)
{
    const CBAccessManager& access = m_app.AccessManager();
    for (const Removal& r : kRemovals) {
        if (!r.barred(access)) continue;
        for (int command : r.commands)
            if (QAction* a = command ? FindIn(menu, command) : nullptr) menu->removeAction(a);
    }
}

CReminderPage* CReminderDialog::ActivePage() const { return m_activePage; }
CToolbarDialog* CReminderDialog::ToolbarPane() const { return m_toolbarPane; }
CTreeDialog* CReminderDialog::TreePane() const { return m_treePane; }

QMenu* CReminderDialog::Menu(Popup popup) const { return m_menus[static_cast<size_t>(popup)]; }

QAction* CReminderDialog::FindMenuCommand(int command) const
{
    for (QMenu* menu : m_menus)
        if (QAction* a = FindIn(menu, command)) return a;
    return nullptr;
}

CReminderPage* CReminderDialog::TaskPage(int command) const
{
    const int i = TaskIndex(command);
    return i < 0 ? nullptr : m_pages[static_cast<size_t>(i)].data();
}

void CReminderDialog::OnActivateApp()
{
    if (m_closing) return;
    UpdateDatePane();
    if (CReminderPage* page = TaskPage(m_currentTask)) page->Refresh();
}

void CReminderDialog::UpdateDatePane()
{
    m_statusBar->SetPaneDate(CKStatusBar::kDatePane, m_app.GetProgramDateChecked());
}

void CReminderDialog::ClearBillEntries()
{
    if (m_app.TaskMessageBoxId(61236, MsgKind::YesNo, 0) != kAnswerYes) return;
    try {
        DataFile bills = m_app.Context().File(kFileBills);
        FileCreate(bills, 16, 1);
        FileClose(bills);
    } catch (const std::exception& e) {
        m_app.TaskMessageBox(std::string("The bill file could not be cleared.\n\n") + e.what(),
                             MsgKind::Stop);
        return;
    }
    SelectTask(kCommandBills);
}

void CReminderDialog::ClearToDoEntries()
{
    if (m_app.TaskMessageBoxId(61237, MsgKind::YesNo, 0) != kAnswerYes) return;
    try {
        for (int number : {kFileToDoIndex, kFileToDo, kFileToDoNotes}) {
            DataFile f = m_app.Context().File(number);
            FileCreate(f, 16, 1);
            FileClose(f);
        }
    } catch (const std::exception& e) {
        m_app.TaskMessageBox(std::string("The To Do files could not be cleared.\n\n") + e.what(),
                             MsgKind::Stop);
        return;
    }
    SelectTask(kCommandToDoList);
}

void CReminderDialog::ShowCompanyDetails()
{
    auto* dialog = new CCompanySettings(this, m_app.Context());
    dialog->DoModal(this);
    delete dialog;
}

void CReminderDialog::ShowAbout() { CAboutInfo::ShowAboutBox(m_app, m_app.AboutValues(), this); }

void CReminderDialog::OnDestroy()
{
    RemoveHelpProperty(m_helpHolder);
    m_helpHolder = nullptr;
    m_app.SaveWindowPlacement(CReminderApp::kPlacementKey, this);
    m_closing = true;
    CKFunctionKeyHook::Unregister(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void CReminderDialog::PostNcDestroy()
{
    m_app.MainWindowDestroyed(this);
    CKDialog::PostNcDestroy();
}

void CReminderDialog::resizeEvent(QResizeEvent* event)
{
    CKDialog::resizeEvent(event);
    LayOut();
}

void CReminderDialog::changeEvent(QEvent* event)
{
    CKDialog::changeEvent(event);
    // The host shares this process, so moving from its window to this one is no application
    // switch; checking the program date here lets a date the host changed show at once.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_closing)
        UpdateDatePane();
}

void CReminderDialog::LayOut()
{
    if (!m_statusContainer || !m_splitter) return;
    const int w = width();
    const int h = height();
    const int menuHeight = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, w, menuHeight);

    const int statusHeight = m_statusContainer->sizeHint().height();
    const int statusTop = h - statusHeight;
    m_statusContainer->setGeometry(0, statusTop, w, statusHeight);

    const int barTop = menuHeight + 2;
    const int barHeight = m_commandBar->sizeHint().height();
    m_commandBar->setGeometry(0, barTop, w - 2, barHeight);
    const int below = barTop + barHeight;

    const int paneWidth = m_toolbarPane ? m_toolbarPane->width() : 0;
    if (m_toolbarPane) m_toolbarPane->setGeometry(0, below, paneWidth, statusTop - below);

    const int captionHeight = m_captionBar->sizeHint().height();
    m_captionBar->setGeometry(paneWidth, below, w - paneWidth, captionHeight);

    const int top = below + captionHeight + 4;
    m_splitter->setGeometry(paneWidth, top, w - paneWidth, statusTop - top);
}

}  // namespace kelo
