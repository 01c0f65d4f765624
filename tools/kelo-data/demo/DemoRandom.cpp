#include "tools/kelo-data/demo/DemoRandom.h"

#include <cmath>

namespace kelo::demo {

uint64_t DemoRandom::Next()
{
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t DemoRandom::Below(uint32_t n) { return n ? uint32_t(Next() % n) : 0; }

int DemoRandom::Between(int lo, int hi)
{
    if (hi <= lo) return lo;
    return lo + int(Below(uint32_t(hi - lo + 1)));
}

bool DemoRandom::Chance(int percent) { return int(Below(100)) < percent; }

double DemoRandom::Money(double lo, double hi)
{
    const auto pLo = static_cast<long long>(std::llround(lo * 100));
    const auto pHi = static_cast<long long>(std::llround(hi * 100));
    const long long pence = pLo + static_cast<long long>(Next() % uint64_t(pHi - pLo + 1));
    return double(pence) / 100.0;
}

}  // namespace kelo::demo
