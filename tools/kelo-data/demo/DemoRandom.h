#pragma once

#include <cstdint>
#include <span>

namespace kelo::demo {

// A small deterministic generator (splitmix64): the same seed gives the same company on every
// machine and library, which the standard distributions do not promise.
class DemoRandom final {
public:
    explicit DemoRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next();
    // A whole number in [0, n); 0 when n is 0.
    uint32_t Below(uint32_t n);
    // A whole number in [lo, hi].
    int Between(int lo, int hi);
    // True with the given chance in percent.
    bool Chance(int percent);
    // Pounds and pence in [lo, hi], on whole pence.
    double Money(double lo, double hi);

    template <typename T>
    const T& Pick(std::span<const T> items)
    {
        return items[Below(uint32_t(items.size()))];
    }

private:
    uint64_t m_state;
};

}  // namespace kelo::demo
