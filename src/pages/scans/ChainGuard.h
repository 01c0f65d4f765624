#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace kelo {

// Remembers the record numbers of one chain (an account's headers, a transaction's splits, a
// split's allocations) so that a damaged next-number pointing back is seen instead of followed
// for ever. Chains normally climb, so a climbing step costs one push; only a step down looks
// back. Reuse one guard across chains with Reset() to keep its storage.
class ChainGuard final {
public:
    // Forgets the chain walked so far.
    void Reset();
    // True when `recno` was not visited yet in this chain (it is now); false on a revisit.
    bool Visit(uint32_t recno);

private:
    static constexpr std::size_t kLinearLimit = 32;

    std::vector<uint32_t> m_seen;
    std::unordered_set<uint32_t> m_set;  // filled once a long chain steps down
    bool m_hashed = false;
    uint32_t m_highest = 0;
};

}  // namespace kelo
