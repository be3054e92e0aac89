#include "core/exchange/japanese_run.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "text/codepage_tables.h"

namespace morvanta::exchange {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Index of the backslash of the first "\'" whose backslash is at or after
// `from`. Apostrophes are rare in RTF and backslashes are everywhere, so the
// scan looks for the apostrophe.
std::size_t FindEscape(std::string_view t, std::size_t from) {
    std::size_t a = from + 1;
    while (a < t.size()) {
        const void* hit = std::memchr(t.data() + a, '\'', t.size() - a);
        if (!hit) return npos;
        a = static_cast<std::size_t>(static_cast<const char*>(hit) - t.data());
        if (t[a - 1] == '\\') return a - 1;
        ++a;
    }
    return npos;
}

// Index of the backslash of the last "\'" whose backslash is at or before `last`.
std::size_t FindLastEscape(std::string_view t, std::size_t last) {
    std::size_t end = std::min(last + 2, t.size());  // apostrophes at indexes below end
    while (end > 1) {
        const void* hit = ::memrchr(t.data() + 1, '\'', end - 1);
        if (!hit) return npos;
        const auto a = static_cast<std::size_t>(static_cast<const char*>(hit) - t.data());
        if (t[a - 1] == '\\') return a - 1;
        end = a;
    }
    return npos;
}

// Length of the \uN? escape whose backslash is at i (an optional minus, the
// digits, and the one stand-in character), or 0 when none starts there.
std::size_t UnicodeEscapeLength(std::string_view t, std::size_t i) {
    std::size_t j = i + 2;
    if (j >= t.size() || t[i] != '\\' || t[i + 1] != 'u') return 0;
    if (t[j] == '-') ++j;
    const std::size_t digits = j;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j;
    return j > digits && j < t.size() ? j + 1 - i : 0;
}

// The span from the first to the end of the last \uN? escape, empty when none.
std::pair<std::size_t, std::size_t> UnicodeEscapeSpan(std::string_view t) {
    std::size_t first = npos, end = 0;
    for (std::size_t i = t.find("\\u"); i != npos; i = t.find("\\u", i + 1)) {
        const std::size_t n = UnicodeEscapeLength(t, i);
        if (n == 0) continue;
        first = std::min(first, i);
        end = i + n;
    }
    return {first, end};
}

// The run cut at the Shift-JIS escapes by the fixed rule.
std::string_view ShiftJisRunView(std::string_view t) {
    const std::size_t any = FindEscape(t, 0);
    if (any == npos) return {};
    // Front cut: from the first escape whose backslash is not the very first
    // character and whose apostrophe leaves two more characters.
    const std::size_t front = any >= 1 ? any : FindEscape(t, 1);
    if (front != npos && front + 4 <= t.size()) t.remove_prefix(front);
    // Back cut: after the two hex digits of the last escape that leaves room for one.
    if (t.size() >= 3) {
        const std::size_t back = FindLastEscape(t, t.size() - 3);
        if (back != npos && back + 4 < t.size()) t = t.substr(0, back + 4);
    }
    return t;
}

}  // namespace

std::string_view EscapeRunView(std::string_view t) {
    const std::string_view run = ShiftJisRunView(t);
    // A character outside Shift-JIS is stored as \uN?; one at either end of the
    // text widens the run, so it is not cut off.
    const auto [uFirst, uEnd] = UnicodeEscapeSpan(t);
    if (uFirst == npos) return run;
    if (run.empty()) return t.substr(uFirst, uEnd - uFirst);
    const std::size_t start = std::min(uFirst, static_cast<std::size_t>(run.data() - t.data()));
    const std::size_t end = std::max(uEnd, static_cast<std::size_t>(run.data() - t.data()) + run.size());
    return t.substr(start, end - start);
}

std::string EscapeRunOf(std::string_view storedRtf) { return std::string(EscapeRunView(storedRtf)); }

std::string RtfCharacter(char32_t cp) {
    std::string s;
    const std::uint16_t code = text::Cp932CodeOf(cp);
    if (code == 0) {
        AppendUnicodeEscape(s, cp);
        return s;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    auto escape = [&s](unsigned b) {
        s += "\\'";
        s += kHex[b >> 4];
        s += kHex[b & 0xF];
    };
    if (code > 0xFF) escape(code >> 8);
    escape(code & 0xFFu);
    return s;
}

void AppendUnicodeEscape(std::string& out, char32_t cp) {
    auto unit = [&out](unsigned value) {
        out += "\\u";
        out += std::to_string(value >= 0x8000 ? static_cast<int>(value) - 0x10000
                                              : static_cast<int>(value));
        out += '?';
    };
    if (cp >= 0x10000) {
        const unsigned v = static_cast<unsigned>(cp) - 0x10000;
        unit(0xD800 + (v >> 10));
        unit(0xDC00 + (v & 0x3FF));
    } else {
        unit(static_cast<unsigned>(cp));
    }
}

}  // namespace morvanta::exchange
