#include "core/stats/ratio_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace morvanta::stats {

std::string GeneralFloatText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";

    // 15 significant digits, rounded: d.dddddddddddddde±x
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(p + 1) + 1;  // value = 0.digits * 10^exponent
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    if (exponent > 15 || exponent < -3) {
        out.append(digits, 0, 1);
        if (digits.size() > 1) out.append(1, ',').append(digits, 1);
        out.append(1, 'E').append(std::to_string(exponent - 1));
    } else if (exponent <= 0) {
        out.append("0,").append(static_cast<size_t>(-exponent), '0').append(digits);
    } else if (static_cast<size_t>(exponent) >= digits.size()) {
        out.append(digits).append(static_cast<size_t>(exponent) - digits.size(), '0');
    } else {
        const auto point = static_cast<size_t>(exponent);
        out.append(digits, 0, point).append(1, ',').append(digits, point);
    }
    return out;
}

std::string RatioText(std::int64_t wrong, std::int64_t asked) {
    if (asked == 0) return {};
    return GeneralFloatText(static_cast<double>(wrong) / static_cast<double>(asked));
}

}  // namespace morvanta::stats
