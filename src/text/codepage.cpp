#include "text/codepage.h"

#include "text/codepage_tables.h"
#include "text/fast_strings.h"
#include "text/utf8_char.h"

namespace morvanta::text {

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, Cp1252CharOf(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        // ASCII is the same byte in both: a run of it is copied as it is.
        std::size_t end = pos;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) ++end;
        out.append(utf8.substr(pos, end - pos));
        if ((pos = end) == utf8.size()) break;
        const int b = Cp1252ByteOf(DecodeUtf8At(utf8, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::optional<unsigned char> CodePointToCp1252(char32_t cp) {
    const int b = Cp1252ByteOf(cp);
    if (b < 0) return std::nullopt;
    return static_cast<unsigned char>(b);
}

std::optional<std::string> CodePointToCp932(char32_t cp) {
    const std::uint16_t code = Cp932CodeOf(cp);
    if (code == 0 && cp != 0) return std::nullopt;
    if (code < 0x100) return std::string(1, static_cast<char>(code));
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char32_t cp = 0;
        if (IsCp932Lead(b) && i + 1 < bytes.size() && IsCp932Trail(static_cast<unsigned char>(bytes[i + 1]))) {
            cp = Cp932CharOf(static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(bytes[i + 1])));
            i += 2;
        } else {
            cp = b < 0x80 ? b : Cp932CharOf(b);
            i += 1;
        }
        AppendUtf8(out, (cp == 0 && b != 0) ? 0xFFFD : cp);
    }
    return out;
}

std::string UpperCase1252(std::string_view utf8) {
    const auto& fold = UpperFoldTable();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = DecodeUtf8At(utf8, pos);
        const int b = Cp1252ByteOf(cp);
        AppendUtf8(out, b < 0 ? cp : Cp1252CharOf(fold[static_cast<unsigned char>(b)]));
    }
    return out;
}

}  // namespace morvanta::text
