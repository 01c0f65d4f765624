#pragma once

// Money is held in doubles. Rounding works on the value's decimal text so that amounts round as
// they were typed (1.005 -> 1.01), not as their binary approximation happens to fall.

// An amount counts as positive (outstanding, a limit that is set, stock in hand) only above this.
inline constexpr double kPositiveAmountThreshold = 0.000000005;

// x rounded to `places` decimals (0-15; negative counts as 0), halves away from zero, judged on x
// printed to 15 significant digits: 1.005 -> 1.01, -2.675 -> -2.68, 2.5 -> 3 at 0 places. A
// result of zero is +0.0. NaN and infinities come back unchanged. Never throws.
double Round(double x, int places);

// x, or +0.0 when x would print as zero with `places` decimals (|x| < half a unit of the last
// place, -0.0 included), so "%.2f" never shows "-0.00". Other values come back unchanged.
double NormaliseZero(double x, int places = 2);

// True when x is greater than kPositiveAmountThreshold.
bool IsPositiveAmount(double x);
