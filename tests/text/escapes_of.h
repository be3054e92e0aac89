#pragma once
// Builds escape runs from readable Japanese text for the tests.

#include <string>
#include <string_view>

#include "text/codepage.h"

namespace morvanta::text::testing {

// "かな" -> "\'82\'a9\'82\'c8" (lower-case hex, as the rich-text edit writes).
inline std::string EscapesOf(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (char32_t cp : Utf8ToCodePoints(utf8)) {
        const auto bytes = CodePointToCp932(cp);
        if (!bytes) continue;
        for (char c : *bytes) {
            const auto b = static_cast<unsigned char>(c);
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

}  // namespace morvanta::text::testing
