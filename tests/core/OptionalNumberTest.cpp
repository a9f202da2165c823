// A number that may be absent keeps every double bit for bit, NaNs and signed
// zeros included, and reads as std::optional<double> does.
#include "UOptionalNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(OptionalNumber, KeepsEveryDoubleAndTellsAbsence) {
    using Limits = std::numeric_limits<double>;
    for (const double value :
         {0.0, -0.0, 1.0, -2.5e-300, Limits::denorm_min(), Limits::max(), Limits::infinity(),
          -Limits::infinity(), Limits::quiet_NaN(), -Limits::quiet_NaN(), std::nan("1")}) {
        const TOptionalNumber kept(value);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(SameBits(*kept, value)) << value;
        const std::optional<double> converted = kept;
        ASSERT_TRUE(converted);
        EXPECT_TRUE(SameBits(*converted, value)) << value;
    }
    for (const TOptionalNumber absent : {TOptionalNumber(), TOptionalNumber(std::nullopt),
                                         TOptionalNumber(std::optional<double>())}) {
        EXPECT_FALSE(absent.has_value() || std::optional<double>(absent));
    }
    EXPECT_EQ(*TOptionalNumber(std::optional<double>(0.25)), 0.25);
    EXPECT_EQ(sizeof(TOptionalNumber), sizeof(double));
}

} // namespace
