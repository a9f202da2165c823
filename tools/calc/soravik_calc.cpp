// soravik-calc: the batch road for an engineer with many field files. Each
// input file is calculated as the window would calculate it after opening
// the file, its output file is written beside it and printed: as text, as
// one JSON array or as a CSV table for the whole run, each file as soon as it
// is done.
#include "UBatchArguments.h"
#include "UBatchCalculation.h"
#include "UBatchCsv.h"
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

const char* const UsageLine =
    "Usage: soravik-calc [--option 1|2] [--format text|json|csv] [--stats]\n"
    "                   [--design Q_MM_DAY,H_M] [--exclude N,N...] FILE...\n";

const char* const HelpBeforeCsv =
    "\n"
    "Calculates the hydraulic conductivity of a drained soil from input files of the\n"
    "Soravik calculator. Each FILE is read as its \".inp\" file (the extension is\n"
    "replaced), its water-table depths are checked, it is calculated as by a freshly\n"
    "started program, and the \".out\" file is written beside it and printed.\n"
    "\n"
    "Method: the Hooghoudt equation Q = (8 Kb d H\" + 4 Ka H\"^2) / S^2 is fitted as the\n"
    "line Q/H\" = A H\" + B by least squares, giving Ka = A S^2 / 4 and Kb = B S^2 / (8 d).\n"
    "\n"
    "Options:\n"
    "  --option 1  over the entire soil depth: least-squares line, Ka and Kb (default)\n"
    "  --option 2  above and below drains: slope through the origin and the mean point\n"
    "              only; Ka and Kb are not computed and are reported as 0 (in JSON\n"
    "              B, Ka and Kb are null)\n"
    "  --format text\n"
    "              print each file's five output lines (default)\n"
    "  --format json\n"
    "              print one JSON array for the whole run instead, each file's\n"
    "              object as soon as that file is done (file, output_file, option,\n"
    "              data_sets, d, A, B, Ka, Kb, mean_H, mean_Q_over_H; with option 1\n"
    "              also r_squared, s, se_A, se_B, A_ci95, B_ci95, Ka_ci95, Kb_ci95,\n"
    "              suspect, influential, residuals; then excluded, warnings and\n"
    "              data, one object per data set), numbers in full precision; a\n"
    "              file that fails gives file and error (see soravik-calc(1) for\n"
    "              every field)\n"
    "  --format csv\n"
    "              print a table instead, for a spreadsheet: a heading line and one\n"
    "              line per file with the columns\n";

const char* const HelpAfterCsv =
    "              (n: the data sets in the fit; suspect: their serial numbers and\n"
    "              warnings: their codes, each separated by blanks); numbers as in\n"
    "              JSON, empty where JSON has null; a file that fails gives file and\n"
    "              error; fields quoted as RFC 4180 has it, lines ended by CR LF\n"
    "  --stats     with text, print the fit statistics below each file's lines: R^2,\n"
    "              the residual deviation s, standard errors and 95 % intervals, the\n"
    "              suspect data sets (Bonferroni p of the studentized residual below\n"
    "              0.05), the influential ones (Cook's distance above the median of\n"
    "              F(2, n-2)) and warnings in plain words\n"
    "  --exclude N,N...\n"
    "              what-if: the statistics, JSON and CSV without these data sets\n"
    "              (serial numbers; given more than once, they add up); the output\n"
    "              file is still the calculation of every data set; needs --stats,\n"
    "              --format json or --format csv\n"
    "  --design Q_MM_DAY,H_M\n"
    "              add the drain spacing L (m) that keeps the water table midway at\n"
    "              H_M m above drain level for a design discharge of Q_MM_DAY mm/day,\n"
    "              from the file's own Ka, Kb, D and r, with d at L and the range of L\n"
    "              from the 95 % intervals of Ka and Kb (in JSON the object \"design\":\n"
    "              q_mm_day, h, L, d, L_range, or q_mm_day, h, error); option 2 makes\n"
    "              no design; not with --format csv\n"
    "  --help      show this text\n"
    "\n"
    "--option, --format and --design are given at most once each.\n"
    "The output file is the same in every format. Messages go to standard error.\n"
    "Exit status: 0 when every file was calculated and printed, 1 when any failed\n"
    "(the others are still done; running out of memory fails that file alone) or\n"
    "standard output could not be written, 2 for wrong usage.\n";

// The CSV columns as the table names them, indented and wrapped like the
// rest of the help.
std::string ColumnLines() {
    const std::string indent(14, ' ');
    std::string lines;
    std::string line = indent;
    const std::vector<std::string> columns = CsvColumns();
    for (const std::string& column : columns) {
        const std::string item = column + (column == columns.back() ? "" : ",");
        if (line.size() > indent.size() && line.size() + 1 + item.size() > 80) {
            lines += line + "\n";
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + item;
    }
    return lines + line + "\n";
}

std::string HelpText() {
    return std::string(UsageLine) + HelpBeforeCsv + ColumnLines() + HelpAfterCsv;
}

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
