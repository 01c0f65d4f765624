#pragma once

// The module's four entry points, exported by name with C linkage. The host loads the module
// and calls these on its UI thread; `hostWindow` is the host's main window (a QWidget*).

#define KELO_MODULE_EXPORT __attribute__((visibility("default")))

extern "C" {
KELO_MODULE_EXPORT void TaskInitialise(void* hostWindow);
KELO_MODULE_EXPORT void ShowTaskManager(void);
KELO_MODULE_EXPORT void KillTaskManager(void);
KELO_MODULE_EXPORT int TaskIsShowing(void);
}
