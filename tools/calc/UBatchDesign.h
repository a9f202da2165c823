// The drain spacing that soravik-calc adds to each file's results with
// --design: from the file's own Ka and Kb, D and r, for one design discharge
// and allowed height of the water table.
#pragma once

#include "UBatchCalculation.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

struct TDesignDuty {
    double DischargeMmPerDay = 0.0;
    double Head = 0.0;
};

// "Q_MM_DAY,H_M" with "." as decimal separator; nothing when the text is not
// two such numbers. `refusal` gets the reason when the numbers themselves
// can make no design (not above 0).
std::optional<TDesignDuty> ParseDesignDuty(const std::string& text, std::string& refusal);

// Plain lines below a file's results, each with one leading blank.
std::string DesignLines(const TDesignDuty& duty, const TFileCalculation& calculation);

// {"q_mm_day", "h", "L", "d", "L_range"} in full precision, L_range null when
// the data do not bound it; {"q_mm_day", "h", "error"} when there is no
// spacing.
nlohmann::ordered_json DesignJson(const TDesignDuty& duty, const TFileCalculation& calculation);
