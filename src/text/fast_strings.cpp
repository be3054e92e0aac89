#include "text/fast_strings.h"

#include <cstring>

#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

// Windows-1252 upper-casing: a-z, the accented small letters à-þ (not the
// division sign), š, œ, ž and ÿ. ß and µ have no capital in the code page.
std::array<unsigned char, 256> BuildFoldTable() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b) t[b] = static_cast<unsigned char>(b - 0x20);
    for (int b = 0xE0; b <= 0xFE; ++b)
        if (b != 0xF7) t[b] = static_cast<unsigned char>(b - 0x20);
    t[0x9A] = 0x8A;  // š
    t[0x9C] = 0x8C;  // œ
    t[0x9E] = 0x8E;  // ž
    t[0xFF] = 0x9F;  // ÿ
    return t;
}

bool SameAt(std::string_view search, const char* at, bool caseSensitive,
            const std::array<unsigned char, 256>& fold) {
    const std::size_t n = search.size();
    if (caseSensitive) return std::memcmp(search.data(), at, n) == 0;
    for (std::size_t k = 0; k < n; ++k)
        if (fold[static_cast<unsigned char>(search[k])] != fold[static_cast<unsigned char>(at[k])])
            return false;
    return true;
}

}  // namespace

const std::array<unsigned char, 256>& UpperFoldTable() {
    static const std::array<unsigned char, 256> table = BuildFoldTable();
    return table;
}

// A forward search below position 1 is a caller error; it finds nothing
// rather than taking the program down.
int LocateText(std::string_view search, std::string_view source, bool caseSensitive,
               int startPos, bool forward) {
    const long long n = static_cast<long long>(search.size());
    const long long m = static_cast<long long>(source.size());
    if (n == 0 || m == 0 || n > m) return 0;
    const long long lastFit = m - n + 1;  // 1-based
    const auto& fold = UpperFoldTable();

    if (forward) {
        if (startPos < 1 || startPos > lastFit) return 0;
        if (caseSensitive) {
            const auto hit = source.find(search, static_cast<std::size_t>(startPos - 1));
            return hit == std::string_view::npos ? 0 : static_cast<int>(hit + 1);
        }
        const unsigned char first = fold[static_cast<unsigned char>(search[0])];
        for (long long p = startPos; p <= lastFit; ++p) {
            const char* at = source.data() + (p - 1);
            if (fold[static_cast<unsigned char>(*at)] == first && SameAt(search, at, false, fold))
                return static_cast<int>(p);
        }
        return 0;
    }

    if (startPos < 0) return 0;
    long long p = (startPos == 0 || startPos > lastFit) ? lastFit : startPos;
    for (; p >= 1; --p) {
        const char* at = source.data() + (p - 1);
        if (SameAt(search, at, caseSensitive, fold)) return static_cast<int>(p);
    }
    return 0;
}

// Digits beyond the sixteenth wrap around like the 64-bit arithmetic they use.
std::int64_t ParseHexText(std::string_view hex) {
    std::uint64_t result = 0;
    std::uint64_t place = 1;
    for (std::size_t i = hex.size(); i-- > 0;) {
        const int digit = HexDigitValue(hex[i]);
        if (digit < 0)
            throw HexError("Invalid hex character " + std::string(Utf8CharAround(hex, i)));
        result += static_cast<std::uint64_t>(digit) * place;
        place *= 16;
    }
    return static_cast<std::int64_t>(result);
}

std::string TakeLeft(std::string_view t, int n) {
    if (n <= 0) return {};
    return std::string(t.substr(0, static_cast<std::size_t>(n)));
}

std::string OneLine(std::string_view t) {
    std::string line;
    line.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;  // the LF makes the blank
        line += t[i] == '\r' || t[i] == '\n' || t[i] == '\t' ? ' ' : t[i];
    }
    return line;
}

std::string_view TrimControls(std::string_view t) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    return t;
}

std::string_view TrimBlanks(std::string_view t, std::string_view blanks) {
    const std::size_t first = t.find_first_not_of(blanks);
    if (first == std::string_view::npos) return t.substr(t.size());
    return t.substr(first, t.find_last_not_of(blanks) - first + 1);
}

bool SameAsciiName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace morvanta::text
