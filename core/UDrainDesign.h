// From conductivity to design: the drain spacing L that keeps the water table
// midway at the allowed height h above drain level for a design discharge q,
// by Hooghoudt's equation q = (8 Kb d(L) h + 4 Ka h^2) / L^2 with the
// equivalent depth d(L) of the calculation itself.
#pragma once

#include "UCalculationResults.h"

#include <optional>
#include <string>
#include <vector>

// The widest spacing looked for; a wider one is no drainage design.
constexpr double WidestDesignSpacing = 10000.0;

// What a design is asked for. D and r are taken as the calculation takes
// them: D the thickness of the layer below drain level, r the drain radius.
struct TDesignRequest {
    double DischargeMmPerDay = 0.0;
    double Head = 0.0;
    double Ka = 0.0;
    double Kb = 0.0;
    double ImpermeableDepth = 0.0;
    double DrainRadius = 0.0;
};

// The value a refusal is about, so that a form can show it at its field.
enum class TDesignField { Discharge, Head, Ka, Kb, ImpermeableDepth, DrainRadius, Spacing };

struct TDesignRefusal {
    TDesignField Field = TDesignField::Spacing;
    std::string Message;
};

struct TDesignSpacing {
    double Spacing = 0.0;
    double EquivalentDepth = 0.0;
};

// Either a spacing or the reason there is none.
struct TDesignResult {
    std::optional<TDesignSpacing> Spacing;
    TDesignRefusal Refusal;
};

// Solved to a relative precision of 1e-9 between WidestDesignSpacing and the
// narrowest spacing above 2r whose equivalent depth does not exceed D: the
// equation cannot be judged where d exceeds the layer it stands for. When
// even that narrowest spacing cannot carry the discharge off, the refusal says
// the design discharge is too high, or h too low, for the soil, and names it.
// Never raises; every value it cannot use is refused with a message.
TDesignResult DesignSpacing(const TDesignRequest& request);

// The spacings from the lower and the upper bounds of the 95 % intervals of
// Ka and Kb, or why the data do not bound the spacing.
struct TDesignRange {
    std::optional<double> Narrowest;
    std::optional<double> Widest;
    std::string Reason;
    bool Bounded() const { return Narrowest && Widest; }
};

TDesignRange DesignRange(const TDesignRequest& request, const TInterval& ka, const TInterval& kb);

// The spacing for each allowed height from 0.2 to 1.0 m in steps of 0.1 m.
struct TDesignTableRow {
    double Head = 0.0;
    TDesignResult Result;
};
std::vector<TDesignTableRow> DesignTable(const TDesignRequest& request);

// Ka and Kb for a design with the intervals that bound them, when known.
struct TDesignConductivities {
    double Ka = 0.0;
    double Kb = 0.0;
    std::optional<TInterval> KaInterval;
    std::optional<TInterval> KbInterval;
};

inline const char* const SecondOptionDesignNote =
    "The second option calculates no Ka and Kb of its own: the design takes those of the last "
    "calculation with the first option, as the output file does, only when you confirm it.";

// The Ka and Kb that a design takes from the calculation `last`. The second
// option computes none of its own; then `earlier`, the last calculation with
// the first option, stands in only when the user has confirmed it.
std::optional<TDesignConductivities> DesignConductivitiesOf(const TCalculationResults& last,
                                                            const TCalculationResults* earlier,
                                                            bool confirmed);
