#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "src/pages/scans/ScanSink.h"

namespace kelo::test {

// Collects a scan's rows and counts its yields; `onYield` may stop the scan from inside a yield,
// as a category change arriving through the host's event loop does.
class RecordingSink : public ScanSink {
public:
    void AddRow(std::span<const uint8_t> row) override
    {
        rows.emplace_back(row.begin(), row.end());
    }
    void Yield() override
    {
        ++yields;
        if (onYield) onYield(*this);
    }
    bool Stopped() const override { return stopped; }

    std::vector<std::vector<uint8_t>> rows;
    int yields = 0;
    bool stopped = false;
    std::function<void(RecordingSink&)> onYield;
};

}  // namespace kelo::test
