// Results in words: the two ways a tie is rounded, zeros, the Report page's
// notation, lengths and lists of data-set numbers.
#include "UResultText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
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

// Each notation and the boundaries between them, judged on the value as
// rounded to four digits.
TEST(ResultText, ReportNumbersAreWholeInFixedOrScientificNotation) {
    const double infinity = std::numeric_limits<double>::infinity();
    struct TCase {
        double Value;
        const char* Text;
    };
    for (const TCase& c : std::vector<TCase>{{0.0, "0"},
                                             {-0.0, "0"},
                                             {8.9e-11, "8.9e-11"},
                                             {1.78e-05, "1.78e-05"},
                                             {-0.00034953, "-3.495e-04"},
                                             {0.000999949, "9.999e-04"},
                                             {0.00099995, "0.001"},
                                             {0.001, "0.001"},
                                             {-0.001, "-0.001"},
                                             {0.0012345678, "0.001235"},
                                             {0.0125, "0.0125"},
                                             {2.3229574, "2.323"},
                                             {-1.0625, "-1.063"},
                                             {0.1, "0.1"},
                                             {11725.0, "11730"},
                                             {123456.0, "123500"},
                                             {999949.0, "999900"},
                                             {999950.0, "1e+06"},
                                             {999999.5, "1e+06"},
                                             {1e6, "1e+06"},
                                             {-1234000.0, "-1.234e+06"},
                                             {2.5e+123, "2.5e+123"},
                                             {4.9406564584124654e-324, "4.941e-324"},
                                             {infinity, "\u221e"},
                                             {-infinity, "-\u221e"},
                                             {std::numeric_limits<double>::quiet_NaN(), "nan"}}) {
        EXPECT_EQ(ReportNumberText(c.Value), c.Text) << c.Value;
    }
}

// A column's widest texts bound every cell of it: of the same notation, at
// least as long, with a minus sign where a cell has one.
TEST(ResultText, WidestReportNumbersBoundEveryCellOfAColumn) {
    const double infinity = std::numeric_limits<double>::infinity();
    struct TCase {
        std::vector<double> Column;
        std::vector<std::string> Widest;
    };
    for (const TCase& c : std::vector<TCase>{
             {{}, {}},
             {{0.72, 0.0125, 0.5, 0.0}, {"0.08888", "0.8888"}},
             {{-0.00034953, 0.002}, {"-8.888e-88", "-0.008888"}},
             {{1.0, 5.83e-09, 1e-150}, {"8.888e-888", "0.008888", "0.08888", "0.8888", "8.888"}},
             {{999999.5, 123456.0}, {"888800", "8.888e+88"}},
             {{-infinity, 2.0}, {"-8.888", "-\u221e"}}}) {
        TReportNumberWidth width;
        for (const double value : c.Column) {
            width.Add(value);
        }
        EXPECT_EQ(width.WidestTexts(), c.Widest);
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-12.0, 12.0);
    for (int column = 0; column < 50; ++column) {
        TReportNumberWidth width;
        std::vector<std::string> cells;
        for (int row = 0; row < 20; ++row) {
            const double value = (row % 3 == 0 ? -1.0 : 1.0) * std::pow(10.0, exponent(random));
            width.Add(value);
            cells.push_back(ReportNumberText(value));
        }
        const std::vector<std::string> widest = width.WidestTexts();
        for (const std::string& cell : cells) {
            const bool bounded = std::any_of(widest.begin(), widest.end(), [&](const auto& text) {
                return text.size() >= cell.size() &&
                       (text.find('e') == std::string::npos) ==
                           (cell.find('e') == std::string::npos) &&
                       (cell[0] != '-' || text[0] == '-');
            });
            EXPECT_TRUE(bounded) << cell;
        }
    }
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
