#include "src/controls/CFixedPopup.h"

#include <algorithm>
#include <exception>

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKPopupField.h"
#include "host/util/Text.h"
#include "src/controls/CFixedPopupRows.h"

namespace kelo {

namespace {

// Display widths of the template's columns, in characters.
constexpr int kCodeWidth = 12;
constexpr int kNameWidth = 31;
constexpr int kVisibleRows = 12;
// Key width of the ledgers' code indexes: eight characters and the terminator.
constexpr size_t kCodeKeyWidth = 9;

}  // namespace

CFixedPopup::CFixedPopup(CKPopupField* owner, DataContext& context, int dataFile, int indexFile)
    : CKDialog(kTemplateId, nullptr),
      m_owner(owner),
      m_list(new QTableView(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)),
      m_rows(new CFixedPopupRows(this)),
      m_resources(std::make_unique<CDDataResourceManager>(context)),
      m_dataFile(dataFile),
      m_indexFile(indexFile)
{
    setObjectName(QStringLiteral("lookupPopup"));
    m_list->setObjectName(QStringLiteral("lookupList"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setSectionsClickable(false);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->setModel(m_rows);
    const int charWidth = m_list->fontMetrics().averageCharWidth();
    m_list->setColumnWidth(0, kCodeWidth * charWidth);

    m_ok->setAutoDefault(false);
    m_close->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { SendCommand(IDOK); });
    connect(m_close, &QPushButton::clicked, this, [this] { SendCommand(IDCANCEL); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize((kCodeWidth + kNameWidth) * charWidth + 24,
           kVisibleRows * m_list->verticalHeader()->defaultSectionSize() + 60);
}

CFixedPopup::~CFixedPopup() = default;

DataContext& CFixedPopup::Context() { return m_resources->Context(); }
CKPopupField* CFixedPopup::Owner() const { return m_owner; }

bool CFixedPopup::CreatePopup(QWidget* parent, CKPopupField* owner, int listId, int templateId)
{
    Q_UNUSED(templateId);
    m_owner = owner;
    m_listId = listId;
    // Borderless and closed by a click anywhere else, like any drop-down list.
    setParent(parent, Qt::Popup | Qt::FramelessWindowHint);
    if (!Create(nullptr)) {
        DestroyWindow();
        return false;
    }
    if (m_owner) m_owner->SetOpenList(this);
    show();
    m_list->setFocus();
    return true;
}

void CFixedPopup::InitialiseCommon()
{
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_rows->Reset(static_cast<int>(m_recordCount),
                  [this](int first, int last) { FillRange(first, last); });
    if (!m_owner) return;
    PlaceUnderOwner();
    // Index keys hold codes upper-cased.
    const std::string code = m_owner->Text().toUpper().toLatin1().toStdString();
    if (!SelectSearched(FillUp(code, kCodeKeyWidth))) SelectRow(0);
}

void CFixedPopup::PlaceUnderOwner()
{
    const QRect owner(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());
    const QScreen* screen = m_owner->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const int w = width();
    const int h = height();
    int x = owner.left();
    if (x + w > area.right() + 1) x = area.right() + 1 - w;
    if (owner.left() < 0) x = 0;
    int y = owner.bottom();  // bottom edge - 1 in exclusive terms
    if (y + h > area.bottom() + 1) y = area.bottom() + 1 - h;
    move(x, y);
}

bool CFixedPopup::SelectSearched(const std::string& key)
{
    if (m_indexFile < 0) return false;
    std::string text(key.c_str());  // up to the terminator
    const uint32_t position = SearchKey(Context().File(m_indexFile), text.c_str(), nullptr);
    if (position == 0) return false;
    SelectRow(static_cast<int>(position) - 1);
    return true;
}

QString CFixedPopup::RowText(const std::string& code, const std::string& name) const
{
    QString text = QString::fromLatin1(code.c_str()) + QLatin1Char('\t') +
                   QString::fromLatin1(name.c_str());
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
}

void CFixedPopup::AppendRow(int index, const QString& text) { m_rows->SetRowText(index, text); }

int CFixedPopup::RowsBuilt() const { return m_rows->BuiltRows(); }
QString CFixedPopup::RowAt(int row) const { return m_rows->RowText(row); }

int CFixedPopup::SelectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CFixedPopup::SelectRow(int row)
{
    if (row < 0 || row >= m_rows->rowCount()) return;
    const QModelIndex index = m_rows->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

void CFixedPopup::Choose()
{
    const int row = SelectedRow();
    if (row < 0 || !m_owner) return;
    const QString text = m_rows->RowText(row).section(QLatin1Char('\t'), m_resultColumn, m_resultColumn);
    m_owner->SetText(text);
}

bool CFixedPopup::TypeAhead(const QKeyEvent& key)
{
    if (m_indexFile < 0) return false;
    const int k = key.key();
    char c = 0;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) c = static_cast<char>('0' + (k - Qt::Key_0));
    else if (k >= Qt::Key_A && k <= Qt::Key_Z) c = static_cast<char>('A' + (k - Qt::Key_A));
    if (c == 0) return false;
    try {
        SelectSearched(std::string(1, c));
    } catch (const std::exception&) {
        // A lookup list reports nothing; the selection stays.
    }
    return true;
}

bool CFixedPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The row under the pointer was selected by the press that began the double click.
        if (m_list->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid())
            SendCommand(IDOK);
        return true;
    }
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return CKDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (TypeAhead(*key)) return true;
    // Home and End go to the first and last account, not to the first and last column.
    if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        SelectRow(key->key() == Qt::Key_Home ? 0 : m_rows->rowCount() - 1);
        return true;
    }
    return CKDialog::eventFilter(watched, event);
}

bool CFixedPopup::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible() && !m_closing) Close(false);
    return CKDialog::event(event);
}

void CFixedPopup::OnOK() { Close(true); }
void CFixedPopup::OnCancel() { Close(false); }

void CFixedPopup::Close(bool choose)
{
    if (m_closing) return;
    m_closing = true;
    if (choose) Choose();
    DestroyWindow();
}

void CFixedPopup::OnDestroy()
{
    m_list->removeEventFilter(this);
    m_list->viewport()->removeEventFilter(this);
    m_rows->Clear();
    m_resources->ReleaseResources();
    if (m_owner && m_owner->OpenList() == this) m_owner->SetOpenList(nullptr);
}

}  // namespace kelo
