// soravik-calc: the batch road for an engineer with many field files. Each
// input file is calculated as the window would calculate it after opening
// the file, its output file is written beside it and printed.
#include "UBatchCalculation.h"
#include "UConsoleDialogs.h"
#include "UMessageText.h"
#include "UStandardOutput.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int ExitAllCalculated = 0;
constexpr int ExitSomeFailed = 1;
constexpr int ExitWrongUsage = 2;

const char* const UsageLine = "Usage: soravik-calc [--option 1|2] FILE...\n";

const char* const HelpText =
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
    "              only; Ka and Kb are not computed and are reported as 0\n"
    "  --help      show this text\n"
    "\n"
    "Messages go to standard error. Exit status: 0 when every file was calculated\n"
    "and printed, 1 when any failed (the others are still done) or standard output\n"
    "could not be written, 2 for wrong usage.\n";

struct TArguments {
    TCalculationOption Option = TCalculationOption::OverEntireSoilDepth;
    std::vector<std::string> Files;
    bool Help = false;
};

std::optional<TCalculationOption> ParseOption(const std::string& value) {
    if (value == "1") {
        return TCalculationOption::OverEntireSoilDepth;
    }
    if (value == "2") {
        return TCalculationOption::AboveAndBelowDrains;
    }
    return std::nullopt;
}

int WrongUsage(const std::string& reason) {
    std::cerr << "soravik-calc: " << WithFullStop(reason) << '\n'
              << UsageLine << "Try 'soravik-calc --help' for more information.\n";
    return ExitWrongUsage;
}

bool TakeOption(const std::string& value, TArguments& arguments) {
    const std::optional<TCalculationOption> option = ParseOption(value);
    if (option) {
        arguments.Option = *option;
    }
    return option.has_value();
}

// Returns an exit status when the arguments are wrong, nothing otherwise.
std::optional<int> ParseArguments(const std::vector<std::string>& words, TArguments& arguments) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            arguments.Files.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            arguments.Help = true;
        } else if (word == "--option") {
            if (i + 1 == words.size() || !TakeOption(words[++i], arguments)) {
                return WrongUsage("--option needs the value 1 or 2");
            }
        } else if (word.rfind("--option=", 0) == 0) {
            if (!TakeOption(word.substr(9), arguments)) {
                return WrongUsage("--option needs the value 1 or 2");
            }
        } else {
            return WrongUsage("unknown option '" + word + "'");
        }
    }
    if (!arguments.Help && arguments.Files.empty()) {
        return WrongUsage("no input file given");
    }
    return std::nullopt;
}

// Told once: whatever follows would fail for the same reason.
void TellPrintFailure(const TStandardOutput& output) {
    std::cerr << "soravik-calc: standard output: "
              << WithFullStop("The results could not be printed: " + output.Failure()) << '\n';
}

// Calculates every file, printing each one's results as soon as they are
// written; a file that fails does not stop the others.
bool CalculateAll(const TArguments& arguments, TStandardOutput& output) {
    TConsoleDialogs dialogs(std::cerr);
    bool allCalculated = true;
    for (const std::string& file : arguments.Files) {
        const std::optional<TFileCalculation> calculation =
            CalculateFile(file, arguments.Option, dialogs);
        allCalculated = calculation.has_value() && allCalculated;
        if (calculation && !output.Failed()) {
            output.Print(TerminalLines(calculation->OutputText));
        }
    }
    return allCalculated;
}

} // namespace

int main(int argc, char* argv[]) {
    TStandardOutput output;
    TArguments arguments;
    if (const std::optional<int> status =
            ParseArguments(std::vector<std::string>(argv + 1, argv + argc), arguments)) {
        return *status;
    }
    bool allDone = true;
    if (arguments.Help) {
        output.Print(std::string(UsageLine) + HelpText);
    } else {
        allDone = CalculateAll(arguments, output);
    }
    if (output.Failed()) {
        TellPrintFailure(output);
        return ExitSomeFailed;
    }
    return allDone ? ExitAllCalculated : ExitSomeFailed;
}
