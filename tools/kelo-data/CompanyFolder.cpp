#include "tools/kelo-data/CompanyFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <signal.h>
#include <unistd.h>

#include "host/file/Store.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStagingMark = ".partial-";

// Staging folders left by runs that were killed: their pid no longer lives.
void removeDeadStaging(const fs::path& target)
{
    std::error_code ec;
    const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = "." + target.filename().string() + kStagingMark;
    for (const auto& e : fs::directory_iterator(parent, ec)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with(prefix)) continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM)) continue;
        fs::remove_all(e.path(), ec);
    }
}

}  // namespace

CompanyFolder::CompanyFolder(std::string folder) : m_folder(std::move(folder))
{
    while (m_folder.size() > 1 && m_folder.back() == '/') m_folder.pop_back();
    if (!store::ServerUrl(m_folder).empty())
        throw ToolError(store::ShownUrl(m_folder) + ": a company is made in a folder; "
                        "put it on the server with kelo-data copy");
    std::error_code ec;
    const fs::path target(m_folder);
    removeDeadStaging(target);
    if (fs::exists(m_folder) && !fs::is_directory(m_folder))
        throw ToolError(m_folder + ": exists and is not a folder");
    if (IsCompanyFolder(m_folder))
        throw ToolError(m_folder + ": already holds a company (remove it first)");
    if (fs::exists(m_folder) && !fs::is_empty(m_folder, ec))
        throw ToolError(m_folder + ": the folder is not empty; give a new or empty folder");
    const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::create_directories(parent, ec);
    if (ec) throw ToolError(parent.string() + ": cannot make the folder: " + ec.message());
    m_staging = (parent / ("." + target.filename().string() + kStagingMark +
                           std::to_string(::getpid()))).string();
    fs::remove_all(m_staging, ec);
}

CompanyFolder::~CompanyFolder()
{
    if (m_kept) return;
    std::error_code ec;
    fs::remove_all(m_staging, ec);
}

void CompanyFolder::Keep()
{
    // An empty target folder is replaced; rename(2) does that in one step.
    if (::rename(m_staging.c_str(), m_folder.c_str()) != 0)
        throw ToolError(m_folder + ": cannot move the new company into place: " +
                        std::strerror(errno));
    m_kept = true;
}

}  // namespace kelo::tool
