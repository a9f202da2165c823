#include "UExcludeOption.h"

#include "UResultText.h"

#include <algorithm>
#include <charconv>

namespace {

std::optional<std::size_t> ParseSerial(const std::string& text) {
    std::size_t serial = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, serial);
    if (read.ec != std::errc() || read.ptr != end || serial == 0) {
        return std::nullopt;
    }
    return serial;
}

} // namespace

std::optional<std::vector<std::size_t>> ParseSerialList(const std::string& text) {
    std::vector<std::size_t> serials;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::optional<std::size_t> serial =
            ParseSerial(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (!serial) {
            return std::nullopt;
        }
        serials.push_back(*serial);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    std::sort(serials.begin(), serials.end());
    serials.erase(std::unique(serials.begin(), serials.end()), serials.end());
    return serials;
}

std::string ApplyExclusion(const std::vector<std::size_t>& excluded,
                           TFileCalculation& calculation) {
    const std::size_t count = calculation.Statistics.NrOfDataSets;
    std::vector<std::size_t> missing;
    std::copy_if(excluded.begin(), excluded.end(), std::back_inserter(missing),
                 [count](std::size_t serial) { return serial > count; });
    std::string told;
    if (!missing.empty()) {
        told = "The file has no data set " + SerialListText(missing) + " to leave out.";
    }
    std::optional<TCalculationResults> whatIf = FitWithout(calculation.Statistics, excluded);
    if (!whatIf) {
        return told + (told.empty() ? "" : " ") + "Without data sets " + SerialListText(excluded) +
               " no line can be fitted, so the statistics are those of every data set.";
    }
    calculation.Statistics = std::move(*whatIf);
    return told;
}
