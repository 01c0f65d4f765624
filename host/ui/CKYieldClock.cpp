#include "host/ui/CKYieldClock.h"

#include <QCoreApplication>

namespace kelo {

void CKYieldClock::Yield()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < kInterval) return;
    m_last = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace kelo
