#include "text/escape_runs.h"

#include "text/rtf_heads.h"

namespace morvanta::text {

namespace {

constexpr std::string_view kWrapHeader = kEscapeRunRtfHead;
constexpr std::string_view kWrapFooter = "\\par }";

}  // namespace

// Positions below are 1-based as in the rule they follow: an escape only counts
// for the front cut when its backslash stands at position 2 or later (an RTF
// document always begins with "{").
std::string IsolateRtfEscapes(std::string_view rtf) {
    std::string_view t = rtf;
    const std::size_t len = t.size();
    for (std::size_t p = 3; p + 2 <= len; ++p) {
        if (t[p - 1] == '\'' && t[p - 2] == '\\') {
            t.remove_prefix(p - 2);
            break;
        }
    }
    const std::size_t m = t.size();
    for (std::size_t q = m >= 1 ? m - 1 : 0; q >= 2; --q) {
        if (t[q - 1] == '\'' && t[q - 2] == '\\') {
            if (q + 2 < m) t = t.substr(0, q + 2);
            break;
        }
    }
    return std::string(t);
}

std::string WrapJapaneseRtf(std::string_view escapes) {
    std::string out;
    out.reserve(kWrapHeader.size() + escapes.size() + kWrapFooter.size());
    out.append(kWrapHeader).append(escapes).append(kWrapFooter);
    return out;
}

}  // namespace morvanta::text
