#include "src/pages/scans/ChainGuard.h"

#include <algorithm>

namespace kelo {

void ChainGuard::Reset()
{
    m_seen.clear();
    if (m_hashed) m_set.clear();
    m_hashed = false;
    m_highest = 0;
}

bool ChainGuard::Visit(uint32_t recno)
{
    if (recno > m_highest) {
        // Above everything seen: cannot be a revisit.
        m_highest = recno;
        m_seen.push_back(recno);
        if (m_hashed) m_set.insert(recno);
        return true;
    }
    if (!m_hashed && m_seen.size() > kLinearLimit) {
        m_set.insert(m_seen.begin(), m_seen.end());
        m_hashed = true;
    }
    if (m_hashed) {
        if (!m_set.insert(recno).second) return false;
    } else if (std::find(m_seen.begin(), m_seen.end(), recno) != m_seen.end()) {
        return false;
    }
    m_seen.push_back(recno);
    return true;
}

}  // namespace kelo
