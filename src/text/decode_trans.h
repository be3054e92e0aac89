#pragma once
// Splits a line of translations at commas and semicolons into up to three parts.

#include <string>
#include <string_view>

namespace morvanta::text {

struct Translations {
    std::string first;
    std::string second;
    std::string third;
};

Translations DecodeTrans(std::string_view line);

}  // namespace morvanta::text
