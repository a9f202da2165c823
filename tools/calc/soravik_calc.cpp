// soravik-calc: the batch road for an engineer with many field files. Each
// input file is calculated as the window would calculate it after opening
// the file, its output file is written beside it and printed, as text or as
// one JSON document for the whole run.
#include "UBatchCalculation.h"
#include "UBatchDesign.h"
#include "UBatchReport.h"
#include "UConsoleDialogs.h"
#include "UMessageText.h"
#include "UPrintableText.h"
#include "UStandardOutput.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int ExitAllCalculated = 0;
constexpr int ExitSomeFailed = 1;
constexpr int ExitWrongUsage = 2;

const char* const UsageLine = "Usage: soravik-calc [--option 1|2] [--format text|json] [--stats]\n"
                              "                   [--design Q_MM_DAY,H_M] FILE...\n";

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
    "              only; Ka and Kb are not computed and are reported as 0 (in JSON\n"
    "              B, Ka and Kb are null)\n"
    "  --format text\n"
    "              print each file's five output lines (default)\n"
    "  --format json\n"
    "              print one JSON document for the whole run instead: an array with\n"
    "              an object per file (file, output_file, option, data_sets, d, A, B,\n"
    "              Ka, Kb, mean_H, mean_Q_over_H; with option 1 also r_squared, s,\n"
    "              se_A, se_B, A_ci95, B_ci95, Ka_ci95, Kb_ci95, suspect, residuals),\n"
    "              numbers in full precision; a file that fails gives file and error\n"
    "  --stats     with text, print the fit statistics below each file's lines: R^2,\n"
    "              the residual deviation s, standard errors and 95 % intervals, and\n"
    "              the suspect data sets (residual beyond 2.5 s)\n"
    "  --design Q_MM_DAY,H_M\n"
    "              add the drain spacing L (m) that keeps the water table midway at\n"
    "              H_M m above drain level for a design discharge of Q_MM_DAY mm/day,\n"
    "              from the file's own Ka, Kb, D and r, with d at L and the range of L\n"
    "              from the 95 % intervals of Ka and Kb (in JSON the object \"design\":\n"
    "              q_mm_day, h, L, d, L_range, or q_mm_day, h, error); option 2 makes\n"
    "              no design\n"
    "  --help      show this text\n"
    "\n"
    "The output file is the same in every format. Messages go to standard error.\n"
    "Exit status: 0 when every file was calculated and printed, 1 when any failed\n"
    "(the others are still done) or standard output could not be written, 2 for\n"
    "wrong usage.\n";

struct TArguments {
    TCalculationOption Option = TCalculationOption::OverEntireSoilDepth;
    std::vector<std::string> Files;
    bool Help = false;
    bool Json = false;
    bool Statistics = false;
    std::optional<TDesignDuty> Design;
};

bool TakeDesign(const std::string& value, TArguments& arguments, std::string& refusal) {
    arguments.Design = ParseDesignDuty(value, refusal);
    return arguments.Design.has_value() && refusal.empty();
}

bool TakeFormat(const std::string& value, TArguments& arguments) {
    arguments.Json = value == "json";
    return value == "json" || value == "text";
}

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
    std::cerr << "soravik-calc: " << EscapeControls(WithFullStop(reason)) << '\n'
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

// The value of the option `name` when words[i] is it, as "--name VALUE"
// (i then moves to the value) or "--name=VALUE"; empty when the value is
// missing, which no option takes.
std::optional<std::string> OptionValue(const std::vector<std::string>& words, std::size_t& i,
                                       const std::string& name) {
    const std::string& word = words[i];
    if (word == name) {
        return i + 1 < words.size() ? words[++i] : std::string();
    }
    if (word.rfind(name + "=", 0) == 0) {
        return word.substr(name.size() + 1);
    }
    return std::nullopt;
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
        } else if (const std::optional<std::string> value = OptionValue(words, i, "--option")) {
            if (!TakeOption(*value, arguments)) {
                return WrongUsage("--option needs the value 1 or 2");
            }
        } else if (const std::optional<std::string> value = OptionValue(words, i, "--format")) {
            if (!TakeFormat(*value, arguments)) {
                return WrongUsage("--format needs the value text or json");
            }
        } else if (const std::optional<std::string> value = OptionValue(words, i, "--design")) {
            std::string refusal;
            if (!TakeDesign(*value, arguments, refusal)) {
                return WrongUsage(refusal.empty()
                                      ? "--design needs two numbers Q_MM_DAY,H_M such as 7,0.5"
                                      : "--design: " + refusal);
            }
        } else if (word == "--stats") {
            arguments.Statistics = true;
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

void PrintText(const TArguments& arguments, const TFileCalculation& calculation,
               TStandardOutput& output) {
    if (output.Failed()) {
        return;
    }
    std::string text = TerminalLines(calculation.OutputText);
    if (arguments.Statistics) {
        text += StatisticsLines(calculation.Statistics);
    }
    if (arguments.Design) {
        text += DesignLines(*arguments.Design, calculation);
    }
    output.Print(text);
}

// Calculates every file; as text each one's results are printed as soon as
// they are written, as JSON the whole run at the end. A file that fails does
// not stop the others.
bool CalculateAll(const TArguments& arguments, TStandardOutput& output) {
    TConsoleDialogs dialogs(std::cerr);
    TJsonRun run;
    bool allCalculated = true;
    for (const std::string& file : arguments.Files) {
        const std::optional<TFileCalculation> calculation =
            CalculateFile(file, arguments.Option, dialogs);
        allCalculated = calculation.has_value() && allCalculated;
        if (!arguments.Json && calculation) {
            PrintText(arguments, *calculation, output);
        } else if (calculation) {
            run.AddCalculated(file, *calculation);
            if (arguments.Design) {
                run.AddToLastEntry("design", DesignJson(*arguments.Design, *calculation));
            }
        } else {
            run.AddFailed(file, dialogs.ToldAboutCurrentFile());
        }
    }
    if (arguments.Json) {
        output.Print(run.Document());
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
