#pragma once

#include <QObject>

namespace kelo {

class CKDialog;
class DataContext;

// The host's data-change service: a registered window receives command 500 when another
// process commits to the same company. Commits of this process are not announced, since the
// window that made them has already updated itself. UI thread only.
void RegisterWindowForUpdates(CKDialog* window, const DataContext& context);
// Safe for a window never registered; a destroyed window is dropped by itself.
void UnregisterWindowForUpdates(CKDialog* window);

// The host's own writes, made outside the module (a reminder added from the host's menu): tells
// the registered windows of that company as another process's commit would.
void NotifyDataChanged(const DataContext& context);

inline constexpr int kCommandDataChanged = 500;

}  // namespace kelo
