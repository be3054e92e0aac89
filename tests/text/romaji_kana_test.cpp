// Romaji typed as an input method turns it into kana, keystroke by keystroke.

#include "text/romaji_kana.h"

#include <gtest/gtest.h>

namespace morvanta::text {
namespace {

struct Case {
    const char* typed;
    const char* kana;
    const char* pending = "";
};

TEST(RomajiToKana, TurnsSettledSyllablesIntoKanaAndKeepsTheOpenTail) {
    const Case cases[] = {
        {"gakkou", "がっこう"},
        {"kon'nichiha", "こんにちは"},
        {"ko-hi-", "こーひー"},
        {"TEREBI", "テレビ"},
        {"shinbun", "しんぶ", "n"},
        {"kanji", "かんじ"},
        {"kya", "きゃ"},
        {"ky", "", "ky"},
        {"tsu", "つ"},
        {"xtsu", "っ"},
        {"ltu", "っ"},
        {"xa", "ぁ"},
        {"matcha", "まっちゃ"},
        {"onnna", "おんな"},
        {"sha", "しゃ"},
        {"chi", "ち"},
        {"fu", "ふ"},
        {"ji", "じ"},
        {"wo", "を"},
        {"vu", "ゔ"},
        {"thi", "てぃ"},
        {"kinnyoubi", "きんようび"},
        {"n", "", "n"},
        {"nya", "にゃ"},
        {"q", "", "q"},
        {"1", "1"},
        {"koHi", "こヒ"},
        {"PA-THI-", "パーティー"},
    };
    for (const Case& c : cases) {
        const RomajiConversion r = RomajiToKana(c.typed);
        EXPECT_EQ(r.kana, c.kana) << c.typed;
        EXPECT_EQ(r.pending, c.pending) << c.typed;
    }
}

TEST(RomajiToKana, TakesTheKeyboardSpellingsOfTheCommonInputMethods) {
    const Case cases[] = {
        {"ci", "し"}, {"ce", "せ"}, {"qu", "く"}, {"wu", "う"}, {"whu", "う"}, {"yi", "い"},
        {"kwakwikwukwekwo", "くぁくぃくぅくぇくぉ"}, {"gwagwigwugwegwo", "ぐぁぐぃぐぅぐぇぐぉ"},
        {"qwaqwiqwuqweqwo", "くぁくぃくぅくぇくぉ"}, {"qyaqyiqyuqyeqyo", "くゃくぃくゅくぇくょ"},
        {"swaswiswusweswo", "すぁすぃすぅすぇすぉ"}, {"zwazwizwuzwezwo", "ずぁずぃずぅずぇずぉ"},
        {"twatwitwetwo", "とぁとぃとぇとぉ"}, {"dwadwidwedwo", "どぁどぃどぇどぉ"},
        {"fwafwifwufwefwo", "ふぁふぃふぅふぇふぉ"}, {"fyifye", "ふぃふぇ"}, {"hwahwihwehwohwyu", "ふぁふぃふぇふぉふゅ"},
        {"syizyijyityicyidyidye", "しぃじぃじぃちぃちぃぢぃぢぇ"},
        {"t'it'yut'u", "てぃてゅとぅ"}, {"d'id'yud'u", "でぃでゅどぅ"},
        {"whiwhewyiwye", "うぃうぇゐゑ"}, {"vyavyivyuvyevyo", "ゔゃゔぃゔゅゔぇゔょ"},
        {"xyixyelyilye", "ぃぇぃぇ"}, {"lkalke", "ゕゖ"},
        // in words, in capitals, doubled, and next to the spellings they resemble
        {"REVYU-", "レヴュー"}, {"PA-T'I-", "パーティー"}, {"kon'nichiha", "こんにちは"},
        {"CIRIKON", "シリコ", "N"}, {"akkwa", "あっくぁ"}, {"wwu", "っう"}, {"t'", "", "t'"}, {"kw", "", "kw"},
    };
    for (const Case& c : cases) {
        const RomajiConversion r = RomajiToKana(c.typed);
        EXPECT_EQ(r.kana, c.kana) << c.typed;
        EXPECT_EQ(r.pending, c.pending) << c.typed;
    }
}

TEST(RomajiToKana, AWordWrittenAsAGermanNounIsHiraganaAndCapitalsAreKatakana) {
    const Case cases[] = {
        {"Neko", "ねこ"}, {"Sushi", "すし"}, {"Ame", "あめ"}, {"Ne", "ね"}, {"Kyou", "きょう"},
        {"NEKO", "ネコ"}, {"NE", "ネ"}, {"TEREBI", "テレビ"}, {"koHi", "こヒ"}, {"KOhi", "コひ"},
        {"TSHATSU", "Tシャツ"}, {"Neko to Inu", "ねこ と いぬ"}, {"Neko、Inu", "ねこ、いぬ"},
        // a capital vowel starting a word waits for the letter that decides it
        {"A", "", "A"}, {"Am", "あ", "m"}, {"AM", "ア", "M"}, {"neko A", "ねこ ", "A"},
    };
    for (const Case& c : cases) {
        const RomajiConversion r = RomajiToKana(c.typed);
        EXPECT_EQ(r.kana, c.kana) << c.typed;
        EXPECT_EQ(r.pending, c.pending) << c.typed;
    }
    EXPECT_EQ(RomajiToKana("A", true).kana, "ア");
    // Going on a word begun before, a capital is katakana again.
    EXPECT_EQ(RomajiToKana("Ne", false, true).kana, "ネ");
    EXPECT_EQ(RomajiToKana("A", false, true).kana, "ア");
}

TEST(RomajiToKana, FinishingTurnsAPendingNIntoNAndLeavesOtherTailsLatin) {
    EXPECT_EQ(RomajiToKana("shinbun", true).kana, "しんぶん");
    EXPECT_EQ(RomajiToKana("hon", true).kana, "ほん");
    EXPECT_EQ(RomajiToKana("aky", true).kana, "あky");
    EXPECT_EQ(RomajiToKana("", true).kana, "");
}

}  // namespace
}  // namespace morvanta::text
