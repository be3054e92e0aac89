// The ratio of wrong answers as the browse page shows it.
#include <gtest/gtest.h>

#include "core/stats/ratio_text.h"

namespace morvanta::stats {
namespace {

TEST(RatioText, GermanGeneralFormat) {
    EXPECT_EQ(RatioText(1, 3), "0,333333333333333");
    EXPECT_EQ(RatioText(1, 2), "0,5");
    EXPECT_EQ(RatioText(2, 2), "1");
    EXPECT_EQ(RatioText(3, 4), "0,75");
    EXPECT_EQ(RatioText(0, 5), "0");
    EXPECT_EQ(RatioText(2, 3), "0,666666666666667");
    EXPECT_EQ(RatioText(5, 0), "");
    EXPECT_EQ(RatioText(0, 0), "");
    EXPECT_EQ(RatioText(7, 2), "3,5");
    EXPECT_EQ(RatioText(-1, 4), "-0,25");
    EXPECT_EQ(RatioText(1, 1000), "0,001");
    EXPECT_EQ(RatioText(1, 10000), "0,0001");
    EXPECT_EQ(RatioText(1, 100000), "1E-5");
    EXPECT_EQ(RatioText(3, 200000), "1,5E-5");
    EXPECT_EQ(GeneralFloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralFloatText(1e15), "1E15");
    EXPECT_EQ(GeneralFloatText(1234.5), "1234,5");
    EXPECT_EQ(GeneralFloatText(100), "100");
}

}  // namespace
}  // namespace morvanta::stats
