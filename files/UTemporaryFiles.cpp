#include "UTemporaryFiles.h"

#include "UFileNames.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The marker makes the names the program's own: a user's ".field.out.backup"
// never matches. A name of up to 255 bytes keeps room for the dot, the
// marker, the random part and a terminating byte.
const std::string Marker = ".soravik-";
constexpr std::size_t RandomLength = 6;
constexpr std::size_t MaxNameInPattern = 230;

std::string TemporaryPrefix(const std::string& path) {
    return "." + path.substr(ExtractFilePath(path).size(), MaxNameInPattern) + Marker;
}

bool IsRandomPart(const std::string& text) {
    if (text.size() != RandomLength) {
        return false;
    }
    for (const char c : text) {
        const bool alphanumeric =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

// ".NAME.soravik-XXXXXX" for any NAME: the temporary file of any target.
bool IsTemporaryName(const std::string& name) {
    const std::size_t tail = Marker.size() + RandomLength;
    return name.size() > tail && name.front() == '.' &&
           name.compare(name.size() - tail, Marker.size(), Marker) == 0 &&
           IsRandomPart(name.substr(name.size() - RandomLength));
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Still the file of that name: no stale-file clearing removed it in between.
bool StillNamed(int fd, const std::string& name) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(name.c_str(), &named) == 0 && SameFile(open, named);
}

int LockWaiting(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result;
}

// Removed only while its lock is held, so never under a writer's hands.
void RemoveIfStale(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        StillNamed(fd, name)) {
        ::unlink(name.c_str());
    }
    ::close(fd);
}

} // namespace

std::string TemporaryPattern(const std::string& path) {
    return ExtractFilePath(path) + TemporaryPrefix(path) + std::string(RandomLength, 'X');
}

bool MarkTemporaryInUse(int fd, const std::string& name) {
    // Where the file system has no such locks, no stale-file clearing can
    // take one either, and so none removes the file.
    if (LockWaiting(fd) != 0) {
        return true;
    }
    return StillNamed(fd, name);
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = ExtractFilePath(path);
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(
        ::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!entries) {
        return;
    }
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string name = entry->d_name;
        if (IsTemporaryName(name)) {
            RemoveIfStale(folder + name);
        }
    }
}
