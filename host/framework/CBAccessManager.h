#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelo {

class DataContext;

// The user's rights as the users file holds them. Check answers true when the user is barred
// at the given level; a user missing from the users file is barred from everything.
class CBAccessManager final {
public:
    CBAccessManager() = default;
    // Reads the rights of `userName` (compared as stored, trailing spaces ignored).
    CBAccessManager(DataContext& context, const std::string& userName);

    bool Check(int module, int level) const;
    bool Check(int module, int option, int level) const;
    bool Known() const { return m_known; }

private:
    bool m_known = false;
    std::vector<uint8_t> m_user;
};

}  // namespace kelo
