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

TEST(RomajiToKana, FinishingTurnsAPendingNIntoNAndLeavesOtherTailsLatin) {
    EXPECT_EQ(RomajiToKana("shinbun", true).kana, "しんぶん");
    EXPECT_EQ(RomajiToKana("hon", true).kana, "ほん");
    EXPECT_EQ(RomajiToKana("aky", true).kana, "あky");
    EXPECT_EQ(RomajiToKana("", true).kana, "");
}

}  // namespace
}  // namespace morvanta::text
