#include "core/foreign/script_kind.h"

#include "text/utf8_char.h"

namespace morvanta::foreign {

namespace {

bool IsKana(char32_t c) {
    return (c >= 0x3041 && c <= 0x309F) || (c >= 0x30A0 && c <= 0x30FF) ||
           (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F);
}

bool IsKanji(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x20000 && c <= 0x3134F) || (c >= 0xF900 && c <= 0xFAFF) || c == 0x3005;
}

bool IsLatinLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0x24F);
}

}  // namespace

ScriptKind ScriptOf(std::string_view utf8) {
    bool kana = false, latin = false, any = false;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = text::DecodeUtf8At(utf8, pos);
        if (c == ' ') continue;
        any = true;
        if (IsKanji(c)) return ScriptKind::Kanji;
        kana = kana || IsKana(c);
        latin = latin || IsLatinLetter(c);
    }
    if (kana) return ScriptKind::Kana;
    if (latin) return ScriptKind::Latin;
    return any ? ScriptKind::Other : ScriptKind::Empty;
}

bool HasJapanese(std::string_view utf8) {
    const ScriptKind kind = ScriptOf(utf8);
    return kind == ScriptKind::Kana || kind == ScriptKind::Kanji;
}

}  // namespace morvanta::foreign
