#include <gtest/gtest.h>

#include "escapes_of.h"
#include "text/escape_runs.h"
#include "text/kana_table.h"

namespace morvanta::text {
namespace {

using testing::EscapesOf;

std::string Romaji(std::string_view kana) { return KanaToHepburn(EscapesOf(kana)); }

TEST(KanaToHepburn, RomanisesWords) {
    EXPECT_EQ("kana", Romaji("かな"));
    EXPECT_EQ("kyaku", Romaji("きゃく"));
    EXPECT_EQ("kya", Romaji("キャ"));
    EXPECT_EQ("myaku", Romaji("みゃく"));
    EXPECT_EQ("shatsu", Romaji("シャツ"));
    EXPECT_EQ("nihongo", Romaji("にほんご"));
    EXPECT_EQ("ou", Romaji("おう"));
    EXPECT_EQ("konpyuta", Romaji("コンピューター"));  // the long-vowel mark has no row
}

TEST(KanaToHepburn, SmallTsuDoublesFollowingLetter) {
    EXPECT_EQ("chotto", Romaji("ちょっと"));
    EXPECT_EQ("kitte", Romaji("きって"));
    EXPECT_EQ("gakkouniitta", Romaji("がっこうにいった"));
    EXPECT_EQ("beddo", Romaji("ベッド"));
    EXPECT_EQ("ki", Romaji("きっ"));  // nothing follows: it vanishes
    EXPECT_EQ("ki", Romaji("キッ"));
}

TEST(KanaToHepburn, TableSpecialities) {
    EXPECT_EQ("o", Romaji("を"));
    EXPECT_EQ("wo", Romaji("ヲ"));
    EXPECT_EQ("chi", Romaji("ぢ"));
    EXPECT_EQ("zu", Romaji("ヅ"));
    EXPECT_EQ("du", Romaji("ドゥ"));
    EXPECT_EQ("na", Romaji("んあ"));  // no apostrophe after n
    EXPECT_EQ("nai", Romaji("なぃい"));
    EXPECT_EQ("", Romaji("ゐゑヵヶヴー"));  // no rows: gone in the clean-up
    EXPECT_EQ("kanji", Romaji("漢かんじ字"));
}

TEST(KanaToHepburn, EveryRowRomanisesOnItsOwn) {
    for (const KanaRow& row : KanaTable()) {
        SCOPED_TRACE(std::string(row.key));
        EXPECT_EQ(row.romaji, KanaToHepburn(row.key));
    }
}

TEST(KanaToHepburn, KeepsTextBetweenEscapesButFontSwitches) {
    EXPECT_EQ("ka a na", KanaToHepburn("\\'82\\'a9 \\f1a\\f0 \\'82\\'c8"));
    EXPECT_EQ("ka\\par na", KanaToHepburn("\\'82\\'a9\\par \\'82\\'c8"));
    EXPECT_EQ("ka\\fs24na", KanaToHepburn("\\f0\\'82\\'a9\\fs24\\f1\\'82\\'c8"));
}

TEST(KanaToHepburn, UpperCaseHexMatchesNoRow) {
    EXPECT_EQ("", KanaToHepburn("\\'82\\'A0"));
    EXPECT_EQ("ka", KanaToHepburn("\\'82\\'A0\\'82\\'a9"));
}

TEST(KanaToHepburn, TextWithoutEscapesIsOnlyTrimmed) {
    EXPECT_EQ("", KanaToHepburn(""));
    EXPECT_EQ("", KanaToHepburn(" \t\r\n"));
    EXPECT_EQ("{\\rtf1\\ansi\\pard\\fs24\\par\n}", KanaToHepburn("{\\rtf1\\ansi\\pard\\f0\\fs24\\par\n}\r\n"));
    EXPECT_EQ("\xE4x", KanaToHepburn("\xE4x"));  // bytes above 127 are not blanks
}

TEST(KanaToHepburn, FontSwitchRemovalIsOnePassEach) {
    // Removing "\f0" joins "\f" and "0" into a new "\f0" that stays.
    EXPECT_EQ("\\f0", KanaToHepburn("\\f\\f00"));
    EXPECT_EQ("\\f1", KanaToHepburn("\\f\\f11"));
    // Removing "\f1" can leave a "\f0" behind, since that pass came first.
    EXPECT_EQ("\\f0", KanaToHepburn("\\f\\f10"));
    // A removal can also join the halves of a key.
    EXPECT_EQ("a", KanaToHepburn("\\'8\\f02\\'a0"));
}

TEST(KanaToHepburn, RomajiCanCompleteLaterKeys) {
    // "a" (あ) and "e" (え) complete "\'82\'" into the key of ぐ, a later row.
    EXPECT_EQ("gu", KanaToHepburn("\\'82\\'" + EscapesOf("あえ")));
    // "bya" completes "\'82\'a" into き, a later row than びゃ.
    EXPECT_EQ("kiya", KanaToHepburn("\\'82\\'a" + EscapesOf("びゃ")));
    // The romaji "a" re-forms the key of あ itself, whose pass is over: it stays
    // an escape and goes in the clean-up.
    EXPECT_EQ("", KanaToHepburn("\\'82\\'" + EscapesOf("あ") + "0"));
}

TEST(KanaToHepburn, OverlappingKeysGoToEarlierRow) {
    // モ (83 82) overlaps あ (82 a0); あ's row comes first.
    EXPECT_EQ("a", KanaToHepburn("\\'83\\'82\\'a0"));
    // キャ (block C) beats ア (block D), which shares its last escape.
    EXPECT_EQ("kya", KanaToHepburn("\\'83\\'4c\\'83\\'83\\'41"));
}

}  // namespace
}  // namespace morvanta::text
