#include "core/exchange/kanji_character.h"

#include "text/rich_text.h"
#include "text/utf8_char.h"

namespace morvanta::exchange {

bool IsKanjiCharacter(char32_t cp) {
    if (cp == U'仝') return false;            // a unified ideograph, but the JIS table's ditto mark
    return (cp >= 0x3400 && cp <= 0x4DBF)     // extension A
           || (cp >= 0x4E00 && cp <= 0x9FFF)  // unified ideographs
           || (cp >= 0xF900 && cp <= 0xFAFF)  // compatibility ideographs
           || (cp >= 0x20000 && cp <= 0x3FFFF);  // extensions B and later, compatibility supplement
}

std::u32string KanjiOf(std::string_view storedRtf) {
    return KanjiOfPlainText(text::RtfToPlainText(storedRtf));
}

std::u32string KanjiOfPlainText(std::string_view shown) {
    std::u32string kanji;
    for (std::size_t pos = 0; pos < shown.size();) {
        const char32_t cp = text::DecodeUtf8At(shown, pos);
        if (IsKanjiCharacter(cp)) kanji += cp;
    }
    return kanji;
}

}  // namespace morvanta::exchange
