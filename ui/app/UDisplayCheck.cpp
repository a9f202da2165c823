#include "UDisplayCheck.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char* const NoDisplayMessage =
    "cannot connect to a display: set DISPLAY (or WAYLAND_DISPLAY) to a running display "
    "server, or QT_QPA_PLATFORM to a platform that needs none, such as offscreen.";

bool IsSet(const TEnvironmentReader& environment, const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
}

// The value of the toolkit's option `name` ("-name VALUE", one dash or two).
std::optional<std::string> ToolkitOption(const std::vector<std::string>& arguments,
                                         const std::string& name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i + 1 < arguments.size() && arguments[i] != "--"; ++i) {
        if (arguments[i] == "-" + name || arguments[i] == "--" + name) {
            value = arguments[++i];
        }
    }
    return value;
}

// The platforms asked for, in the order the toolkit tries them
// ("wayland;xcb"), each without its own options ("xcb:option").
std::vector<std::string> PlatformNames(const std::string& request) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= request.size()) {
        const std::size_t end = std::min(request.find(';', start), request.size());
        const std::string entry = request.substr(start, end - start);
        names.push_back(entry.substr(0, entry.find(':')));
        start = end + 1;
    }
    return names;
}

// Only the X and Wayland platforms need a display server; a Wayland
// compositor may be found without WAYLAND_DISPLAY, so that is left to the
// toolkit.
bool PlatformMayStart(const std::string& platform, bool xDisplay) {
    return platform != "xcb" || xDisplay;
}

} // namespace

std::optional<std::string> MissingDisplay(const std::vector<std::string>& arguments,
                                          const TEnvironmentReader& environment) {
    const bool xDisplay = IsSet(environment, "DISPLAY") || ToolkitOption(arguments, "display");
    std::string request = ToolkitOption(arguments, "platform").value_or("");
    if (request.empty() && IsSet(environment, "QT_QPA_PLATFORM")) {
        request = environment("QT_QPA_PLATFORM");
    }
    if (request.empty()) {
        return xDisplay || IsSet(environment, "WAYLAND_DISPLAY")
                   ? std::nullopt
                   : std::optional<std::string>(NoDisplayMessage);
    }
    for (const std::string& platform : PlatformNames(request)) {
        if (PlatformMayStart(platform, xDisplay)) {
            return std::nullopt;
        }
    }
    return NoDisplayMessage;
}

namespace {

// The toolkit's last word when no display plugin could start; what it said
// before (the display it could not reach) has been printed already.
void ExitOnDisplayFailure(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit();
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr, "soravik: %s\n", NoDisplayMessage);
        ::_exit(1);
    }
    std::fprintf(stderr, "%s\n", line.constData());
    if (type == QtFatalMsg) {
        std::abort();
    }
}

} // namespace

TDisplayFailureGuard::TDisplayFailureGuard()
    : previous_(qInstallMessageHandler(ExitOnDisplayFailure)) {}

TDisplayFailureGuard::~TDisplayFailureGuard() {
    qInstallMessageHandler(previous_);
}
