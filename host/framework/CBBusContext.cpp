#include "host/framework/CBBusContext.h"

namespace kelo {

CBBusContext::CBBusContext(const DataContext& context, std::string userName)
    : m_context(context), m_userName(std::move(userName)), m_access(m_context, m_userName)
{
}

void CBBusContext::Reload() { m_access = CBAccessManager(m_context, m_userName); }

}  // namespace kelo
