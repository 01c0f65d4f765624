#pragma once

#include <string>

namespace kelo::host {

// The Task Manager module, loaded with dlopen and driven only through its four entry points.
class TaskModule final {
public:
    // Loads the module at `path`. Throws std::runtime_error naming the file and what failed.
    explicit TaskModule(const std::string& path);
    ~TaskModule();
    TaskModule(const TaskModule&) = delete;
    TaskModule& operator=(const TaskModule&) = delete;

    void TaskInitialise(void* hostWindow) { m_initialise(hostWindow); }
    void ShowTaskManager() { m_show(); }
    void KillTaskManager() { m_kill(); }
    int TaskIsShowing() { return m_isShowing(); }

private:
    void* m_handle = nullptr;
    void (*m_initialise)(void*) = nullptr;
    void (*m_show)() = nullptr;
    void (*m_kill)() = nullptr;
    int (*m_isShowing)() = nullptr;
};

}  // namespace kelo::host
