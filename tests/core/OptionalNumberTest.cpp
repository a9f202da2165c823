// A number that may be absent keeps every double bit for bit, NaNs and signed
// zeros included, and reads as std::optional<double> does.
#include "UOptionalNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(OptionalNumber, KeepsEveryDoubleAndTellsAbsence) {
    using Limits = std::numeric_limits<double>;
    for (const double value : {0.0, -0.0, -2.5e-300, Limits::denorm_min(), Limits::infinity(),
                               Limits::quiet_NaN(), -Limits::quiet_NaN(), std::nan("1")}) {
        const std::optional<double> kept = TOptionalNumber(value);
        ASSERT_TRUE(kept && TOptionalNumber(value));
        EXPECT_EQ(std::memcmp(&*kept, &value, sizeof value), 0) << value;
    }
    EXPECT_FALSE(TOptionalNumber() || TOptionalNumber(std::optional<double>()));
    EXPECT_FALSE(std::optional<double>(TOptionalNumber(std::nullopt)));
    EXPECT_EQ(sizeof(TOptionalNumber), sizeof(double));
}
