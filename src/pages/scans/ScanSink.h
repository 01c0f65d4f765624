#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/data/GlobalBlock.h"

namespace kelo {

class DataContext;
class CBAccessManager;

// Where a page's scan delivers its rows. The page widget adds them to its list and yields to
// the host; kelo-tasks, the tests and the benchmarks collect them.
class ScanSink {
public:
    virtual ~ScanSink() = default;
    // One packed row in the page's column set. Returns nothing; the scan goes on.
    virtual void AddRow(std::span<const uint8_t> row) = 0;
    // Called where the page returns to the host's event loop during a background fill.
    virtual void Yield() {}
    // True once the fill should stop (a category change, a close).
    virtual bool Stopped() const { return false; }
    // Called where a page asks for the program date once per record, so a date that moved on
    // during a long fill is noticed (the page's check posts the refresh).
    virtual void CheckProgramDate() {}
};

// What every scan reads: the company, the chosen category value, the program date, the
// logged-on user (pages that list per user, such as To Do) and the host's global block for the
// settings it holds (none outside the host: the settings' defaults hold).
struct ScanInput {
    DataContext& context;
    uint32_t category;
    uint16_t programDate;
    std::string userName;
    GlobalBlock block{nullptr};
};

}  // namespace kelo
