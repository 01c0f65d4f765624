#pragma once

#include <string>

namespace kelo::tool {

// A new company folder being made. The company is built in a staging folder beside the target
// and renamed into place by Keep(), so a create or demo that fails or is killed never leaves a
// half-built company where a company is expected; the staging folders of dead runs are cleared
// by the next one.
class CompanyFolder final {
public:
    // Throws ToolError when `folder` already holds a company, is a file, or is a folder with
    // other contents (a company is renamed into an empty or missing folder only).
    explicit CompanyFolder(std::string folder);
    ~CompanyFolder();
    CompanyFolder(const CompanyFolder&) = delete;
    CompanyFolder& operator=(const CompanyFolder&) = delete;

    // Where to build the company until Keep().
    const std::string& Path() const { return m_staging; }
    // Moves the built company into the target folder. Throws ToolError when it cannot.
    void Keep();

private:
    std::string m_folder;
    std::string m_staging;
    bool m_kept = false;
};

}  // namespace kelo::tool
