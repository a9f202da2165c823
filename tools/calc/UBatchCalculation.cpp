#include "UBatchCalculation.h"

#include "UConsoleDialogs.h"
#include "UDMTylwen.h"
#include "UFitStatistics.h"
#include "UInputFile.h"
#include "UOutputFile.h"
#include "UPrintableText.h"
#include "UTylwenUtils.h"

#include <exception>
#include <filesystem>
#include <new>
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
    SetStartingSiteConstants(store);
}

bool ReadCheckedInput(const std::string& file, TConsoleDialogs& dialogs, TDMTylwen& store) {
    if (file.empty()) {
        dialogs.ShowMessage(EmptyNameMessage);
        return false;
    }
    store.FileName = std::filesystem::absolute(file).string();
    const TReadInputResult read = ReadInputFile(store);
    Tell(dialogs, read.Tell);
    if (read.Outcome != TReadInputOutcome::Read) {
        return false;
    }
    if (store.NrOfDataSets == 0) {
        dialogs.ShowMessage(NoDataSetsMessage);
        return false;
    }
    // The depth check reads the working arrays, which hold data set k at k - 1.
    RebuildWorkingArrays(store);
    bool ok = false;
    CheckWaterTableDepths(ok, dialogs, store);
    return ok;
}

TFileCalculation Calculate(TCalculationOption option, TDMTylwen& store) {
    // As after opening a file: the calculation starts from the input arrays.
    OutputShown = true;
    TCalculationResults results = CalculateResults(option, store);
    std::string text = WriteOutputFile(results, store).Text;
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
        return Calculate(option, store);
    } catch (const std::bad_alloc&) {
        // The caller tells it; what the file filled in is given back first.
        store = TDMTylwen{};
        throw;
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
