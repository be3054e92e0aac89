#include "text/escape_runs.h"

#include <gtest/gtest.h>

#include "escapes_of.h"

namespace morvanta::text {
namespace {

using testing::EscapesOf;

constexpr std::string_view kWrapHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\froman\\fprq1\\fcharset128 MS UI "
    "Gothic;}{\\f1\\fnil\\fcharset0 Arial Unicode MS;}}\\viewkind4\\uc1\\pard\\f0\\fs44";

TEST(IsolateRtfEscapes, CutsDocumentDownToEscapeRun) {
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\pard\\f0 " + EscapesOf("かな") +
                            "\\par\n}";
    EXPECT_EQ("\\'82\\'a9\\'82\\'c8", IsolateRtfEscapes(rtf));
}

TEST(IsolateRtfEscapes, KeepsWhatStandsBetweenEscapes) {
    EXPECT_EQ("\\'82\\'a9\\f1 a\\f0\\'82\\'c8", IsolateRtfEscapes("{\\rtf1 \\'82\\'a9\\f1 a\\f0\\'82\\'c8\\par}"));
}

TEST(IsolateRtfEscapes, TextWithoutEscapeComesBackWhole) {
    EXPECT_EQ("", IsolateRtfEscapes(""));
    const std::string doc = "{\\rtf1\\ansi\\pard\\f0\\fs24\\par\n}";
    EXPECT_EQ(doc, IsolateRtfEscapes(doc));
    EXPECT_EQ("\\'", IsolateRtfEscapes("\\'"));
}

TEST(IsolateRtfEscapes, FrontCutCountsBackslashesFromPositionTwo) {
    // An escape at the very start is not a cut point; the next one is.
    EXPECT_EQ("\\'a0", IsolateRtfEscapes("\\'82\\'a0"));
    // A front cut point needs two characters after its apostrophe.
    EXPECT_EQ("{x\\'8", IsolateRtfEscapes("{x\\'8"));
    EXPECT_EQ("\\'82", IsolateRtfEscapes("{x\\'82}}"));
}

TEST(WrapJapaneseRtf, WrapsTextUnchanged) {
    EXPECT_EQ(std::string(kWrapHeader) + "\\par }", WrapJapaneseRtf(""));
    EXPECT_EQ(std::string(kWrapHeader) + "\\'82\\'a0{x}\\par }", WrapJapaneseRtf("\\'82\\'a0{x}"));
}

TEST(WrapJapaneseRtf, IsolatesBackToItsEscapes) {
    const std::string run = EscapesOf("にほんご");
    EXPECT_EQ(run, IsolateRtfEscapes(WrapJapaneseRtf(run)));
}

}  // namespace
}  // namespace morvanta::text
