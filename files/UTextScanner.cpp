#include "UTextScanner.h"

#include "UFloatMath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t BufferSize = 64 * 1024;
constexpr int LineFeed = '\n';
constexpr int CarriageReturn = '\r';

bool IsLineEnd(int c) {
    return c == LineFeed || c == CarriageReturn;
}

// Blanks and control characters separate numbers; so does the end of a line.
bool IsSeparator(int c) {
    return (c >= 0 && c <= ' ') || c == 0x7F;
}

int OpenRegularFile(const std::string& path) {
    // Non-blocking, so that opening a named pipe cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TTextScanner::TTextScanner(const std::string& path)
    : path_(path), fd_(OpenRegularFile(path)), buffer_(BufferSize) {}

TTextScanner::~TTextScanner() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void TTextScanner::Fill() {
    position_ = 0;
    filled_ = 0;
    while (!ended_) {
        const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
        if (count > 0) {
            filled_ = static_cast<std::size_t>(count);
            return;
        }
        if (count == 0) {
            ended_ = true;
        } else if (errno != EINTR) {
            throw EInOutError("The file \"" + path_ +
                              "\" could not be read: " + std::strerror(errno));
        }
    }
}

int TTextScanner::Peek() {
    if (position_ == filled_) {
        Fill();
        if (filled_ == 0) {
            return -1;
        }
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

void TTextScanner::Advance() {
    if (buffer_[position_] == LineFeed) {
        ++lineNumber_;
    }
    ++position_;
}

bool TTextScanner::AtEnd() {
    return Peek() < 0;
}

void TTextScanner::SkipLine() {
    for (int c = Peek(); c >= 0; c = Peek()) {
        Advance();
        if (c == LineFeed) {
            return;
        }
    }
}

std::string TTextScanner::TakeLinePrefix(std::size_t count) {
    std::string prefix;
    for (int c = Peek(); prefix.size() < count && c >= 0 && !IsLineEnd(c); c = Peek()) {
        prefix.push_back(static_cast<char>(c));
        Advance();
    }
    return prefix;
}

bool TTextScanner::TakeToken(std::string& token, std::size_t maxLength) {
    return TakeToken(token, maxLength, true);
}

bool TTextScanner::TakeTokenOnLine(std::string& token, std::size_t maxLength) {
    return TakeToken(token, maxLength, false);
}

bool TTextScanner::TakeToken(std::string& token, std::size_t maxLength, bool acrossLines) {
    token.clear();
    int c = Peek();
    while (c >= 0 && IsSeparator(c) && (acrossLines || c != LineFeed)) {
        Advance();
        c = Peek();
    }
    if (c < 0 || IsSeparator(c)) {
        return false;
    }
    while (token.size() < maxLength && c >= 0 && !IsSeparator(c)) {
        token.push_back(static_cast<char>(c));
        Advance();
        c = Peek();
    }
    return true;
}

void TTextScanner::SkipDigits() {
    for (int c = Peek(); c >= '0' && c <= '9'; c = Peek()) {
        Advance();
    }
}

bool TTextScanner::ReadLine(std::string& line, std::size_t maxLength) {
    line.clear();
    int c = Peek();
    if (c < 0) {
        return false;
    }
    for (; c >= 0 && c != LineFeed && line.size() <= maxLength; c = Peek()) {
        line.push_back(static_cast<char>(c));
        Advance();
    }
    if (c == LineFeed && line.size() <= maxLength) {
        Advance();
        if (!line.empty() && line.back() == CarriageReturn) {
            line.pop_back();
        }
    }
    return true;
}
