#include "UBatchDesign.h"

#include "UDrainDesign.h"
#include "UResultText.h"

#include <charconv>
#include <cmath>

namespace {

using TJson = nlohmann::ordered_json;

const char* const SecondOptionRefusal =
    "The second option calculates no Ka and Kb of its own, and soravik-calc takes none from an "
    "earlier calculation: a design needs --option 1";
const char* const NoIntervalsReason =
    "The data do not bound the spacing: the fit gives no 95 % intervals of Ka and Kb (they need "
    "three data sets).";

// The design of one file: the spacing or the reason there is none, and its
// range or the reason there is none.
struct TFileDesign {
    TDesignResult Result;
    TDesignRange Range;
};

TFileDesign DesignOf(const TDesignDuty& duty, const TFileCalculation& calculation) {
    TFileDesign design;
    const std::optional<TDesignConductivities> conductivities =
        DesignConductivitiesOf(calculation.Statistics, nullptr, false);
    if (!conductivities) {
        design.Result.Refusal = {TDesignField::Ka, SecondOptionRefusal};
        return design;
    }
    const TDesignRequest request{duty.DischargeMmPerDay,
                                 duty.Head,
                                 conductivities->Ka,
                                 conductivities->Kb,
                                 calculation.Store.ImpermeableDepth,
                                 calculation.Store.DrainRadius};
    design.Result = DesignSpacing(request);
    if (!design.Result.Spacing) {
        return design;
    }
    if (conductivities->KaInterval && conductivities->KbInterval) {
        design.Range =
            DesignRange(request, *conductivities->KaInterval, *conductivities->KbInterval);
    } else {
        design.Range.Reason = NoIntervalsReason;
    }
    return design;
}

std::string Number(double value) {
    return SignificantDigits(value, 4);
}

std::string InMetres(double value) {
    return Metres(value, Number);
}

std::optional<double> PlainNumber(const std::string& text) {
    double value = 0.0;
    const char* const last = text.data() + text.size();
    const std::from_chars_result end = std::from_chars(text.data(), last, value);
    if (text.empty() || end.ec != std::errc() || end.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string WithoutFullStop(const std::string& text) {
    return !text.empty() && text.back() == '.' ? text.substr(0, text.size() - 1) : text;
}

} // namespace

std::optional<TDesignDuty> ParseDesignDuty(const std::string& text, std::string& refusal) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<double> discharge = PlainNumber(text.substr(0, comma));
    const std::optional<double> head = PlainNumber(text.substr(comma + 1));
    if (!discharge || !head) {
        return std::nullopt;
    }
    // Any positive conductivities will do to learn whether the two numbers
    // themselves can make a design.
    const TDesignResult trial = DesignSpacing({*discharge, *head, 1.0, 1.0, 1.0, 0.1});
    const TDesignField field = trial.Refusal.Field;
    if (field == TDesignField::Discharge || field == TDesignField::Head) {
        refusal = trial.Refusal.Message;
    }
    return TDesignDuty{*discharge, *head};
}

std::string DesignLines(const TDesignDuty& duty, const TFileCalculation& calculation) {
    const TFileDesign design = DesignOf(duty, calculation);
    std::string lines = " Design for q = " + Number(duty.DischargeMmPerDay) +
                        " mm/day, h = " + InMetres(duty.Head) + ": ";
    if (!design.Result.Spacing) {
        return lines + "no spacing. " + WithoutFullStop(design.Result.Refusal.Message) + ".\n";
    }
    lines += "L = " + InMetres(design.Result.Spacing->Spacing) +
             " with d = " + InMetres(design.Result.Spacing->EquivalentDepth) + "\n";
    if (design.Range.Bounded()) {
        return lines + " Range of L from the 95 % intervals of Ka and Kb: " +
               Number(*design.Range.Narrowest) + " to " + InMetres(*design.Range.Widest) + "\n";
    }
    return lines + " " + design.Range.Reason + "\n";
}

TJson DesignJson(const TDesignDuty& duty, const TFileCalculation& calculation) {
    const TFileDesign design = DesignOf(duty, calculation);
    TJson entry;
    entry["q_mm_day"] = duty.DischargeMmPerDay;
    entry["h"] = duty.Head;
    if (!design.Result.Spacing) {
        entry["error"] = WithoutFullStop(design.Result.Refusal.Message) + ".";
        return entry;
    }
    entry["L"] = design.Result.Spacing->Spacing;
    entry["d"] = design.Result.Spacing->EquivalentDepth;
    entry["L_range"] = design.Range.Bounded()
                           ? TJson::array({*design.Range.Narrowest, *design.Range.Widest})
                           : TJson(nullptr);
    return entry;
}
