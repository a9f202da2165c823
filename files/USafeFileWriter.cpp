#include "USafeFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int TFileWriteSeam::CreateTemporary(std::string& pattern) {
    return ::mkostemp(pattern.data(), O_CLOEXEC);
}

ssize_t TFileWriteSeam::Write(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

int TFileWriteSeam::Sync(int fd) {
    return ::fsync(fd);
}

int TFileWriteSeam::SetMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int TFileWriteSeam::Close(int fd) {
    return ::close(fd);
}

int TFileWriteSeam::Replace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

int TFileWriteSeam::Remove(const std::string& path) {
    return ::unlink(path.c_str());
}

int TFileWriteSeam::Status(const std::string& path, struct stat& info) {
    return ::stat(path.c_str(), &info);
}

int TFileWriteSeam::CheckWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK);
}

TFileWriteSeam& DefaultFileWriteSeam() {
    static TFileWriteSeam seam;
    return seam;
}

namespace {

// Leaves room for the dot, the suffix and a terminating byte in a name of at
// most 255 bytes.
constexpr std::size_t MaxNameInPattern = 240;
constexpr mode_t NewFileMode = 0666;
constexpr mode_t PermissionBits = 0777;

std::size_t NameStart(const std::string& path) {
    const std::size_t separator = path.rfind('/');
    return separator == std::string::npos ? 0 : separator + 1;
}

// A hidden name in the target's own folder, so that the final rename never
// crosses a file system.
std::string TemporaryPattern(const std::string& path) {
    const std::size_t nameStart = NameStart(path);
    const std::string name = path.substr(nameStart, MaxNameInPattern);
    return path.substr(0, nameStart) + "." + name + ".XXXXXX";
}

// Read from /proc so that the process-wide mask never changes, not even for a
// moment; where /proc is missing, set it and put it back.
mode_t CurrentUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status)) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
        if (found) {
            return static_cast<mode_t>(mask);
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

TWriteResult Failure(TWriteStage stage, int error) {
    return TWriteResult{stage, std::strerror(error)};
}

// Writes every byte, going on after short writes and interruptions; false with
// errno set when the system refuses.
bool WriteAll(TFileWriteSeam& seam, int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = seam.Write(fd, content.data() + written, content.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            errno = count == 0 ? EIO : errno;
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// The descriptor is closed whatever happens; the result is the first error.
int WriteSyncAndClose(TFileWriteSeam& seam, int fd, const std::string& content) {
    int error = 0;
    if (!WriteAll(seam, fd, content) || seam.Sync(fd) != 0) {
        error = errno;
    }
    if (seam.Close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Why a file cannot take the place of `path`, as an errno value, or 0; sets
// `mode` to the permissions the new file gets.
int CheckTarget(TFileWriteSeam& seam, const std::string& path, mode_t& mode) {
    if (path.empty()) {
        return ENOENT;
    }
    struct stat info {};
    if (seam.Status(path, info) != 0) {
        mode = NewFileMode & ~CurrentUmask();
        return 0;
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    // A write-protected file stays protected, although the folder would let
    // a new file take its place.
    if (seam.CheckWritable(path) != 0) {
        return errno;
    }
    mode = info.st_mode & PermissionBits;
    return 0;
}

} // namespace

TWriteResult WriteFileSafely(const std::string& path, const std::string& content,
                             TFileWriteSeam& seam) {
    mode_t mode = 0;
    if (const int error = CheckTarget(seam, path, mode)) {
        return Failure(TWriteStage::Create, error);
    }
    std::string temporary = TemporaryPattern(path);
    const int fd = seam.CreateTemporary(temporary);
    if (fd < 0) {
        return Failure(TWriteStage::Create, errno);
    }
    // Some file systems keep no permission bits; the content matters more.
    seam.SetMode(fd, mode);
    int error = WriteSyncAndClose(seam, fd, content);
    if (error == 0 && seam.Replace(temporary, path) != 0) {
        error = errno;
    }
    if (error != 0) {
        seam.Remove(temporary);
        return Failure(TWriteStage::Write, error);
    }
    return TWriteResult{};
}
