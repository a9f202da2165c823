#include "UEquivalentDepth.h"

#include "UFloatMath.h"

// The constants are the short forms of 2 pi, pi and pi squared that the
// published method uses; full precision would change the tabulated results.
namespace {

constexpr double TwoPiShort = 6.284;
constexpr double PiShort = 3.142;
constexpr double PiShortSquared = 9.872164;

// One term 4 e / ((1 - e) k) of the series for thick layers.
double SeriesTerm(double x, double k) {
    const double e = FExp(FMul(-2.0 * k, x));
    return FDiv(FMul(4.0, e), FMul(FSub(1.0, e), k));
}

// Three terms only: beyond them the contribution is below what the data can tell.
double SeriesForm(double x) {
    const double t1 = SeriesTerm(x, 1.0);
    const double t3 = SeriesTerm(x, 3.0);
    const double t5 = SeriesTerm(x, 5.0);
    return FAdd(FAdd(t1, t3), t5);
}

double LogarithmicForm(double x) {
    return FAdd(FLn(FDiv(FMul(0.5, x), PiShort)), FDiv(PiShortSquared, FMul(4.0, x)));
}

} // namespace

double EquivalentDepth(double D, double S, double r) {
    const double x = FDiv(FMul(TwoPiShort, D), S);
    const double F = x > 1.0 ? SeriesForm(x) : LogarithmicForm(x);
    const double numerator = FDiv(FMul(PiShort, S), 8.0);
    return FDiv(numerator, FAdd(FLn(FDiv(S, FMul(2.0, r))), F));
}
