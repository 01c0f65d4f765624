#include "host/util/Money.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kSignificantDigits = 15;

// Adds one to a string of decimal digits, growing it on a carry out of the top digit.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

double Round(double x, int places) {
    if (!std::isfinite(x)) {
        return x;
    }
    if (x == 0.0) {
        return 0.0;
    }
    places = std::clamp(places, 0, 15);

    // d.dddddddddddddde±x: the 15 significant digits that say what amount x stands for.
    std::array<char, 40> text{};
    const auto printed = std::to_chars(text.data(), text.data() + text.size(), std::fabs(x),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(text.data(), printed.ptr - text.data());
    const std::size_t ePos = scientific.find('e');
    std::string mantissa;
    mantissa.reserve(kSignificantDigits);
    for (char c : scientific.substr(0, ePos)) {
        if (c != '.') {
            mantissa.push_back(c);
        }
    }
    int exponent = 0;
    const char* expBegin = scientific.data() + ePos + 1;
    if (*expBegin == '+') {
        ++expBegin;
    }
    std::from_chars(expBegin, scientific.data() + scientific.size(), exponent);

    // Digit i of the mantissa stands for 10^(exponent - i); keep those down to 10^-places.
    const int keep = exponent + places + 1;
    std::string digits;
    int lastPower = -places;
    if (keep >= kSignificantDigits) {
        digits = mantissa;
        lastPower = exponent - (kSignificantDigits - 1);
    } else if (keep < 0) {
        return 0.0;
    } else {
        digits = mantissa.substr(0, static_cast<std::size_t>(keep));
        if (mantissa[static_cast<std::size_t>(keep)] >= '5') {
            IncrementDigits(digits);
        }
        if (digits.empty() || digits.find_first_not_of('0') == std::string::npos) {
            return 0.0;
        }
    }

    const std::string rounded = digits + "e" + std::to_string(lastPower);
    double magnitude = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), magnitude);
    return x < 0 ? -magnitude : magnitude;
}

double NormaliseZero(double x, int places) {
    places = std::clamp(places, 0, 15);
    if (std::fabs(x) < 0.5 * std::pow(10.0, -places)) {
        return 0.0;
    }
    return x;
}

bool IsPositiveAmount(double x) {
    return x > kPositiveAmountThreshold;
}
