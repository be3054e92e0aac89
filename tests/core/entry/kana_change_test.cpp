// The reading's Hepburn as the kana field, the import and the command line make it.

#include <gtest/gtest.h>

#include "core/entry/kana_change.h"
#include "text/rich_text.h"

namespace morvanta::entry {
namespace {

TEST(KanaChange, HiraganaVuReadsAsKatakanaVuDoes) {
    // ゔ has no Shift-JIS code and is kept as \u12436? in the document.
    const std::pair<const char*, const char*> cases[] = {
        {"ゔ", "vu"},         {"ヴ", "vu"},           {"ゔぁいおりん", "vaiorin"},
        {"ヴァイオリン", "vaiorin"}, {"ゔぇにす", "venisu"}, {"ねこ", "neko"},
    };
    for (const auto& [kana, hepburn] : cases)
        EXPECT_EQ(HepburnFromKanaRtf(text::PlainTextToRtf(kana)), hepburn) << kana;
    EXPECT_EQ(HepburnFromKanaRtf(text::PlainTextToRtf("abc")), "");
}

}  // namespace
}  // namespace morvanta::entry
