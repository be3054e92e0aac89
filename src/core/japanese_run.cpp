#include "core/japanese_run.h"

#include <cstdint>
#include <cstring>

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

}  // namespace

std::string_view EscapeRunView(std::string_view t) {
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
