#include "UBatchCsv.h"

#include "UPrintableText.h"

#include <csv.h>
#include <nlohmann/json.hpp>

namespace {

const char* const LineEnd = "\r\n";

// What JSON writes for the number; empty where JSON has null.
std::string Number(double value) {
    const std::string text = nlohmann::ordered_json(value).dump();
    return text == "null" ? std::string() : text;
}

std::string NumberOr(const std::optional<double>& value) {
    return value ? Number(*value) : std::string();
}

bool IsLeastSquares(const TCalculationResults& statistics) {
    return statistics.Option == TCalculationOption::OverEntireSoilDepth;
}

// The second option computes no intercept and no conductivities.
std::string OfLeastSquares(const TCalculationResults& statistics, double value) {
    return IsLeastSquares(statistics) ? Number(value) : std::string();
}

template <typename Get> std::string OfSpread(const TCalculationResults& statistics, Get get) {
    return statistics.Spread ? Number(get(*statistics.Spread)) : std::string();
}

// Blanks between the items keep a list one text in a spreadsheet: "3,7"
// would be read as a number where the decimal separator is a comma.
template <typename List, typename Text> std::string Joined(const List& items, Text text) {
    std::string joined;
    for (const auto& item : items) {
        joined += (joined.empty() ? "" : " ") + text(item);
    }
    return joined;
}

struct TCsvColumn {
    const char* Name;
    std::string (*Value)(const std::string& file, const TCalculationResults& statistics);
};

// Every field of a calculated file, in column order; the error comes last.
const TCsvColumn Columns[] = {
    {"file", [](const std::string& file, const auto&) { return EscapeControls(file); }},
    {"option",
     [](const std::string&, const auto& s) { return std::string(IsLeastSquares(s) ? "1" : "2"); }},
    {"n", [](const std::string&, const auto& s) { return std::to_string(s.NrInFit()); }},
    {"d", [](const std::string&, const auto& s) { return Number(s.EquivalentDepth); }},
    {"A", [](const std::string&, const auto& s) { return Number(s.SlopeA); }},
    {"B", [](const std::string&, const auto& s) { return OfLeastSquares(s, s.InterceptB); }},
    {"Ka", [](const std::string&, const auto& s) { return OfLeastSquares(s, s.Ka); }},
    {"Kb", [](const std::string&, const auto& s) { return OfLeastSquares(s, s.Kb); }},
    {"Ka_ci95_low",
     [](const std::string&, const auto& s) {
         return OfSpread(s, [](const auto& spread) { return spread.KaInterval.Low; });
     }},
    {"Ka_ci95_high",
     [](const std::string&, const auto& s) {
         return OfSpread(s, [](const auto& spread) { return spread.KaInterval.High; });
     }},
    {"Kb_ci95_low",
     [](const std::string&, const auto& s) {
         return OfSpread(s, [](const auto& spread) { return spread.KbInterval.Low; });
     }},
    {"Kb_ci95_high",
     [](const std::string&, const auto& s) {
         return OfSpread(s, [](const auto& spread) { return spread.KbInterval.High; });
     }},
    {"r_squared",
     [](const std::string&, const auto& s) {
         return IsLeastSquares(s) ? NumberOr(s.RSquared) : std::string();
     }},
    {"s",
     [](const std::string&, const auto& s) {
         return OfSpread(s, [](const auto& spread) { return spread.ResidualDeviation; });
     }},
    {"suspect",
     [](const std::string&, const auto& s) {
         return Joined(s.Suspect, [](std::size_t serial) { return std::to_string(serial); });
     }},
    {"warnings",
     [](const std::string&, const auto& s) {
         return Joined(s.Warnings, [](const TFitWarning& warning) { return warning.Code; });
     }},
    {"error", [](const std::string&, const auto&) { return std::string(); }},
};

constexpr std::size_t ColumnCount = sizeof Columns / sizeof Columns[0];

std::string Line(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : ",") + CsvField(fields[i]);
    }
    return line + LineEnd;
}

} // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted(csv_write(nullptr, 0, text.data(), text.size()), '\0');
    csv_write(quoted.data(), quoted.size(), text.data(), text.size());
    return quoted;
}

std::vector<std::string> CsvColumns() {
    std::vector<std::string> names;
    for (const TCsvColumn& column : Columns) {
        names.emplace_back(column.Name);
    }
    return names;
}

std::string CsvHeading() {
    return Line(CsvColumns());
}

std::string CsvCalculatedLine(const std::string& file, const TFileCalculation& calculation) {
    std::vector<std::string> fields;
    for (const TCsvColumn& column : Columns) {
        fields.push_back(column.Value(file, calculation.Statistics));
    }
    return Line(fields);
}

std::string CsvFailedLine(const std::string& file, const std::string& error) {
    std::vector<std::string> fields(ColumnCount);
    fields.front() = EscapeControls(file);
    fields.back() = EscapeControls(error.empty() ? "The file could not be calculated." : error);
    return Line(fields);
}
