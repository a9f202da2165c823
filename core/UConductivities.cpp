#include "UConductivities.h"

#include "UArithmetic.h"

#include <algorithm>

namespace {

TInterval Scaled(const TInterval& interval, double factor) {
    const double low = interval.Low * factor;
    const double high = interval.High * factor;
    return {std::min(low, high), std::max(low, high)};
}

} // namespace

template <typename Arithmetic>
void SetConductivities(double slope, double intercept, double spacing, double equivalentDepth,
                       double& ka, double& kb) {
    using A = Arithmetic;
    const double spacingSquared = A::Mul(spacing, spacing);
    ka = A::Div(A::Mul(spacingSquared, slope), 4.0);
    const double product = A::Mul(spacingSquared, intercept);
    kb = A::Div(product, A::Mul(8.0, equivalentDepth));
}

template void SetConductivities<TCheckedArithmetic>(double, double, double, double, double&,
                                                    double&);
template void SetConductivities<TPlainArithmetic>(double, double, double, double, double&, double&);

TConductivityIntervals ConductivityIntervals(const TInterval& slope, const TInterval& intercept,
                                             double spacing, double equivalentDepth) {
    const double spacingSquared = spacing * spacing;
    return {Scaled(slope, spacingSquared / 4.0),
            Scaled(intercept, spacingSquared / (8.0 * equivalentDepth))};
}
