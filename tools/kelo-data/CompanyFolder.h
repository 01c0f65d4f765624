#pragma once

#include <string>

namespace kelo::tool {

// A new company folder being made: refuses a folder that already holds a company, and removes
// what was made unless Keep() is called, so a failed create or demo leaves nothing behind.
class CompanyFolder final {
public:
    // Throws ToolError when `folder` already holds a company or is a file.
    explicit CompanyFolder(std::string folder);
    ~CompanyFolder();
    CompanyFolder(const CompanyFolder&) = delete;
    CompanyFolder& operator=(const CompanyFolder&) = delete;

    void Keep() { m_keep = true; }

private:
    std::string m_folder;
    bool m_existed = false;
    bool m_keep = false;
};

}  // namespace kelo::tool
