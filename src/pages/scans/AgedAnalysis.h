#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kelo {

class DataContext;
class GlobalBlock;

// How one ledger ages its transactions: by calendar month, or by days against the first day of
// each period. The age-as-current setting is shared by both ledgers.
struct AgingSettings {
    bool monthAging = false;
    int16_t period1 = 30;
    int16_t period2 = 60;
    int16_t period3 = 90;
    int16_t older = 120;
    uint16_t ageAsCurrent = 0;
};
// The settings of `ledger` (256 customers, 257 suppliers) from the host's global block.
AgingSettings AgingSettingsOf(const GlobalBlock& block, int ledger);

// Slots of the aged values: [0] the total (kept, not shown), then the six shown buckets.
enum class AgedBucket { Total, Future, Current, Period1, Period2, Period3, Older, Count };
using AgedValues = std::array<double, static_cast<std::size_t>(AgedBucket::Count)>;

// The bucket of a transaction dated `date` aged on `agingDate`. Month aging never gives Future.
AgedBucket ChooseAgedBucket(const AgingSettings& settings, uint16_t agingDate, uint16_t date,
                            uint16_t headerAgeAsCurrent);

// The aged analysis of the account whose header chain starts at `firstHeader`: counted types
// 1, 2, 4 for customers and 6, 7, 9 for suppliers, the invoice type counted as owed and the
// others against; allocations dated after `cutOff` do not count, and a payment on account (4 or
// 9) dated after it is passed over. Any other ledger gives all zeros. A chain that loops or
// points past its file ends there (headers, splits and allocations alike); what was aged stays.
AgedValues ComputeAgedAnalysis(DataContext& context, int ledger, uint32_t firstHeader,
                               const AgingSettings& settings, uint16_t agingDate, uint16_t cutOff);

}  // namespace kelo
