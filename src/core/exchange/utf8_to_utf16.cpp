#include "core/exchange/utf8_to_utf16.h"

#include <QString>

#include "text/utf8_char.h"

namespace morvanta::exchange {

namespace {

// Noncharacters are left to Qt, whatever its decoder makes of them.
bool IsNonCharacter(char32_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE; }

// false at the first sequence that is not plainly well-formed.
bool Convert(std::string_view in, std::u16string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const auto* end = p + in.size();
    if (in.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return false;  // a BOM
    out.resize(in.size());  // never more UTF-16 units than UTF-8 bytes
    char16_t* o = out.data();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            *o++ = c;
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int len = text::DecodeUtf8Sequence(p, end, cp);
        if (len == 0 || IsNonCharacter(cp)) return false;
        p += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = char16_t(0xD800 + (cp >> 10));
            *o++ = char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = char16_t(cp);
        }
    }
    out.resize(size_t(o - out.data()));
    return true;
}

}  // namespace

void Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
    if (Convert(utf8, out)) return;
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    out.assign(reinterpret_cast<const char16_t*>(text.constData()), size_t(text.size()));
}

}  // namespace morvanta::exchange
