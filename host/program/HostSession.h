#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/framework/CBBusContext.h"

namespace kelo::host {

// One company opened and one user logged on: the file block, the user's context and the global
// block the host fills for the module.
class HostSession final {
public:
    // Opens the company in `folder` and logs `user` on. Throws std::runtime_error with a message
    // for the user when the folder is not a company or the user is unknown.
    HostSession(const std::string& folder, const std::string& user);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    DataContext& Context() { return m_context->Context(); }
    const std::string& UserName() const { return m_context->UserName(); }
    const std::string& Folder() const { return m_folder; }
    std::string CompanyName();

    // Fills the global block (program folder, data path, user, file block, and what the company
    // keeps: the ledgers' aging settings, housekeeping dates, last document numbers) and makes
    // it the process's block. `programDir` ends with a separator.
    void FillGlobalBlock(const std::string& programDir);

private:
    // Setup record 1, all zero when it cannot be read.
    std::vector<uint8_t> ReadSetup();

    std::string m_folder;
    std::unique_ptr<CBBusContext> m_context;
    std::vector<uint8_t> m_block;
};

}  // namespace kelo::host
