#include "host/ui/CKDataChange.h"

#include <map>
#include <memory>
#include <string>

#include <QFileSystemWatcher>
#include <QPointer>
#include <QSocketNotifier>
#include <QVector>

#include <fcntl.h>
#include <unistd.h>

#include "host/file/DataContext.h"
#include "host/ui/CKDialog.h"

namespace kelo {
namespace {

// The process whose commit last moved the stamp (FileEnvironment writes its pid there).
pid_t stampWriter(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    int32_t pid = 0;
    const bool ok = ::pread(fd, &pid, sizeof pid, 0) == sizeof pid;
    ::close(fd);
    return ok ? pid : 0;
}

struct Company {
    std::unique_ptr<QFileSystemWatcher> watcher;  // LMDB: the change stamp file
    // A server company: the connection its notices of commits arrive on.
    std::unique_ptr<store::ChangeFeed> feed;
    std::unique_ptr<QSocketNotifier> notifier;
    QVector<QPointer<CKDialog>> windows;
};

std::map<std::string, Company>& companies()
{
    static std::map<std::string, Company> all;
    return all;
}

void postToWindows(const Company& c)
{
    const auto windows = c.windows;  // a window may unregister while handling it
    for (const QPointer<CKDialog>& w : windows)
        if (w) w->PostCommand(kCommandDataChanged);
}

void announce(const std::string& stamp)
{
    auto it = companies().find(stamp);
    if (it == companies().end()) return;
    // Writers may replace the file; keep watching the path.
    if (!it->second.watcher->files().contains(QString::fromStdString(stamp)))
        it->second.watcher->addPath(QString::fromStdString(stamp));
    if (stampWriter(stamp) == ::getpid()) return;
    postToWindows(it->second);
}

void announceFromServer(const std::string& key)
{
    auto it = companies().find(key);
    if (it == companies().end()) return;
    if (it->second.feed->TakeOthers()) postToWindows(it->second);
    // A lost connection leaves its socket readable for ever: stop listening rather than spin.
    if (it->second.feed->Socket() < 0) it->second.notifier->setEnabled(false);
}

void watch(Company& c, const std::string& key, FileEnvironment& env)
{
    c.feed = env.OpenChangeFeed();
    if (c.feed) {
        c.notifier = std::make_unique<QSocketNotifier>(c.feed->Socket(), QSocketNotifier::Read);
        QObject::connect(c.notifier.get(), &QSocketNotifier::activated,
                         [key] { announceFromServer(key); });
        return;
    }
    c.watcher = std::make_unique<QFileSystemWatcher>();
    c.watcher->addPath(QString::fromStdString(key));
    QObject::connect(c.watcher.get(), &QFileSystemWatcher::fileChanged,
                     [key](const QString&) { announce(key); });
}

}  // namespace

void RegisterWindowForUpdates(CKDialog* window, const DataContext& context)
{
    if (!window) return;
    const std::string stamp = context.Environment().ChangeStampPath();
    Company& c = companies()[stamp];
    if (!c.watcher && !c.feed) watch(c, stamp, context.Environment());
    c.windows.removeAll(QPointer<CKDialog>());
    if (!c.windows.contains(window)) c.windows.push_back(window);
}

void NotifyDataChanged(const DataContext& context)
{
    auto it = companies().find(context.Environment().ChangeStampPath());
    if (it != companies().end()) postToWindows(it->second);
}

void UnregisterWindowForUpdates(CKDialog* window)
{
    for (auto it = companies().begin(); it != companies().end();) {
        it->second.windows.removeAll(QPointer<CKDialog>(window));
        it->second.windows.removeAll(QPointer<CKDialog>());
        if (it->second.windows.isEmpty())
            it = companies().erase(it);
        else
            ++it;
    }
}

}  // namespace kelo
