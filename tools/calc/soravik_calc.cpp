// soravik-calc: the batch road for an engineer with many field files. Each
// input file is calculated as the window would calculate it after opening
// the file, its output file is written beside it and printed: as text, as
// one JSON array or as a CSV table for the whole run, each file as soon as it
// is done.
#include "UBatchArguments.h"
#include "UBatchCalculation.h"
#include "UBatchHelp.h"
#include "UBatchPrinter.h"
#include "UConsoleDialogs.h"
#include "UExcludeOption.h"
#include "UMessageText.h"
#include "UPrintableText.h"
#include "UStandardOutput.h"

#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int ExitAllCalculated = 0;
constexpr int ExitSomeFailed = 1;

// Told once: whatever follows would fail for the same reason.
void TellPrintFailure(const TStandardOutput& output) {
    std::cerr << "soravik-calc: standard output: "
              << WithFullStop("The results could not be printed: " + output.Failure()) << '\n';
}

void TellExclusion(const std::string& file, const std::string& told) {
    if (!told.empty()) {
        std::cerr << "soravik-calc: " << EscapeControls(file) << ": " << told << '\n';
    }
}

// Memory that runs out while a file is calculated or printed fails that file
// alone: everything it took is given back by the time it is told, and the
// next file starts afresh.
bool CalculateAndPrint(const std::string& file, const TBatchArguments& arguments,
                       TConsoleDialogs& dialogs, TBatchPrinter& printer) {
    try {
        std::optional<TFileCalculation> calculation =
            CalculateFile(file, arguments.Option, dialogs);
        if (!calculation) {
            printer.Failed(file, dialogs.ToldAboutCurrentFile());
            return false;
        }
        if (!arguments.Excluded.empty()) {
            TellExclusion(file, ApplyExclusion(arguments.Excluded, *calculation));
        }
        printer.Calculated(file, *calculation);
        return true;
    } catch (const std::bad_alloc&) {
        dialogs.ShowError("There is not enough memory to calculate " + file);
        printer.Failed(file, dialogs.ToldAboutCurrentFile());
        return false;
    }
}

// Calculates every file, each one's results printed as soon as it is done. A
// file that fails does not stop the others.
bool CalculateAll(const TBatchArguments& arguments, TStandardOutput& output) {
    TConsoleDialogs dialogs(std::cerr);
    const std::unique_ptr<TBatchPrinter> printer = MakeBatchPrinter(arguments.Print, output);
    bool allCalculated = true;
    for (const std::string& file : arguments.Files) {
        allCalculated = CalculateAndPrint(file, arguments, dialogs, *printer) && allCalculated;
    }
    printer->Finish();
    return allCalculated;
}

} // namespace

int main(int argc, char* argv[]) {
    TStandardOutput output;
    TBatchArguments arguments;
    if (const std::optional<int> status = ParseBatchArguments(
            std::vector<std::string>(argv + 1, argv + argc), UsageLine, arguments)) {
        return *status;
    }
    bool allDone = true;
    if (arguments.Help) {
        output.Print(HelpText());
    } else {
        allDone = CalculateAll(arguments, output);
    }
    if (output.Failed()) {
        TellPrintFailure(output);
        return ExitSomeFailed;
    }
    return allDone ? ExitAllCalculated : ExitSomeFailed;
}
