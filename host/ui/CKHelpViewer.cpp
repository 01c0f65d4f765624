#include "host/ui/CKHelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kelo {

namespace {

CKHelpViewer::Shower& Installed()
{
    static CKHelpViewer::Shower shower;
    return shower;
}

// The page file of a folder, found whatever the case of its name.
QString FindPage(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile()) return exact.absoluteFilePath();
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.absoluteFilePath(entry);
    return QString();
}

// The help folder named by a path written with either separator, matched case-insensitively
// part by part below the first existing folder (the path may be built in the old style).
QString ResolveFolder(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(p).isDir()) return QFileInfo(p).absoluteFilePath();
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QDir::currentPath();
    for (const QString& part : parts) {
        const QDir dir(current);
        if (QFileInfo(dir.filePath(part)).isDir()) {
            current = dir.filePath(part);
            continue;
        }
        QString match;
        for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (entry.compare(part, Qt::CaseInsensitive) == 0) match = entry;
        if (match.isEmpty()) return QString();
        current = dir.filePath(match);
    }
    return QFileInfo(current).absoluteFilePath();
}

}  // namespace

bool CKHelpViewer::HtmlHelpA(QWidget* window, const QString& path, int command, int topic)
{
    if (command != HH_DISPLAY_TOPIC && command != HH_HELP_CONTEXT) return false;
    const QString folder = ResolveFolder(path);
    if (folder.isEmpty()) return false;
    QString page;
    if (command == HH_HELP_CONTEXT) page = FindPage(folder, QStringLiteral("%1.html").arg(topic));
    if (page.isEmpty()) page = FindPage(folder, QStringLiteral("index.html"));
    if (page.isEmpty()) return false;
    const Request request{window, folder, command, topic, page};
    if (const Shower& shower = Installed()) {
        shower(request);
        return true;
    }
    CKHelpViewer* viewer = Instance();
    viewer->m_index = FindPage(folder, QStringLiteral("index.html"));
    viewer->ShowPage(page);
    viewer->Present();
    return true;
}

void CKHelpViewer::Present()
{
    QWidget* modal = QApplication::activeModalWidget();
    SetOwner(modal == this ? nullptr : modal);
    show();
    raise();
    activateWindow();
}

void CKHelpViewer::SetOwner(QWidget* owner)
{
    if (owner == parentWidget()) return;
    const bool placed = testAttribute(Qt::WA_WState_Created);
    const QRect where = geometry();
    if (m_owner) m_owner->removeEventFilter(this);
    // A child window of the modal dialog is outside what the dialog blocks, and the window
    // manager keeps it above the dialog.
    setParent(owner, Qt::Window);
    m_owner = owner;
    if (owner) owner->installEventFilter(this);
    if (placed) setGeometry(where);
}

bool CKHelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog the help was opened over goes: the help, unless it was closed, stays open on
    // its own instead of going with it.
    if (watched == m_owner && event->type() == QEvent::Hide) {
        const bool open = !testAttribute(Qt::WA_WState_Hidden);
        SetOwner(nullptr);
        if (open) show();
    }
    return QWidget::eventFilter(watched, event);
}

CKHelpViewer::Shower CKHelpViewer::SetShower(Shower shower)
{
    Shower previous = std::move(Installed());
    Installed() = std::move(shower);
    return previous;
}

CKHelpViewer* CKHelpViewer::Instance()
{
    static QPointer<CKHelpViewer> viewer;
    if (!viewer) viewer = new CKHelpViewer;
    return viewer;
}

CKHelpViewer::CKHelpViewer() : QWidget(nullptr), m_browser(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Task Manager Help"));
    resize(640, 520);
    m_browser->setOpenExternalLinks(true);

    auto* back = new QPushButton(tr("&Back"), this);
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* close = new QPushButton(tr("Close"), this);
    back->setObjectName(QStringLiteral("back"));
    contents->setObjectName(QStringLiteral("contents"));
    close->setObjectName(QStringLiteral("close"));
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] {
        if (!m_index.isEmpty()) ShowPage(m_index);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
}

void CKHelpViewer::ShowPage(const QString& pagePath)
{
    m_browser->setSource(QUrl::fromLocalFile(pagePath));
}

QString CKHelpViewer::CurrentPage() const { return m_browser->source().toLocalFile(); }

}  // namespace kelo
