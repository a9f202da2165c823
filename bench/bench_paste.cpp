// Pasting a long table from a spreadsheet must stay quick and grow in step
// with the number of lines.
#include "MemoryGrid.h"
#include "UDMTylwen.h"
#include "UPasteCells.h"
#include "UUserDialogs.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

// The table is longer than the grid, so nobody is asked anything.
class TSilentDialogs : public TUserDialogs {
public:
    void ShowMessage(const std::string&) override {}
    void ShowError(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions&) override { return {}; }
};

class TIgnoredCountField : public TCountField {
public:
    void SetText(const std::string&) override {}
};

std::string SpreadsheetTable(int lines) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        text +=
            std::to_string(line % 90 + 1) + ".25\t0.6" + std::to_string(line % 10) + "\t0.95\r\n";
    }
    return text;
}

void PasteThreeFieldLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string text = SpreadsheetTable(lines);
    TSilentDialogs dialogs;
    TIgnoredCountField countField;
    for (auto _ : state) {
        TMemoryGrid grid(15);
        TDMTylwen store;
        store.GridRows = store.NrOfDataSets = store.RowsToFill = 15;
        HandlePasteMultiCell(grid, 1, 0, text, countField, dialogs, store);
        benchmark::DoNotOptimize(store.WorkNear.data());
    }
    state.SetComplexityN(lines);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

BENCHMARK(PasteThreeFieldLines)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
