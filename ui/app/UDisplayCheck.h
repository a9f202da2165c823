// Whether the window can find a display, asked before the toolkit starts: the
// toolkit itself would abort with a text of its own when it finds none.
#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Reads an environment variable: null when it is not set.
using TEnvironmentReader = std::function<const char*(const char*)>;

// Why no window can open, or nothing when the toolkit may find a display.
// `arguments` without the program's name, so that the toolkit's -platform and
// -display count as they do for the toolkit.
std::optional<std::string> MissingDisplay(const std::vector<std::string>& arguments,
                                          const TEnvironmentReader& environment);

// While it lives, the toolkit's fatal failure to load any display plugin
// (a DISPLAY whose server does not answer) ends the program with exit status
// 1 and the message of MissingDisplay instead of an abort.
class TDisplayFailureGuard {
public:
    TDisplayFailureGuard();
    ~TDisplayFailureGuard();
    TDisplayFailureGuard(const TDisplayFailureGuard&) = delete;
    TDisplayFailureGuard& operator=(const TDisplayFailureGuard&) = delete;

private:
    QtMessageHandler previous_;
};
