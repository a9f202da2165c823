#include "UCommandLine.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <system_error>

namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitWrongUsage = 2;

const char* const UsageLine = "Usage: soravik [--help] [--version] [FILE]\n";

const char* const HelpText =
    "\n"
    "Opens the Soravik window, the calculator of the hydraulic conductivity of a\n"
    "drained soil. FILE, when given, is opened as the window's commands open it:\n"
    "  an input file (.inp) fills the Input page with its data sets and site\n"
    "  constants;\n"
    "  an output file (.out) is shown on the Output page and calculated again from\n"
    "  the input file of the same name.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this text\n"
    "  --version   show the version\n"
    "\n"
    "The toolkit's own options, such as -style NAME, are accepted as well.\n"
    "Exit status: 0 when the window was closed, 1 when no display could be\n"
    "reached or this text could not be printed, 2 for wrong usage.\n";

// The toolkit's options that take a value in the next argument, and those
// that stand alone; either may be written with one dash or two.
const char* const ToolkitOptionsWithValue[] = {
    "-platform",
    "-platformpluginpath",
    "-platformtheme",
    "-plugin",
    "-qwindowgeometry",
    "-qwindowicon",
    "-qwindowtitle",
    "-geometry",
    "-title",
    "-icon",
    "-session",
    "-display",
    "-name",
    "-visual",
    "-style",
    "-stylesheet",
};
const char* const ToolkitFlags[] = {"-reverse", "-widgetcount", "-nograb",
                                    "-dograb",  "-sync",        "-testability"};
const char* const ToolkitPrefixes[] = {"-style=", "-stylesheet=", "-session=", "-qmljsdebugger="};

bool IsOneOf(const std::string& word, const char* const* first, const char* const* last) {
    return std::any_of(first, last, [&](const char* option) { return word == option; });
}

// 0 when `word` is not the toolkit's, otherwise the number of arguments it takes.
int ToolkitArgumentCount(std::string word) {
    if (word.rfind("--", 0) == 0) {
        word.erase(0, 1);
    }
    if (IsOneOf(word, std::begin(ToolkitOptionsWithValue), std::end(ToolkitOptionsWithValue))) {
        return 2;
    }
    const bool prefixed =
        std::any_of(std::begin(ToolkitPrefixes), std::end(ToolkitPrefixes),
                    [&](const char* prefix) { return word.rfind(prefix, 0) == 0; });
    return prefixed || IsOneOf(word, std::begin(ToolkitFlags), std::end(ToolkitFlags)) ? 1 : 0;
}

// The file's messages and the output file's first line name it in full.
std::string FullPath(const std::string& file) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(file, error);
    return error ? file : full.lexically_normal().string();
}

TCommandLine WrongUsage(const std::string& problem) {
    TCommandLine commandLine;
    commandLine.Action = TStartAction::WrongUsage;
    commandLine.Problem = problem;
    return commandLine;
}

// A text that never reached its reader (a full disk) is no success.
int Printed(std::ostream& out, std::ostream& errors) {
    if (out.flush()) {
        return ExitDone;
    }
    errors << "soravik: standard output could not be written.\n";
    return ExitFailed;
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine commandLine;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            if (commandLine.File) {
                return WrongUsage("only one file can be opened");
            }
            commandLine.File = FullPath(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            commandLine.Action = TStartAction::ShowHelp;
        } else if (word == "--version") {
            if (commandLine.Action != TStartAction::ShowHelp) {
                commandLine.Action = TStartAction::ShowVersion;
            }
        } else if (const int taken = ToolkitArgumentCount(word)) {
            i += taken - 1;
        } else {
            return WrongUsage("unknown option '" + word + "'");
        }
    }
    return commandLine;
}

std::optional<int> AnswerWithoutWindow(const TCommandLine& commandLine, std::ostream& out,
                                       std::ostream& errors) {
    switch (commandLine.Action) {
    case TStartAction::OpenWindow:
        return std::nullopt;
    case TStartAction::ShowHelp:
        out << UsageLine << HelpText;
        return Printed(out, errors);
    case TStartAction::ShowVersion:
        out << "soravik " << SORAVIK_VERSION << '\n';
        return Printed(out, errors);
    case TStartAction::WrongUsage:
        break;
    }
    errors << "soravik: " << commandLine.Problem << '\n'
           << UsageLine << "Try 'soravik --help' for more information.\n";
    return ExitWrongUsage;
}
