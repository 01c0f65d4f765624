#pragma once

#include <string>

#include "host/file/DataContext.h"

namespace kelo {

// A department by number (record n of the departments file). A number with no record gives
// empty texts.
class CBDep final {
public:
    CBDep(const DataContext& context, int number);
    const std::string& GetUserRefn() const { return m_userRefn; }
    const std::string& GetName() const { return m_name; }

private:
    std::string m_userRefn;
    std::string m_name;
};

}  // namespace kelo
