#include "UBatchPrinter.h"

#include "UBatchCsv.h"
#include "UBatchReport.h"
#include "UStandardOutput.h"

namespace {

// A failed file prints nothing: standard error has told it.
class TTextPrinter : public TBatchPrinter {
public:
    TTextPrinter(const TPrintChoice& choice, TStandardOutput& output)
        : choice_(choice), output_(output) {}

    void Calculated(const std::string&, const TFileCalculation& calculation) override {
        if (output_.Failed()) {
            return;
        }
        std::string text = TerminalLines(calculation.OutputText);
        if (choice_.Statistics) {
            text += StatisticsLines(calculation.Statistics);
        }
        if (choice_.Design) {
            text += DesignLines(*choice_.Design, calculation);
        }
        output_.Print(text);
    }
    void Failed(const std::string&, const std::string&) override {}

private:
    TPrintChoice choice_;
    TStandardOutput& output_;
};

class TJsonPrinter : public TBatchPrinter {
public:
    TJsonPrinter(const TPrintChoice& choice, TStandardOutput& output)
        : choice_(choice), run_(output) {}

    void Calculated(const std::string& file, const TFileCalculation& calculation) override {
        run_.AddCalculated(TJsonEntry{file, calculation, choice_.Design});
    }
    void Failed(const std::string& file, const std::string& error) override {
        run_.AddFailed(file, error);
    }
    void Finish() override { run_.Finish(); }

private:
    TPrintChoice choice_;
    TJsonRun run_;
};

class TCsvPrinter : public TBatchPrinter {
public:
    explicit TCsvPrinter(TStandardOutput& output) : output_(output) { output_.Print(CsvHeading()); }

    void Calculated(const std::string& file, const TFileCalculation& calculation) override {
        output_.Print(CsvCalculatedLine(file, calculation));
    }
    void Failed(const std::string& file, const std::string& error) override {
        output_.Print(CsvFailedLine(file, error));
    }

private:
    TStandardOutput& output_;
};

} // namespace

std::unique_ptr<TBatchPrinter> MakeBatchPrinter(const TPrintChoice& choice,
                                                TStandardOutput& output) {
    switch (choice.Format) {
    case TOutputFormat::Json:
        return std::make_unique<TJsonPrinter>(choice, output);
    case TOutputFormat::Csv:
        return std::make_unique<TCsvPrinter>(output);
    case TOutputFormat::Text:
        break;
    }
    return std::make_unique<TTextPrinter>(choice, output);
}
