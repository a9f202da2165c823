#include "UStandardOutput.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool IsOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

// Opens /dev/null on the closed descriptor `fd`; the lowest free number is
// the one wanted when the lower ones are open, and dup2 covers the rest.
void OpenStandIn(int fd) {
    const int standIn = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (standIn >= 0 && standIn != fd) {
        ::dup2(standIn, fd);
        ::close(standIn);
    }
}

} // namespace

TStandardOutput::TStandardOutput() {
    // A reader that goes away (the end of a pipe closed by `head`) makes a
    // failed print, told and counted like a full disk, not the end of the
    // run: every remaining file is still calculated and written.
    std::signal(SIGPIPE, SIG_IGN);
    const bool outputOpen = IsOpen(STDOUT_FILENO);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (!IsOpen(fd)) {
            OpenStandIn(fd);
        }
    }
    if (!outputOpen) {
        failure_ = std::strerror(EBADF);
    }
}

bool TStandardOutput::Print(const std::string& text) {
    std::size_t written = 0;
    while (!Failed() && written < text.size()) {
        const ssize_t count = ::write(STDOUT_FILENO, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            failure_ = std::strerror(count == 0 ? EIO : errno);
        } else {
            written += static_cast<std::size_t>(count);
        }
    }
    return !Failed();
}
