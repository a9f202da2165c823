#include "UBatchCalculation.h"

#include "UCalculationResults.h"
#include "UConsoleDialogs.h"
#include "UDMTylwen.h"
#include "UInputFile.h"
#include "UOutputFile.h"
#include "UPrintableText.h"
#include "UTylwenUtils.h"

#include <exception>
#include <filesystem>
#include <utility>

namespace {

const char* const NoDataSetsMessage =
    "The file holds no data sets, so there is nothing to calculate.";
const char* const EmptyNameMessage = "The file name is empty, so there is no file to calculate";

// Everything a previous file left behind is forgotten: the store, the flags
// and the conductivities are those of a program that has just started.
void StartAfresh(TDMTylwen& store) {
    store = TDMTylwen{};
    store.DataModuleCreate();
    ResetTylwenUtils();
    store.DrainDepth = 1.2;
    store.ImpermeableDepth = 10.0;
    store.DrainSpacing = 50.0;
    store.DrainRadius = 0.1;
}

// The depth check reads the working arrays, which hold data set k at k - 1.
void CopyInputToWorkingArrays(TDMTylwen& store) {
    const auto n = static_cast<std::size_t>(store.NrOfDataSets);
    for (DataSetR* column : {&store.WorkDischarge, &store.WorkMidway, &store.WorkNear}) {
        SetLength(*column, n + 1);
    }
    for (std::size_t i = 0; i < n; ++i) {
        At(store.WorkDischarge, i) = At(store.InputDischarge, i + 1);
        At(store.WorkMidway, i) = At(store.InputDepthMidway, i + 1);
        At(store.WorkNear, i) = At(store.InputDepthNear, i + 1);
    }
}

bool ReadCheckedInput(const std::string& file, TConsoleDialogs& dialogs, TDMTylwen& store) {
    if (file.empty()) {
        dialogs.ShowMessage(EmptyNameMessage);
        return false;
    }
    store.FileName = std::filesystem::absolute(file).string();
    if (ReadInputFile(dialogs, store) != TReadInputOutcome::Read) {
        return false;
    }
    if (store.NrOfDataSets == 0) {
        dialogs.ShowMessage(NoDataSetsMessage);
        return false;
    }
    CopyInputToWorkingArrays(store);
    bool ok = false;
    CheckWaterTableDepths(ok, dialogs, store);
    return ok;
}

TFileCalculation Calculate(TCalculationOption option, TConsoleDialogs& dialogs, TDMTylwen& store) {
    // As after opening a file: the confirmation would claim that the input
    // was saved, which the companion never does.
    OutputShown = true;
    TFitStatistics results = CalculateResults(option, store);
    std::string text = FinishCalculation(results, dialogs, store);
    return TFileCalculation{std::move(store), std::move(text), std::move(results)};
}

} // namespace

std::optional<TFileCalculation> CalculateFile(const std::string& file, TCalculationOption option,
                                              TConsoleDialogs& dialogs) {
    dialogs.SetCurrentFile(file);
    TDMTylwen& store = DMTylwen;
    try {
        StartAfresh(store);
        if (!ReadCheckedInput(file, dialogs, store)) {
            return std::nullopt;
        }
        return Calculate(option, dialogs, store);
    } catch (const std::exception& error) {
        dialogs.ShowError(error.what());
        return std::nullopt;
    }
}

std::string TerminalLines(const std::string& outputText) {
    std::string lines;
    std::size_t start = 0;
    for (std::size_t end = outputText.find("\r\n", start); end != std::string::npos;
         end = outputText.find("\r\n", start)) {
        lines += EscapeControls(outputText.substr(start, end - start));
        lines += '\n';
        start = end + 2;
    }
    return lines + EscapeControls(outputText.substr(start));
}
