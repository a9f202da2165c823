#include "UDrainDesign.h"

#include "UEquivalentDepth.h"
#include "UFloatMath.h"
#include "UResultText.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>
#include <cstdint>

namespace {

constexpr double MillimetresPerMetre = 1000.0;
constexpr double RelativePrecision = 1e-9;
// The narrowest spacing tried lies just beyond the drain diameter, where d
// grows without bound and the logarithm of the equation reaches 0.
constexpr double NarrowestAboveDiameter = 1.0 + 1e-6;
constexpr std::uintmax_t MostIterations = 200;
// Spacings looked at for the narrowest one that can be judged, each this
// factor wider than the one before: d falls from its pole at the drain
// diameter to its least value within the first few dozen.
constexpr double ScanFactor = 1.05;
// The relative widening of a spacing that tells whether d grows there.
constexpr double SlopeStep = 1e-6;

// A spacing the solver found, to four significant digits.
std::string SpacingMetres(double value) {
    return Metres(value, [](double spacing) { return SignificantDigits(spacing, 4); });
}

bool IsPositive(double value) {
    return std::isfinite(value) && value > 0.0;
}

bool IsNotNegative(double value) {
    return std::isfinite(value) && value >= 0.0;
}

std::optional<TDesignRefusal> RefusalOfValues(const TDesignRequest& request) {
    using F = TDesignField;
    if (!IsPositive(request.DischargeMmPerDay)) {
        return TDesignRefusal{F::Discharge,
                              "The design discharge must be a number greater than 0 mm/day"};
    }
    if (!IsPositive(request.Head)) {
        return TDesignRefusal{F::Head, "The allowed height h must be a number greater than 0 m"};
    }
    if (!IsNotNegative(request.Ka)) {
        return TDesignRefusal{F::Ka, "Ka must be a number of at least 0 m/day"};
    }
    if (!IsNotNegative(request.Kb)) {
        return TDesignRefusal{F::Kb, "Kb must be a number of at least 0 m/day"};
    }
    if (request.Ka == 0.0 && request.Kb == 0.0) {
        return TDesignRefusal{F::Ka, "Ka and Kb are both 0: a soil that conducts no water cannot "
                                     "be drained at any spacing"};
    }
    if (!IsPositive(request.ImpermeableDepth)) {
        return TDesignRefusal{F::ImpermeableDepth, "The thickness D of the layer below drain "
                                                   "level must be a number greater than 0 m"};
    }
    if (!IsPositive(request.DrainRadius) || 2.0 * request.DrainRadius >= WidestDesignSpacing) {
        return TDesignRefusal{F::DrainRadius,
                              "The drain radius r must be a number greater than 0 m and less "
                              "than " +
                                  Metres(WidestDesignSpacing / 2.0)};
    }
    return std::nullopt;
}

// How far the discharge that the spacing carries off at the allowed height
// exceeds the design discharge (m/day). It falls as the spacing grows: d
// grows more slowly than the spacing, and where d changes its form it steps
// down.
class TDesignResidual {
public:
    explicit TDesignResidual(const TDesignRequest& request)
        : request_(request), discharge_(request.DischargeMmPerDay / MillimetresPerMetre) {}

    double operator()(double spacing) const {
        const double d = EquivalentDepth(request_.ImpermeableDepth, spacing, request_.DrainRadius);
        const double h = request_.Head;
        const double carried =
            (8.0 * request_.Kb * d * h + 4.0 * request_.Ka * h * h) / (spacing * spacing);
        if (std::isnan(carried)) {
            throw EInvalidOp();
        }
        return carried - discharge_;
    }

private:
    const TDesignRequest& request_;
    double discharge_;
};

TDesignResult Refused(TDesignField field, const std::string& message) {
    return TDesignResult{std::nullopt, TDesignRefusal{field, message}};
}

TDesignResult TooMuchForTheSoil(double narrowest) {
    return Refused(TDesignField::Spacing,
                   "The design discharge is too high, or the allowed height too low, for this "
                   "soil: even drains " +
                       SpacingMetres(narrowest) +
                       " apart, the narrowest spacing that can be judged, leave the water table "
                       "higher than h");
}

TDesignResult TooThinALayer(double layer) {
    return Refused(TDesignField::Spacing,
                   "No spacing up to " + Metres(WidestDesignSpacing) +
                       " keeps the equivalent depth d within the layer below drain level (D = " +
                       Metres(layer) + "): the layer is too thin for drains of this radius");
}

TDesignResult TooWide() {
    return Refused(TDesignField::Spacing,
                   "No spacing up to " + Metres(WidestDesignSpacing) +
                       " satisfies the equation: drains that far apart already keep the water "
                       "table below h");
}

// Whether the equation can be judged at `spacing`: d stands for the layer
// below drain level, so it cannot exceed it, and it grows with the spacing.
// Close to the drain diameter the formula's d instead falls from a pole
// (1.3e4 m on a layer of 5 m) to its least value, near e times the diameter;
// roots on that stretch are no drain spacing.
bool IsJudged(const TDesignRequest& request, double spacing) {
    try {
        const double d = EquivalentDepth(request.ImpermeableDepth, spacing, request.DrainRadius);
        const double dWider = EquivalentDepth(request.ImpermeableDepth, spacing * (1.0 + SlopeStep),
                                              request.DrainRadius);
        return d > 0.0 && d <= request.ImpermeableDepth && dWider >= d;
    } catch (const std::exception&) {
        return false;
    }
}

// The narrowest spacing above the drain diameter that can be judged:
// found among spacings ScanFactor apart, then narrowed to RelativePrecision.
std::optional<double> NarrowestJudgedSpacing(const TDesignRequest& request) {
    double wider = 2.0 * request.DrainRadius * NarrowestAboveDiameter;
    double narrower = wider;
    while (!IsJudged(request, wider)) {
        if (wider >= WidestDesignSpacing) {
            return std::nullopt;
        }
        narrower = wider;
        wider = std::fmin(wider * ScanFactor, WidestDesignSpacing);
    }
    while (wider - narrower > RelativePrecision * narrower) {
        const double middle = 0.5 * (narrower + wider);
        (IsJudged(request, middle) ? wider : narrower) = middle;
    }
    return wider;
}

TDesignResult Solve(const TDesignRequest& request) {
    const TDesignResidual residual(request);
    const std::optional<double> judged = NarrowestJudgedSpacing(request);
    if (!judged) {
        return TooThinALayer(request.ImpermeableDepth);
    }
    const double narrowest = *judged;
    const double atNarrowest = residual(narrowest);
    if (atNarrowest <= 0.0) {
        return TooMuchForTheSoil(narrowest);
    }
    const double atWidest = residual(WidestDesignSpacing);
    if (atWidest > 0.0) {
        return TooWide();
    }
    std::uintmax_t iterations = MostIterations;
    const auto closeEnough = [](double a, double b) {
        return std::fabs(b - a) <= RelativePrecision * std::fmin(a, b);
    };
    const std::pair<double, double> bracket = boost::math::tools::toms748_solve(
        residual, narrowest, WidestDesignSpacing, atNarrowest, atWidest, closeEnough, iterations);
    if (!closeEnough(bracket.first, bracket.second)) {
        throw EInvalidOp();
    }
    const double spacing = 0.5 * (bracket.first + bracket.second);
    const double d = EquivalentDepth(request.ImpermeableDepth, spacing, request.DrainRadius);
    return TDesignResult{TDesignSpacing{spacing, d}, {}};
}

} // namespace

TDesignResult DesignSpacing(const TDesignRequest& request) {
    if (const std::optional<TDesignRefusal> refusal = RefusalOfValues(request)) {
        return TDesignResult{std::nullopt, *refusal};
    }
    try {
        return Solve(request);
    } catch (const std::exception&) {
        // The arithmetic of the equivalent depth gave out: the user needs
        // to know that there is no spacing, not how the arithmetic failed.
        return Refused(TDesignField::Spacing, "No spacing satisfies the equation for these values");
    }
}

namespace {

const char* const UnboundedReason =
    "The data do not bound the spacing: the 95 % interval of Ka or Kb reaches down to 0 or below.";

std::optional<double> SpacingWith(TDesignRequest request, double ka, double kb) {
    request.Ka = ka;
    request.Kb = kb;
    const TDesignResult result = DesignSpacing(request);
    return result.Spacing ? std::optional<double>(result.Spacing->Spacing) : std::nullopt;
}

} // namespace

TDesignRange DesignRange(const TDesignRequest& request, const TInterval& ka, const TInterval& kb) {
    TDesignRange range;
    if (!(ka.Low > 0.0 && kb.Low > 0.0)) {
        range.Reason = UnboundedReason;
        return range;
    }
    range.Narrowest = SpacingWith(request, ka.Low, kb.Low);
    range.Widest = SpacingWith(request, ka.High, kb.High);
    if (!range.Bounded()) {
        range.Reason = "The bounds of the 95 % intervals of Ka and Kb give no spacing that can "
                       "be judged up to " +
                       Metres(WidestDesignSpacing) + ".";
    }
    return range;
}

std::vector<TDesignTableRow> DesignTable(const TDesignRequest& request) {
    std::vector<TDesignTableRow> rows;
    // Tenths counted as whole numbers, so that every h is the decimal typed.
    for (int tenths = 2; tenths <= 10; ++tenths) {
        TDesignRequest atHead = request;
        atHead.Head = tenths / 10.0;
        rows.push_back({atHead.Head, DesignSpacing(atHead)});
    }
    return rows;
}

std::optional<TDesignConductivities> DesignConductivitiesOf(const TCalculationResults& last,
                                                            const TCalculationResults* earlier,
                                                            bool confirmed) {
    const TCalculationResults* source = &last;
    if (last.Option == TCalculationOption::AboveAndBelowDrains) {
        if (!earlier || !confirmed || earlier->Option != TCalculationOption::OverEntireSoilDepth) {
            return std::nullopt;
        }
        source = earlier;
    }
    TDesignConductivities conductivities{source->Ka, source->Kb, std::nullopt, std::nullopt};
    if (source->Spread) {
        conductivities.KaInterval = source->Spread->KaInterval;
        conductivities.KbInterval = source->Spread->KbInterval;
    }
    return conductivities;
}
