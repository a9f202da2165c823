#include "UTableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <system_error>

namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~TFileDescriptor() {
        if (descriptor_ >= 0) {
            close(descriptor_);
        }
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return descriptor_; }

private:
    int descriptor_;
};

TTableFile Fault(TTableFileFault fault, int error = 0) {
    TTableFile file;
    file.Fault = fault;
    if (error != 0) {
        file.Cause = std::generic_category().message(error);
    }
    return file;
}

TTableFile FaultOfErrno(int error) {
    return Fault(error == ENOENT || error == ENOTDIR ? TTableFileFault::Missing
                                                     : TTableFileFault::Unreadable,
                 error);
}

const char* KindName(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a device";
}

// Checked again on the open file: a pipe put in the file's place after the
// first look must not be read either.
std::optional<TTableFile> KindFault(const struct stat& info) {
    if (!S_ISREG(info.st_mode)) {
        TTableFile file = Fault(TTableFileFault::NotARegularFile);
        file.Cause = KindName(info.st_mode);
        return file;
    }
    if (static_cast<std::uint64_t>(info.st_size) > MaxTableFileBytes) {
        return Fault(TTableFileFault::TooLarge);
    }
    return std::nullopt;
}

TTableFile ReadOpenFile(int descriptor, std::size_t expectedBytes) {
    std::string text;
    text.reserve(expectedBytes);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Fault(TTableFileFault::Unreadable, errno);
        }
        if (got == 0) {
            break;
        }
        if (text.size() + static_cast<std::size_t>(got) > MaxTableFileBytes) {
            return Fault(TTableFileFault::TooLarge);
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    TTableFile file;
    file.Text = std::move(text);
    return file;
}

} // namespace

TTableFile ReadTableFile(const std::string& fileName) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) != 0) {
        return FaultOfErrno(errno);
    }
    if (auto fault = KindFault(info)) {
        return std::move(*fault);
    }
    const TFileDescriptor file(open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return FaultOfErrno(errno);
    }
    if (fstat(file.Get(), &info) != 0) {
        return Fault(TTableFileFault::Unreadable, errno);
    }
    if (auto fault = KindFault(info)) {
        return std::move(*fault);
    }
    return ReadOpenFile(file.Get(), static_cast<std::size_t>(info.st_size));
}

std::string TableFileFaultMessage(const std::string& fileName, const TTableFile& file) {
    std::string told;
    switch (file.Fault) {
    case TTableFileFault::Missing:
        told = "The table file " + fileName + " does not exist.";
        break;
    case TTableFileFault::NotARegularFile:
        told = fileName + " is " + file.Cause +
               ", not a file: only a table saved as a file can be imported.";
        break;
    case TTableFileFault::TooLarge:
        told = "The file " + fileName + " is larger than " +
               std::to_string(MaxTableFileBytes >> 20) +
               " MB, more than a table of data sets holds.";
        break;
    case TTableFileFault::Unreadable:
    case TTableFileFault::None:
        told = "The file " + fileName + " cannot be read" +
               (file.Cause.empty() ? std::string() : ": " + file.Cause) + ".";
        break;
    }
    return told + " The grid was not changed.";
}
