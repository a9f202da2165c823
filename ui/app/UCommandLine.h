// The window's command line, soravik [FILE]: read before the toolkit starts,
// so that the help and the version need no display and a wrong option opens
// no window.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

enum class TStartAction { OpenWindow, ShowHelp, ShowVersion, WrongUsage };

struct TCommandLine {
    TStartAction Action = TStartAction::OpenWindow;
    // The input or output file to open once the window is up, as a full path.
    std::optional<std::string> File;
    // What was wrong, for WrongUsage.
    std::string Problem;
};

// `arguments` without the program's name. The toolkit's own options (such as
// -style or -platform, with their values) are passed over: the toolkit reads
// them itself.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Prints the help, the version or the usage and gives the exit status (1 when
// standard output refused the text); nothing when the window is to start.
std::optional<int> AnswerWithoutWindow(const TCommandLine& commandLine, std::ostream& out,
                                       std::ostream& errors);
