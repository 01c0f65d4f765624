#include "host/framework/CDDataResources.h"

#include <algorithm>

namespace kelo {

CDDataResources& CDDataResources::AddDataFile(int file, int mode)
{
    m_items.push_back({file, false, mode});
    return *this;
}

CDDataResources& CDDataResources::AddIndexFile(int file, int mode)
{
    m_items.push_back({file, true, mode});
    return *this;
}

CDDataResources& CDDataResources::Add(const CDDataResources& other)
{
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    return *this;
}

bool CDDataResources::Writes() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const Item& i) { return i.mode == kResourceSave || i.mode == kResourceDelete; });
}

}  // namespace kelo
