#pragma once

#include <chrono>

namespace kelo {

// A long fill's returns to the event loop, on time rather than per record: each call reads the
// clock, and the queue runs once kInterval has passed since it last began to run. Timed from the
// start, so a slow pass of the queue (a repaint) is not followed by a further full interval of
// fill: the window is served about every kInterval whatever a record or a repaint costs.
class CKYieldClock {
public:
    static constexpr std::chrono::milliseconds kInterval{5};
    void Yield();

private:
    std::chrono::steady_clock::time_point m_last{};
};

}  // namespace kelo
