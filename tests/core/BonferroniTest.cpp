// The Bonferroni p-value given at once below the t where n p reaches 1 is the
// very number the incomplete beta function gives, on both sides of that t.
#include "UInfluence.h"

#include <boost/math/distributions/students_t.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

TEST(Bonferroni, GivenAtOnceOnlyWhereItIsOne) {
    std::mt19937 random(7);
    for (const double n : {4.0, 5.0, 15.0, 1000.0, 1e6}) {
        const TBonferroni bonferroni(n);
        const double edge = bonferroni.CertainlyOne();
        ASSERT_GT(edge, 0.0) << n;
        std::uniform_real_distribution<double> near(0.0, 1.05 * edge);
        for (int i = 0; i < 400; ++i) {
            const double t = i == 0 ? std::nextafter(edge, 0.0) : (i % 2 ? 1 : -1) * near(random);
            const boost::math::students_t distribution(n - 3.0);
            const double p = 2.0 * cdf(complement(distribution, std::fabs(t)));
            EXPECT_EQ(bonferroni.PValue(t), std::min(1.0, n * p)) << n << " " << t;
        }
        EXPECT_LT(bonferroni.PValue(1.05 * edge), 1.0) << n;
    }
    EXPECT_EQ(TBonferroni(3.0).CertainlyOne(), 0.0);
}
