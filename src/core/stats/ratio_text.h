#pragma once
// The share of wrong answers as the browse page shows it.

#include <cstdint>
#include <string>

namespace morvanta::stats {

// A number in the general format under a German locale: at most 15
// significant digits, no trailing zeros, decimal comma; scientific form
// ("1,5E-7", "1E20") only for very small or very large magnitudes.
std::string GeneralFloatText(double value);

// wrong / asked in the general format; empty when asked is 0.
std::string RatioText(std::int64_t wrong, std::int64_t asked);

}  // namespace morvanta::stats
