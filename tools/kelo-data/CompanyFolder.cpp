#include "tools/kelo-data/CompanyFolder.h"

#include <filesystem>

#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace fs = std::filesystem;

namespace {

// The files an LMDB company consists of, besides what other tools may keep beside it.
constexpr const char* kCompanyFiles[] = {"data.mdb", "lock.mdb", "records.lck", "changes.stamp"};

}  // namespace

CompanyFolder::CompanyFolder(std::string folder) : m_folder(std::move(folder))
{
    if (fs::exists(m_folder) && !fs::is_directory(m_folder))
        throw ToolError(m_folder + ": exists and is not a folder");
    if (IsCompanyFolder(m_folder))
        throw ToolError(m_folder + ": already holds a company (remove it first)");
    m_existed = fs::exists(m_folder);
}

CompanyFolder::~CompanyFolder()
{
    if (m_keep) return;
    std::error_code ec;
    if (!m_existed) {
        fs::remove_all(m_folder, ec);
        return;
    }
    for (const char* name : kCompanyFiles) fs::remove(fs::path(m_folder) / name, ec);
}

}  // namespace kelo::tool
