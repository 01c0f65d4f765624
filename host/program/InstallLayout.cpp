#include "host/program/InstallLayout.h"

#include <cstdlib>

#ifndef KELO_MODULE_FROM_BINDIR
#define KELO_MODULE_FROM_BINDIR "../lib/kelo"
#endif
#ifndef KELO_DATA_FROM_BINDIR
#define KELO_DATA_FROM_BINDIR "../share/kelo"
#endif

namespace kelo::host {

namespace fs = std::filesystem;

namespace {

constexpr const char* kModuleName = "libkl70Tasks.so";

std::string WithSeparator(const fs::path& folder) {
    std::string text = folder.lexically_normal().string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

}  // namespace

InstallLayout::InstallLayout(fs::path programFolder) : m_bin(std::move(programFolder)) {}

InstallLayout InstallLayout::OfThisProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return InstallLayout(ec ? fs::current_path(ec) : self.parent_path());
}

std::string InstallLayout::ModulePath() const {
    if (const char* env = std::getenv("KELO_TASKS_MODULE"); env && *env) return env;
    std::error_code ec;
    if (fs::exists(m_bin / kModuleName, ec)) return (m_bin / kModuleName).string();
    return (m_bin / KELO_MODULE_FROM_BINDIR / kModuleName).lexically_normal().string();
}

std::string InstallLayout::ProgramFolder() const {
    if (const char* env = std::getenv("KELO_PROGRAM_DIR"); env && *env) return WithSeparator(env);
    std::error_code ec;
    if (fs::is_directory(m_bin / "Help", ec)) return WithSeparator(m_bin);
    return WithSeparator(m_bin / KELO_DATA_FROM_BINDIR);
}

}  // namespace kelo::host
