// Results in words: the two ways a tie is rounded, zeros, lengths and lists
// of data-set numbers.
#include "UResultText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

TEST(ResultText, SignificantDigitsBreakTiesAsEachPlaceAlwaysDid) {
    const double infinity = std::numeric_limits<double>::infinity();
    struct TCase {
        double Value;
        const char* ToEven;
        const char* AwayFromZero;
    };
    // 1.0625 and 11725 lie exactly halfway; 1.06250001 and 0.1 do not.
    for (const TCase& c : std::vector<TCase>{{1.0625, "1.062", "1.063"},
                                             {-1.0625, "-1.062", "-1.063"},
                                             {11725.0, "1.172e+04", "1.173e+04"},
                                             {9999.5, "1e+04", "1e+04"},
                                             {1.06250001, "1.063", "1.063"},
                                             {0.1, "0.1", "0.1"},
                                             {0.00001234, "1.234e-05", "1.234e-05"},
                                             {-infinity, "-inf", "-inf"}}) {
        EXPECT_EQ(SignificantDigits(c.Value, 4), c.ToEven) << c.Value;
        EXPECT_EQ(SignificantDigits(c.Value, 4, TTieBreak::AwayFromZero), c.AwayFromZero)
            << c.Value;
    }
    EXPECT_EQ(SignificantDigits(-0.0, 4), "-0");
    EXPECT_EQ(FourDigits(-0.0, TTieBreak::ToEven), "0");
    EXPECT_EQ(ReportNumberText(-1.0625), "-1.063");
}

TEST(ResultText, LengthsAndListsOfDataSets) {
    EXPECT_EQ(Metres(1.2), "1.2 m");
    EXPECT_EQ(Metres(2.3229574, ReportNumberText), "2.323 m");
    const std::vector<std::size_t> three{3, 7, 9};
    EXPECT_EQ(SerialList(three), "3, 7, 9");
    EXPECT_EQ(SerialList(
                  three, [](std::size_t s) { return "#" + std::to_string(s); }, " "),
              "#3 #7 #9");
    EXPECT_EQ(SerialListText(three), "3, 7 and 9");
    EXPECT_EQ(SerialListText({3, 7}), "3 and 7");
    EXPECT_EQ(SerialListText({3}), "3");
    EXPECT_EQ(SerialList({}), "");
}

} // namespace
