// soravik [FILE]: the calculator's window.
#include "UCommandLine.h"
#include "UDisplayCheck.h"
#include "UProgram.h"

#include <cstdlib>
#include <iostream>
#include <optional>

int main(int argc, char** argv) {
    // Before the toolkit, which needs a display: the help, the version and a
    // wrong option are answered on the terminal alone.
    const TCommandLine commandLine = ParseCommandLine({argv + 1, argv + argc});
    if (const std::optional<int> status = AnswerWithoutWindow(commandLine, std::cout, std::cerr)) {
        return *status;
    }
    if (const std::optional<std::string> problem =
            MissingDisplay({argv + 1, argv + argc}, std::getenv)) {
        std::cerr << "soravik: " << *problem << '\n';
        return 1;
    }
    return RunProgram(argc, argv, commandLine);
}
