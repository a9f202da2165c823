// The Bonferroni p-value given at once below the t where n p reaches 1 must
// be the very number the incomplete beta function gives, on both sides of
// that t, for the smallest fit that has one and for large ones.
#include "UInfluence.h"

#include <boost/math/distributions/students_t.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

double WorkedOut(double n, double t) {
    const boost::math::students_t distribution(n - 3.0);
    return std::min(1.0, n * 2.0 *
                             boost::math::cdf(boost::math::complement(distribution, std::fabs(t))));
}

TEST(Bonferroni, GivenAtOnceOnlyWhereItIsOne) {
    std::mt19937 random(7);
    for (const double n : {4.0, 5.0, 15.0, 1000.0, 1e6}) {
        SCOPED_TRACE(n);
        const TBonferroni bonferroni(n);
        const double edge = bonferroni.CertainlyOne();
        ASSERT_GT(edge, 0.0);
        EXPECT_EQ(WorkedOut(n, edge), 1.0);
        std::uniform_real_distribution<double> near(0.999 * edge, 1.02 * edge);
        for (int i = 0; i < 200; ++i) {
            const double t = i % 2 == 0 ? near(random) : -near(random);
            EXPECT_EQ(bonferroni.PValue(t), WorkedOut(n, t)) << t;
        }
        for (const double t : {0.0, 0.5 * edge, std::nextafter(edge, 0.0), edge, 1.5 * edge}) {
            EXPECT_EQ(bonferroni.PValue(t), WorkedOut(n, t)) << t;
        }
        // Just beyond the t where n p reaches 1 the p-value is worked out below 1.
        EXPECT_LT(bonferroni.PValue(1.05 * edge), 1.0);
    }
    EXPECT_EQ(TBonferroni(3.0).CertainlyOne(), 0.0);
}

} // namespace
