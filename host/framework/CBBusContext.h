#pragma once

#include <string>

#include "host/file/DataContext.h"
#include "host/framework/CBAccessManager.h"

namespace kelo {

// The host context of one logged-on user: the company's file block and the user's rights.
class CBBusContext final {
public:
    CBBusContext(const DataContext& context, std::string userName);

    DataContext& Context() { return m_context; }
    const std::string& UserName() const { return m_userName; }
    const CBAccessManager& GetAccessManager() const { return m_access; }
    // Rereads the rights, after the users file changed.
    void Reload();

private:
    DataContext m_context;
    std::string m_userName;
    CBAccessManager m_access;
};

}  // namespace kelo
