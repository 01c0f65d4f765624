#include "host/program/TaskModule.h"

#include <dlfcn.h>

#include <stdexcept>

namespace kelo::host {

namespace {

template <class F>
F Resolve(void* handle, const char* name, const std::string& path)
{
    void* symbol = dlsym(handle, name);
    if (!symbol) throw std::runtime_error(path + " does not export " + name + ".");
    return reinterpret_cast<F>(symbol);
}

}  // namespace

TaskModule::TaskModule(const std::string& path)
{
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* why = dlerror();
        throw std::runtime_error("The Task Manager module " + path + " could not be loaded: " +
                                 (why ? why : "unknown error"));
    }
    try {
        m_initialise = Resolve<void (*)(void*)>(m_handle, "TaskInitialise", path);
        m_show = Resolve<void (*)()>(m_handle, "ShowTaskManager", path);
        m_kill = Resolve<void (*)()>(m_handle, "KillTaskManager", path);
        m_isShowing = Resolve<int (*)()>(m_handle, "TaskIsShowing", path);
    } catch (...) {
        dlclose(m_handle);
        throw;
    }
}

TaskModule::~TaskModule()
{
    // The module's windows and Qt types stay registered with the application: keep it loaded
    // until the process ends.
}

}  // namespace kelo::host
