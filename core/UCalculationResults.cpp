#include "UCalculationResults.h"

#include <algorithm>

TInterval Around(double value, double halfWidth) {
    return {value - halfWidth, value + halfWidth};
}

bool TCalculationResults::IsSuspect(std::size_t serial) const {
    return std::find(Suspect.begin(), Suspect.end(), serial) != Suspect.end();
}

bool TCalculationResults::IsInfluential(std::size_t serial) const {
    return std::find(Influential.begin(), Influential.end(), serial) != Influential.end();
}

double TCalculationResults::LineAt(double head) const {
    return Option == TCalculationOption::OverEntireSoilDepth ? SlopeA * head + InterceptB
                                                             : SlopeA * head;
}

std::optional<TInterval> TCalculationResults::BandAt(double head) const {
    return BandAt(head, NrInFit());
}

std::optional<TInterval> TCalculationResults::BandAt(double head, std::size_t nrInFit) const {
    if (!Spread || !(Spread->HeadSquares > 0.0) || nrInFit == 0) {
        return std::nullopt;
    }
    const double dx = head - MeanHead;
    const double halfWidth =
        Spread->StudentT * Spread->ResidualDeviation *
        std::sqrt(1.0 / static_cast<double>(nrInFit) + dx * dx / Spread->HeadSquares);
    if (!std::isfinite(halfWidth)) {
        return std::nullopt;
    }
    return Around(LineAt(head), halfWidth);
}

bool TCalculationResults::IsInFit(std::size_t index) const {
    return index < InFit.size() && InFit[index];
}

std::size_t TCalculationResults::NrInFit() const {
    return static_cast<std::size_t>(std::count(InFit.begin(), InFit.end(), true));
}
