#include "src/controls/CIntelliPopupWnd.h"

#include <algorithm>

#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "host/util/Settings.h"
#include "src/controls/CIntelliColumns.h"
#include "src/controls/CIntelliListHook.h"
#include "src/controls/CIntelliPopupImpl.h"
#include "src/controls/CIntelliSize.h"
#include "src/controls/CIntelliStore.h"
#include "host/data/GlobalBlock.h"

namespace kelo {

namespace {

constexpr int kStrip = CIntelliPopupImpl::kStripHeight;

}  // namespace

CIntelliPopupWnd::CIntelliPopupWnd(CIntelliPopupImpl& popup, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus),
      m_popup(popup),
      m_list(new QListWidget(this)),
      m_scroll(new QScrollBar(Qt::Vertical, this)),
      m_size(new CIntelliSize(popup, this)),
      m_listHook(new CIntelliListHook(popup, m_list))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setObjectName(QStringLiteral("intelliPopup"));
    if (popup.Field()) setFont(popup.Field()->font());

    // Nothing in the popup may take the focus from the field.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->setItemDelegate(new CIntelliColumns(m_list));
    // A little air round each candidate, so the list reads like the field above it.
    m_list->setStyleSheet(QStringLiteral("QListView::item { padding: 1px 3px; }"));
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int top) {
        m_list->verticalScrollBar()->setValue(top);
    });
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { UpdateScrollBar(); });

    const int scrollWidth = m_scroll->sizeHint().width();
    const QString file = GetINI(1);
    const QString section = QLatin1String(CIntelliPopupImpl::kSizeSection);
    const int width = ReadINIInt(file, section, SizeKey("WIDTH"), 0);
    const int height = ReadINIInt(file, section, SizeKey("HEIGHT"), 0);
    const int defaultWidth = popup.MinimumWidth();
    const int shownHeight = height < 11 ? CIntelliPopupImpl::kDefaultHeight : height;
    resize(width > 10 ? width + scrollWidth : defaultWidth, shownHeight);
}

CIntelliPopupWnd::~CIntelliPopupWnd() = default;

QSize CIntelliPopupWnd::MinimumSize() const
{
    return {m_popup.MinimumWidth(), CIntelliPopupImpl::kMinimumHeight};
}

QString CIntelliPopupWnd::SizeKey(const char* which) const
{
    const CIntelliStore* store = m_popup.Store();
    const QString key = store && store->IsHistory() ? store->HistoryKey() : QStringLiteral("key");
    int dpi = 96;
    const QWidget* field = m_popup.Field();
    if (field && field->screen()) {
        const int logical = qRound(field->screen()->logicalDotsPerInchX());
        if (logical > 0) dpi = logical;
    }
    const GlobalBlock& block = m_popup.Block();
    const QString user = block.Exists() ? QString::fromLatin1(block.UserName().c_str()) : QString();
    return QStringLiteral("POPUP-%1-%2-%3-%4-%5")
        .arg(m_popup.Kind())
        .arg(key, QLatin1String(which))
        .arg(dpi)
        .arg(user);
}

int CIntelliPopupWnd::RowsPerPage() const
{
    const int rowHeight = m_list->count() > 0 ? m_list->sizeHintForRow(0) : 0;
    if (rowHeight <= 0) return 1;
    return std::max(1, m_list->viewport()->height() / rowHeight);
}

int CIntelliPopupWnd::TopRow() const
{
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

int CIntelliPopupWnd::RowAt(const QPoint& listPos) const
{
    const QModelIndex index = m_list->indexAt(listPos);
    return index.isValid() ? index.row() : -1;
}

void CIntelliPopupWnd::ScrollBy(int rows)
{
    const int last = std::max(0, m_list->count() - RowsPerPage());
    m_list->verticalScrollBar()->setValue(std::clamp(TopRow() + rows, 0, last));
}

void CIntelliPopupWnd::UpdateScrollBar()
{
    const int perPage = RowsPerPage();
    const int rows = m_list->count();
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setRange(0, std::max(0, rows - perPage));
    m_scroll->setPageStep(perPage);
    m_scroll->setValue(TopRow());
    m_scroll->setEnabled(rows > perPage);
}

void CIntelliPopupWnd::LayOut()
{
    const int scrollWidth = m_scroll->sizeHint().width();
    const int boxSize = scrollWidth;
    m_list->setGeometry(0, kStrip, width() - scrollWidth, height() - kStrip);
    m_scroll->setGeometry(width() - scrollWidth, 0, scrollWidth, height() - boxSize);
    m_size->setGeometry(width() - boxSize, height() - boxSize, boxSize, boxSize);
}

void CIntelliPopupWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
    UpdateScrollBar();
    const QString file = GetINI(1);
    const QString section = QLatin1String(CIntelliPopupImpl::kSizeSection);
    WriteINIInt(file, section, SizeKey("WIDTH"), m_list->width());
    WriteINIInt(file, section, SizeKey("HEIGHT"), m_list->height() + kStrip);
}

void CIntelliPopupWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (event->position().y() < kStrip) m_popup.FollowStrip();
    QWidget::mouseMoveEvent(event);
}

void CIntelliPopupWnd::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The popup never keeps the activation: the field's dialog stays the active window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_popup.Field()) {
        QWidget* dialog = m_popup.Field()->window();
        dialog->activateWindow();
        m_popup.Field()->setFocus(Qt::OtherFocusReason);
    }
}

void CIntelliPopupWnd::paintEvent(QPaintEvent*)
{
    // The strip above the list and a hairline round the whole popup.
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace kelo
