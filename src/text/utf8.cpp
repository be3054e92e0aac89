#include "text/codepage.h"
#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int length = DecodeUtf8Sequence(p, end, cp);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

char32_t DecodeUtf8At(std::string_view text, std::size_t& pos) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    if (*p < 0x80) {
        ++pos;
        return *p;
    }
    char32_t cp = 0;
    const int len = DecodeUtf8Sequence(p, p + (text.size() - pos), cp);
    if (len == 0) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(len);
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string_view Utf8CharAround(std::string_view text, std::size_t i) {
    std::size_t start = i;
    // A character is at most four bytes: its lead byte is at most three back.
    while (start > 0 && i - start < 3 && IsContinuation(static_cast<unsigned char>(text[start])))
        --start;
    std::size_t pos = start;
    DecodeUtf8At(text, pos);
    if (pos - start > 1 && pos > i) return text.substr(start, pos - start);
    return text.substr(i, 1);
}

std::u32string Utf8ToCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) out += DecodeUtf8At(utf8, pos);
    return out;
}

std::string CodePointsToUtf8(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size());
    for (char32_t cp : cps) AppendUtf8(out, cp);
    return out;
}

}  // namespace morvanta::text
