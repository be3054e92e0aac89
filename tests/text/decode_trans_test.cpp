#include "text/decode_trans.h"

#include <gtest/gtest.h>

namespace morvanta::text {
namespace {

void ExpectParts(std::string_view line, std::string_view a, std::string_view b, std::string_view c) {
    SCOPED_TRACE(std::string(line));
    const Translations t = DecodeTrans(line);
    EXPECT_EQ(a, t.first);
    EXPECT_EQ(b, t.second);
    EXPECT_EQ(c, t.third);
}

TEST(DecodeTrans, SplitsAtCommasAndSemicolons) {
    ExpectParts("Haus, Heim; Zuhause", "Haus", "Heim", "Zuhause");
    ExpectParts("Haus", "Haus", "", "");
    ExpectParts("  Haus ,Heim", "Haus", "Heim", "");
    ExpectParts("\tHaus\t;\tHeim\r\n", "Haus", "Heim", "");
}

TEST(DecodeTrans, SingleCharacterRestIsNoPart) {
    ExpectParts("H", "", "", "");
    ExpectParts("Haus, a", "Haus", "", "");
    ExpectParts("", "", "", "");
    ExpectParts("a,b,c,", "a", "b", "c");
    ExpectParts("ab,cd,ef,", "ab", "cd", "ef");
}

TEST(DecodeTrans, EmptyPartsStayEmpty) {
    ExpectParts(", Haus", "", "Haus", "");
    ExpectParts("Haus,,Heim", "Haus", "", "Heim");
}

TEST(DecodeTrans, TextBeyondThirdPartStaysWithIt) {
    ExpectParts("eins, zwei, drei, vier", "eins", "zwei", "drei, vier");
    ExpectParts("eins; zwei; drei; vier; fünf ", "eins", "zwei", "drei; vier; fünf");
    ExpectParts("eins, zwei, drei, x", "eins", "zwei", "drei");  // "x" alone makes no fourth part
    ExpectParts("eins, zwei, drei;;", "eins", "zwei", "drei");
}

}  // namespace
}  // namespace morvanta::text
