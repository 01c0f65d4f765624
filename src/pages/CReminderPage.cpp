#include "src/pages/CReminderPage.h"

#include <chrono>
#include <exception>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

#include "host/ui/CKListModel.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKTreeView.h"
#include "src/app/TaskServices.h"
#include "src/records/CRecordWrite.h"

namespace kelo {

namespace {

// The alternate-row colour of every page list: pale green.
constexpr uint32_t kListAlternateColour = 0xE0FFE0;

// Adds the scan's rows to the page's list; the scan sees the page's stop flag. Every record
// offers a yield (the host decides by the clock whether it is due), and a long background fill
// shows its rows so far.
class ListSink final : public ScanSink {
    using Clock = std::chrono::steady_clock;
    static constexpr auto kProgressAfter = std::chrono::milliseconds(200);
    static constexpr auto kProgressEvery = std::chrono::milliseconds(100);

public:
    ListSink(CKListView& list, TaskServices& services, const bool& stop, bool yields)
        : m_list(list), m_services(services), m_stop(stop), m_yields(yields),
          m_nextProgress(Clock::now() + kProgressAfter)
    {
    }
    ~ListSink() override
    {
        if (m_progressShown) m_services.ShowFillProgress(-1);
    }
    void AddRow(std::span<const uint8_t> row) override { m_list.AddRow(row); }
    void Yield() override
    {
        if (!m_yields) return;
        const Clock::time_point now = Clock::now();
        if (now >= m_nextProgress) {
            m_services.ShowFillProgress(m_list.RowCount());
            m_progressShown = true;
            m_nextProgress = now + kProgressEvery;
        }
        m_services.YieldToHost();
    }
    bool Stopped() const override { return m_stop; }
    void CheckProgramDate() override { m_services.GetProgramDateChecked(); }

private:
    CKListView& m_list;
    TaskServices& m_services;
    const bool& m_stop;
    bool m_yields;
    bool m_progressShown = false;
    Clock::time_point m_nextProgress;
};

struct MenuItem {
    const char* text;
    int command;
};

}  // namespace

CReminderPage::CReminderPage(int dialogId, int listId, TaskServices& services, QWidget* parent,
                             CKTreeView* tree, int contextMenuId)
    : CKDialog(dialogId, parent),
      m_services(services),
      m_tree(tree),
      m_list(new CKListView(this, listId)),
      m_contextMenuId(contextMenuId)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(m_list, &CKListView::rowActivated, this, [this](int) {
        if (!IsDestroyed()) OpenSelected();
    });
    connect(m_list, &CKListView::contextRequested, this, &CReminderPage::OnListContextRequested);
}

CReminderPage::~CReminderPage() = default;

DataContext& CReminderPage::Context() const { return m_services.Context(); }

void CReminderPage::UpdateCommandMenu(QMenu* menu)
{
    for (int id : {kCommandNew, kCommandOpen, kCommandDelete, kCommandPay, kCommandProperties,
                   kCommandClearToDo, kCommandClearBills})
        EnableCommand(menu, id, false);
}

void CReminderPage::Refresh()
{
    QPointer<CReminderPage> self(this);
    FillList();
    if (self && !self->IsDestroyed()) update();
}

void CReminderPage::OnCategorySelected(int item, uint32_t value)
{
    m_categoryValue = value;
    m_categoryItem = item;
    m_stop = true;
    // A running fill may refuse the posted command from inside its yield; it then posts another
    // when it stops, so the list always ends with the new category.
    m_fillWanted = true;
    PostFill();
}

void CReminderPage::OpenSelected() {}

void CReminderPage::OnDataChanged()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // One refresh after the modal window, however many notices came meanwhile.
        if (m_deferredFrom != modal) {
            if (m_deferredFrom) m_deferredFrom->removeEventFilter(this);
            m_deferredFrom = modal;
            modal->installEventFilter(this);
        }
        return;
    }
    Refresh();
}

bool CReminderPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_deferredFrom &&
        (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)) {
        m_deferredFrom->removeEventFilter(this);
        m_deferredFrom = nullptr;
        // Posted, so the closing window has finished with the list before it changes; another
        // modal window still open defers it again.
        if (!IsDestroyed()) PostCommand(kCommandDataChanged);
    }
    return CKDialog::eventFilter(watched, event);
}

int CReminderPage::FindRow(int recNoColumn, uint32_t recNo) const
{
    const CKColumnSet& cols = m_list->Columns();
    const int rows = m_list->RowCount();
    for (int row = 0; row < rows; ++row)
        if (cols.ReadUInt32(m_list->RowBytes(row), recNoColumn) == recNo) return row;
    return -1;
}

bool CReminderPage::DeleteSelectedRecord(int recNoColumn, int question, CRecordWrite& rule,
                                         const std::function<void(DataContext&, bool)>& write)
{
    const int selected = m_list->GetSelectedRow();
    if (selected < 0) return false;
    const uint32_t recNo = m_list->Columns().ReadUInt32(m_list->RowBytes(selected), recNoColumn);
    CRecordWrite::Result result = CRecordWrite::Result::Cancelled;
    try {
        rule.HoldCurrent(recNo);
        if (m_services.TaskMessageBoxId(question, MsgKind::YesNo) !=
            static_cast<int>(MsgAnswer::Yes))
            return false;
        result = rule.Delete(write);
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    if (result == CRecordWrite::Result::Discarded) {
        // Another user's change decides what the list shows now.
        Refresh();
        return false;
    }
    if (result != CRecordWrite::Result::Written) return false;

    const int at = FindRow(recNoColumn, recNo);
    if (at >= 0) {
        const int position = m_list->GetSelectedRow();
        m_list->DeleteRow(at);
        const int rows = m_list->RowCount();
        if (rows > 0 && position == at && at == rows) m_list->SelectRow(rows - 1);
    }
    m_list->viewport()->update();
    return true;
}

bool CReminderPage::OnCommand(int id)
{
    switch (id) {
    case kCommandFillList:
        if (m_queuedFills > 0) --m_queuedFills;
        FillList();
        return true;
    case kCommandDateChanged:
        Refresh();
        return true;
    case kCommandDataChanged:
        OnDataChanged();
        return true;
    case IDOK:
    case IDCANCEL:
        // Enter and Escape never close a page.
        return true;
    default:
        return CKDialog::OnCommand(id);
    }
}

bool CReminderPage::OnInitDialog()
{
    if (!CKDialog::OnInitDialog()) return false;
    RegisterWindowForUpdates(this, m_services.Context());
    return true;
}

void CReminderPage::OnDestroy()
{
    m_stop = true;
    m_destroyPending = true;
    UnregisterWindowForUpdates(this);
    CKDialog::OnDestroy();
}

void CReminderPage::PostNcDestroy()
{
    // A fill on the stack still uses the page; it frees the page when it unwinds.
    if (m_busy) return;
    CKDialog::PostNcDestroy();
}

void CReminderPage::SetUpCategories(std::span<const TaskCategory> categories)
{
    if (m_tree) {
        m_tree->DeleteAllItems();
        for (const TaskCategory& c : categories)
            m_tree->AddItem(QString::fromLatin1(c.text), c.bit);
        m_tree->update();
        const int first = m_tree->GetFirstItem();
        m_categoryItem = first;
        m_categoryValue = m_tree->GetItemValue(first);
        if (first >= 0) m_tree->SelectItem(first);
    } else if (!categories.empty()) {
        m_categoryItem = 0;
        m_categoryValue = categories.front().bit;
    }
    PostFill();
    m_list->SetColors(2, kListAlternateColour);
}

void CReminderPage::SetColumns(const CKColumnSet& columns) { m_list->SetColumns(columns); }

bool CReminderPage::BeginFill()
{
    if (m_busy || m_destroyPending) return false;
    m_busy = true;
    m_fillWanted = false;
    m_fillComplete = false;
    m_stop = false;
    m_list->DeleteAllItems();
    m_list->Model()->SetStreaming(true);
    return true;
}

bool CReminderPage::EndFill()
{
    m_fillComplete = true;
    m_busy = false;
    m_list->Model()->SetStreaming(false);
    if (m_stop && m_destroyPending) {
        // The window went while the fill ran; its final step left the freeing to us.
        deleteLater();
        return false;
    }
    if (m_fillWanted && m_queuedFills == 0) PostFill();
    return true;
}

bool CReminderPage::RunFill(const ScanFunction& scan, bool yields)
{
    if (!BeginFill()) return false;
    try {
        const ScanInput input = MakeScanInput();
        ListSink sink(*m_list, m_services, m_stop, yields && m_services.BackgroundFill());
        scan(input, sink);
    } catch (const std::exception& e) {
        // One message; the rows so far stay and the page stays usable.
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
    }
    if (!m_stop && m_list->RowCount() > 0) m_list->SelectRow(0);
    return EndFill();
}

ScanInput CReminderPage::MakeScanInput() const
{
    return ScanInput{m_services.Context(), m_categoryValue, m_services.GetProgramDateChecked(),
                     m_services.CurrentUserName(), m_services.Block()};
}

QMenu* CReminderPage::CreateContextMenu(QWidget* parent)
{
    QMenu* menu = LoadContextMenu(m_contextMenuId, parent);
    if (!menu) return nullptr;
    UpdateCommandMenu(menu);
    QPointer<CReminderPage> self(this);
    for (QAction* action : menu->actions()) {
        const int id = action->data().toInt();
        if (id == 0) continue;
        connect(action, &QAction::triggered, this, [self, id] {
            if (self) self->SendCommand(id);
        });
    }
    return menu;
}

void CReminderPage::ShowContextMenu(const QPoint& globalPos)
{
    QMenu* menu = CreateContextMenu(this);
    if (!menu) return;
    menu->exec(globalPos);
    delete menu;
}

QMenu* CReminderPage::LoadContextMenu(int menuId, QWidget* parent)
{
    static const MenuItem kNewOpenDelete[] = {
        {"&New...", kCommandNew}, {"&Open...", kCommandOpen}, {"&Delete...", kCommandDelete}};
    static const MenuItem kWithPay[] = {{"&New...", kCommandNew},
                                        {"&Open...", kCommandOpen},
                                        {"&Delete...", kCommandDelete},
                                        {"&Pay", kCommandPay}};
    static const MenuItem kProperties[] = {{"&Properties", kCommandProperties}};
    static const MenuItem kOpenDelete[] = {{"&Open...", kCommandOpen},
                                           {"&Delete...", kCommandDelete}};
    std::span<const MenuItem> items;
    switch (menuId) {
    case 111: items = kNewOpenDelete; break;
    case 112: items = kWithPay; break;
    case 113:
    case 116:
    case 123: items = kProperties; break;
    case 124: items = kOpenDelete; break;
    default: return nullptr;
    }
    auto* menu = new QMenu(parent);
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        action->setData(item.command);
    }
    return menu;
}

void CReminderPage::EnableCommand(QMenu* menu, int id, bool enabled)
{
    if (!menu) return;
    for (QAction* action : menu->actions()) {
        if (action->menu()) EnableCommand(action->menu(), id, enabled);
        else if (!action->isSeparator() && action->data().toInt() == id)
            action->setEnabled(enabled);
    }
}

QAction* CReminderPage::FindCommand(QMenu* menu, int id)
{
    if (!menu) return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            if (QAction* found = FindCommand(action->menu(), id)) return found;
        } else if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

void CReminderPage::PostFill()
{
    ++m_queuedFills;
    PostCommand(kCommandFillList);
}

void CReminderPage::OnListContextRequested(int, const QPoint& globalPos)
{
    if (IsDestroyed() || m_contextMenuId == 0) return;
    ShowContextMenu(globalPos);
}

}  // namespace kelo
