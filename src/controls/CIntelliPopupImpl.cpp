#include "src/controls/CIntelliPopupImpl.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>

#include "src/controls/CIntelliCache.h"
#include "src/controls/CIntelliEditHook.h"
#include "src/controls/CIntelliInputHook.h"
#include "src/controls/CIntelliPopupWnd.h"
#include "src/controls/CIntelliStore.h"

namespace kelo {

namespace {

CIntelliPopupImpl* g_current = nullptr;

QString FirstColumn(const QString& text) { return text.section(QLatin1Char('\t'), 0, 0); }

}  // namespace

CIntelliPopupImpl::CIntelliPopupImpl(GlobalBlock block, QObject* parent)
    : QObject(parent), m_block(block)
{
}

CIntelliPopupImpl::~CIntelliPopupImpl() { Detach(); }

CIntelliPopupImpl* CIntelliPopupImpl::Current() { return g_current; }

QLineEdit* CIntelliPopupImpl::Field() const { return m_field; }

CIntelliPopupWnd* CIntelliPopupImpl::Window() const { return m_window; }

void CIntelliPopupImpl::Attach(QLineEdit* field, uint32_t kind, uint32_t flag,
                               const QString& historyKey, CKSearchFunction provider,
                               intptr_t userValue)
{
    Detach();
    m_field = field;
    m_editHook = new CIntelliEditHook(*this, field);
    TakeCache(kind, flag);
    if (historyKey.isEmpty()) {
        m_provider = provider;
        m_userValue = userValue;
        // Accounts match on their code or their name, whatever the case typed.
        m_exactPrefix = false;
        return;
    }
    m_store = m_cache->Lookup(CIntelliStore::kHistoryName);
    if (m_store->HistoryKey() != historyKey.left(CIntelliStore::kMaxText))
        m_store->SetHistoryKey(historyKey);
}

void CIntelliPopupImpl::Detach()
{
    if (m_shown) Hide();
    DestroyPopupWindows();
    if (m_editHook) {
        // Later: a detach can come from the hook's own notice that the field is going.
        m_editHook->Unhook();
        m_editHook->deleteLater();
        m_editHook = nullptr;
    }
    m_store.reset();
    m_cache.reset();
    m_provider = nullptr;
    m_field = nullptr;
}

void CIntelliPopupImpl::TakeCache(uint32_t kind, uint32_t flag)
{
    std::shared_ptr<CIntelliCache> previous = std::move(m_cache);
    m_kind = kind;
    m_flag = flag;
    m_cache = CIntelliCache::Get(kind, flag, previous.get());
}

void CIntelliPopupImpl::SetKind(uint32_t kind)
{
    if (kind == m_kind) return;
    TakeCache(kind, m_flag);
    // A search store belongs to the old kind's cache.
    if (m_store && !m_store->IsHistory()) m_store.reset();
    m_listed = -1;
}

QWidget* CIntelliPopupImpl::OutermostControl() const
{
    QWidget* outer = m_field;
    if (!outer) return nullptr;
    for (QWidget* p = outer->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (p->focusPolicy() & Qt::TabFocus) outer = p;
    return outer;
}

QListWidget* CIntelliPopupImpl::List() const { return m_window ? m_window->List() : nullptr; }

void CIntelliPopupImpl::AddEntry(const QString& text, uint32_t data, const QString& keyText)
{
    if (m_store) m_store->Add(text, data, keyText);
}

void CIntelliPopupImpl::AddEntry()
{
    if (!m_field || !m_store || !m_store->IsHistory()) return;
    const QString text = m_field->text();
    if (!text.isEmpty()) m_store->Add(text);
}

void CIntelliPopupImpl::RenameStore(const QString& name)
{
    if (m_store) m_store->SetName(name);
}

void CIntelliPopupImpl::AfterChoosing()
{
    if (!m_tabAfterChoosing || !m_field) return;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(m_field, &tab);
}

bool CIntelliPopupImpl::IsPopupWindow(const QWidget* window) const
{
    for (const QWidget* w = window; w; w = w->parentWidget())
        if (w == m_window || w == m_field) return true;
    return false;
}

void CIntelliPopupImpl::CreatePopupWindows()
{
    if (m_window || !m_field) return;
    m_window = new CIntelliPopupWnd(*this, m_field->window());
    m_listed = -1;
    Notify(kIntelliCreated);
}

void CIntelliPopupImpl::DestroyPopupWindows()
{
    if (!m_window) return;
    // Later: this can run inside one of the window's own event handlers.
    m_window->hide();
    m_window->deleteLater();
    m_window = nullptr;
}

QString CIntelliPopupImpl::TypedText() const
{
    const QString text = m_field->text();
    if (!m_completeInline) return text;
    const int start = m_field->hasSelectedText() ? m_field->selectionStart() : m_field->cursorPosition();
    return text.left(start);
}

bool CIntelliPopupImpl::UpdateMatches(bool typed)
{
    if (!m_field || !m_cache) return false;
    const QString text = TypedText();
    const bool created = !m_window;
    CreatePopupWindows();

    bool taken = false;
    if (!m_store || !m_store->IsHistory()) {
        if (!m_store || m_store->Name().compare(text, Qt::CaseInsensitive) != 0 ||
            m_store->IsStale(CIntelliStore::Now(), m_cache->Lifetime())) {
            m_store.reset();
            m_store = m_cache->Lookup(text);
            taken = true;
        }
    }
    if (taken || created || m_store->Count() != m_listed) {
        if (m_store->Count() == 0) Notify(kIntelliFill, text);
        RebuildList();
    }
    if (List()->count() == 0) {
        Hide();
        return false;
    }
    const int row = FindMatch(text);
    if (row < 0) {
        Hide();
        return false;
    }
    if (typed && Matches(row, text, true)) ChooseIntoField();
    UpdateScrollBar();
    if (!m_shown) Show();
    return true;
}

void CIntelliPopupImpl::FieldEdited(bool typed)
{
    if (!m_field) return;
    m_typed = TypedText();
    UpdateMatches(typed);
}

void CIntelliPopupImpl::RebuildList()
{
    QListWidget* list = List();
    list->clear();
    std::vector<const CIntelliEntry*> rows;
    for (const CIntelliEntry& e : m_store->Entries()) rows.push_back(&e);
    std::stable_sort(rows.begin(), rows.end(), [](const CIntelliEntry* a, const CIntelliEntry* b) {
        return a->text.compare(b->text, Qt::CaseInsensitive) < 0;
    });
    for (const CIntelliEntry* e : rows) {
        auto* item = new QListWidgetItem(e->text, list);
        item->setData(Qt::UserRole, e->data);
        item->setData(Qt::UserRole + 1, e->keyText);
    }
    m_listed = m_store->Count();
    list->viewport()->update();
}

bool CIntelliPopupImpl::Matches(int row, const QString& typed, bool forChoosing) const
{
    const QListWidgetItem* item = List()->item(row);
    if (m_exactPrefix) return item->text().startsWith(typed, Qt::CaseSensitive);
    if (FirstColumn(item->text()).startsWith(typed, Qt::CaseInsensitive)) return true;
    // A match on the name lists the account but does not replace what was typed.
    return !forChoosing &&
           item->data(Qt::UserRole + 1).toString().startsWith(typed, Qt::CaseInsensitive);
}

int CIntelliPopupImpl::FindMatch(const QString& typed)
{
    QListWidget* list = List();
    for (int row = 0; row < list->count(); ++row) {
        if (Matches(row, typed, false)) {
            SelectRow(row);
            return row;
        }
    }
    return -1;
}

void CIntelliPopupImpl::SelectRow(int row)
{
    QListWidget* list = List();
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
}

void CIntelliPopupImpl::ChooseIntoField()
{
    QListWidget* list = List();
    if (!list || !m_field || list->currentRow() < 0) return;
    const QString text = FirstColumn(list->currentItem()->text());
    const int start =
        m_field->hasSelectedText() ? m_field->selectionStart() : m_field->cursorPosition();
    m_field->setText(text);
    const int length = static_cast<int>(m_field->text().size());
    const int keep = std::min(start, length);
    // The caret stays after what was typed; the part added is selected.
    m_field->setSelection(length, keep - length);
    m_field->setModified(true);
}

void CIntelliPopupImpl::Show()
{
    if (!m_window || m_shown) return;
    if (g_current && g_current != this) g_current->Hide();
    m_shown = true;
    g_current = this;
    m_inputHook = new CIntelliInputHook(*this);
    qApp->installEventFilter(m_inputHook);

    const QWidget* outer = OutermostControl();
    const QPoint origin = outer->mapToGlobal(QPoint(0, 0));
    QPoint at(origin.x() + 2, origin.y() + outer->height() - 2);
    if (const QScreen* screen = outer->screen()) {
        const QRect bounds = screen->virtualGeometry();
        const QSize size = m_window->size();
        at.setX(std::max(bounds.left(), std::min(at.x(), bounds.right() + 1 - size.width())));
        at.setY(std::max(bounds.top(), std::min(at.y(), bounds.bottom() + 1 - size.height())));
    }
    m_window->move(at);

    if (!UpdateMatches(false)) return;  // hidden again: nothing matches now
    Notify(kIntelliShowing);
    m_window->show();
    m_window->raise();
    UpdateScrollBar();
}

void CIntelliPopupImpl::Hide()
{
    if (!m_shown) return;
    if (m_inputHook) {
        qApp->removeEventFilter(m_inputHook);
        m_inputHook->deleteLater();
        m_inputHook = nullptr;
    }
    if (m_window) m_window->hide();
    m_shown = false;
    if (g_current == this) g_current = nullptr;
    Notify(kIntelliHidden);
}

void CIntelliPopupImpl::Notify(int code, const QString& text)
{
    CKIntelliNotify notify{List(), m_kind, code, this, text};
    if (m_provider)
        m_provider(m_field, notify, m_userValue);
    else
        emit notified(notify);
}

void CIntelliPopupImpl::MoveSelection(int key)
{
    QListWidget* list = List();
    if (!list || list->count() == 0) return;
    const int current = list->currentRow();
    int row = current;
    switch (key) {
    case Qt::Key_Up: row -= 1; break;
    case Qt::Key_Down: row += 1; break;
    case Qt::Key_PageUp: row -= RowsPerPage(); break;
    case Qt::Key_PageDown: row += RowsPerPage(); break;
    default: return;
    }
    row = std::clamp(row, 0, list->count() - 1);
    if (row == current) return;
    SelectRow(row);
    UpdateScrollBar();
    ChooseIntoField();
}

int CIntelliPopupImpl::RowsPerPage() const { return m_window ? m_window->RowsPerPage() : 1; }

void CIntelliPopupImpl::ScrollBy(int rows)
{
    if (!m_window) return;
    m_window->ScrollBy(rows);
    UpdateScrollBar();
}

void CIntelliPopupImpl::UpdateScrollBar()
{
    if (m_window) m_window->UpdateScrollBar();
}

void CIntelliPopupImpl::FollowPointer(const QPoint& listPos)
{
    if (!m_window || m_menuOpen) return;
    const int row = m_window->RowAt(listPos);
    if (row < 0) return;
    if (row != List()->currentRow()) {
        List()->setCurrentRow(row);
        ChooseIntoField();
    }
    // Resting on the last visible row walks the list on, one row at a time.
    if (row == m_window->TopRow() + RowsPerPage() - 1) ScrollBy(1);
    UpdateScrollBar();
}

void CIntelliPopupImpl::FollowStrip()
{
    if (!m_window || m_menuOpen) return;
    const int row = m_window->TopRow() - 1;
    if (row < 0) return;
    SelectRow(row);
    ChooseIntoField();
    UpdateScrollBar();
}

void CIntelliPopupImpl::ClickRow(const QPoint& listPos)
{
    if (!m_window) return;
    const int row = m_window->RowAt(listPos);
    if (row < 0) return;
    SelectRow(row);
    ChooseIntoField();
    Hide();
    AfterChoosing();
}

void CIntelliPopupImpl::ShowMenu(const QPoint& listPos, const QPoint& globalPos)
{
    if (!m_window || !m_store || !m_store->IsHistory()) return;
    const int row = m_window->RowAt(listPos);
    if (row < 0) return;
    SelectRow(row);
    QMenu menu(m_window);
    QAction* remove = menu.addAction(QStringLiteral("&Delete"));
    QAction* removeAll = menu.addAction(QStringLiteral("Delete &All"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Cancel"));
    QPointer<CIntelliPopupImpl> self(this);
    m_menuOpen = true;
    QAction* chosen = menu.exec(globalPos);
    if (!self) return;
    m_menuOpen = false;
    if (chosen == remove)
        DeleteRowEntry(row);
    else if (chosen == removeAll)
        DeleteAllEntries();
}

void CIntelliPopupImpl::DeleteRowEntry(int row)
{
    QListWidget* list = List();
    if (!list || !m_store || row < 0 || row >= list->count()) return;
    const QString text = FirstColumn(list->item(row)->text());
    ForgetChosen(text, false);
    m_store->Delete(text);
    m_store->SaveHistory();
    RebuildList();
    UpdateMatches(false);
}

void CIntelliPopupImpl::DeleteAllEntries()
{
    if (!List() || !m_store) return;
    ForgetChosen(QString(), true);
    m_store->DeleteAll();
    m_store->SaveHistory();
    RebuildList();
    UpdateMatches(false);
}

void CIntelliPopupImpl::ForgetChosen(const QString& deleted, bool all)
{
    if (!m_field || !m_store) return;
    const QString shown = m_field->text();
    bool gone = !all && shown.compare(deleted, Qt::CaseInsensitive) == 0;
    for (const CIntelliEntry& e : m_store->Entries())
        gone = gone || (all && FirstColumn(e.text) == shown);
    if (!gone || shown == m_typed) return;
    m_field->setText(m_typed);
    m_field->setModified(true);
}

int CIntelliPopupImpl::MinimumWidth() const
{
    return (m_field ? m_field->width() : 0) + kExtraWidth;
}

}  // namespace kelo
