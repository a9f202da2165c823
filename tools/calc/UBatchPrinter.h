// How soravik-calc prints each file's results as soon as the file is done:
// as the output file's lines (text), as one JSON array, or as a CSV table.
#pragma once

#include "UBatchCalculation.h"
#include "UBatchDesign.h"

#include <memory>
#include <optional>
#include <string>

class TStandardOutput;

enum class TOutputFormat { Text, Json, Csv };

struct TPrintChoice {
    TOutputFormat Format = TOutputFormat::Text;
    // --stats: the fit statistics below the text lines.
    bool Statistics = false;
    std::optional<TDesignDuty> Design;
};

class TBatchPrinter {
public:
    virtual ~TBatchPrinter() = default;
    virtual void Calculated(const std::string& file, const TFileCalculation& calculation) = 0;
    // `error` is what the user was told on standard error.
    virtual void Failed(const std::string& file, const std::string& error) = 0;
    // After the last file.
    virtual void Finish() {}
};

// Prints what comes before the first file at once (a JSON array's opening,
// the CSV heading).
std::unique_ptr<TBatchPrinter> MakeBatchPrinter(const TPrintChoice& choice,
                                                TStandardOutput& output);
