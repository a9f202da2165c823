#include "USafeFileWriter.h"

#include "UFileNames.h"
#include "UTemporaryFiles.h"
#include "UWriteTarget.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int TFileWriteSeam::CreateTemporary(std::string& pattern) {
    return ::mkostemp(pattern.data(), O_CLOEXEC);
}

int TFileWriteSeam::OpenInPlace(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
}

ssize_t TFileWriteSeam::Write(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

int TFileWriteSeam::Sync(int fd) {
    return ::fsync(fd);
}

int TFileWriteSeam::SetOwner(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
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

int TFileWriteSeam::CheckWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK);
}

void TFileWriteSeam::ClearStaleTemporaries(const std::string& path) {
    const std::string folder = ExtractFilePath(path);
    if (clearedFolders_.insert(folder).second) {
        RemoveStaleTemporaries(path);
    }
}

TFileWriteSeam& DefaultFileWriteSeam() {
    static TFileWriteSeam seam;
    return seam;
}

namespace {

constexpr mode_t NewFileMode = 0666;
constexpr mode_t PermissionBits = 0777;
// A temporary file that another save cleared away before it was marked as in
// use is made again under a new name; a few tries are plenty.
constexpr int CreateAttempts = 8;

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

TWriteResult UntrustedLink(const std::string& link) {
    return TWriteResult{TWriteStage::Refused,
                        "\"" + link +
                            "\" is a link in a folder that all users share, made neither by you "
                            "nor by the folder's owner; it was not followed"};
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

// Why no file can take the place of the target; sets `mode` to the
// permissions the new file gets.
TWriteResult CheckTarget(TFileWriteSeam& seam, const TWriteTarget& target, mode_t& mode) {
    if (!target.Exists) {
        mode = NewFileMode & ~CurrentUmask();
        return TWriteResult{};
    }
    if (S_ISDIR(target.Info.st_mode)) {
        return Failure(TWriteStage::Create, EISDIR);
    }
    // A device such as /dev/null would be replaced by a plain file.
    if (!S_ISREG(target.Info.st_mode)) {
        return TWriteResult{TWriteStage::Refused, "\"" + target.Path + "\" is not a regular file"};
    }
    // A write-protected file stays protected, although the folder would let
    // a new file take its place.
    if (seam.CheckWritable(target.Path) != 0) {
        return Failure(TWriteStage::Create, errno);
    }
    mode = target.Info.st_mode & PermissionBits;
    return TWriteResult{};
}

// Not atomic: a failure half-way leaves the file incomplete. Used only where
// the alternative is not saving at all, or handing the file to another owner.
TWriteResult WriteInPlace(TFileWriteSeam& seam, const std::string& path,
                          const std::string& content) {
    const int fd = seam.OpenInPlace(path);
    if (fd < 0) {
        return Failure(TWriteStage::Create, errno);
    }
    const int error = WriteSyncAndClose(seam, fd, content);
    return error == 0 ? TWriteResult{} : Failure(TWriteStage::Write, error);
}

// A folder whose permissions refuse a new file may still let the user
// write the file that is there.
bool FolderRefuses(int error) {
    return error == EACCES || error == EPERM;
}

// -1 with errno set when no temporary file could be made.
int CreateMarkedTemporary(TFileWriteSeam& seam, const std::string& pattern,
                          std::string& temporary) {
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        temporary = pattern;
        const int fd = seam.CreateTemporary(temporary);
        if (fd < 0 || MarkTemporaryInUse(fd, temporary)) {
            return fd;
        }
        seam.Close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// The replaced file's owner and group go to the new one. Where the system
// refuses (a user saving a file that another owns, or whose group the user is
// not in), a new file would change hands and could lock its owner out of it;
// the caller then writes in place, which keeps both, at the cost of the
// atomic replace.
bool KeepOwner(TFileWriteSeam& seam, int fd, const TWriteTarget& target) {
    return !target.Exists || seam.SetOwner(fd, target.Info.st_uid, target.Info.st_gid) == 0;
}

TWriteResult ReplaceWithTemporary(TFileWriteSeam& seam, int fd, const std::string& temporary,
                                  const std::string& target, const std::string& content) {
    // The lock that marks the temporary file as in use lasts while a
    // descriptor of it is open: this one keeps it until the file is in place.
    const int lock = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    int error = WriteSyncAndClose(seam, fd, content);
    if (error == 0 && seam.Replace(temporary, target) != 0) {
        error = errno;
    }
    if (error != 0) {
        seam.Remove(temporary);
    }
    if (lock >= 0) {
        ::close(lock);
    }
    return error == 0 ? TWriteResult{} : Failure(TWriteStage::Write, error);
}

} // namespace

TWriteResult WriteFileSafely(const std::string& path, const std::string& content,
                             TFileWriteSeam& seam) {
    if (path.empty()) {
        return Failure(TWriteStage::Create, ENOENT);
    }
    TWriteTarget target;
    if (const int error = ResolveWriteTarget(path, target)) {
        return target.RefusedLink.empty() ? Failure(TWriteStage::Create, error)
                                          : UntrustedLink(target.RefusedLink);
    }
    mode_t mode = 0;
    if (TWriteResult refused = CheckTarget(seam, target, mode); !refused.Succeeded()) {
        return refused;
    }
    seam.ClearStaleTemporaries(target.Path);
    std::string temporary;
    const int fd = CreateMarkedTemporary(seam, TemporaryPattern(target.Path), temporary);
    if (fd < 0) {
        const int error = errno;
        return target.Exists && FolderRefuses(error) ? WriteInPlace(seam, target.Path, content)
                                                     : Failure(TWriteStage::Create, error);
    }
    if (!KeepOwner(seam, fd, target)) {
        seam.Close(fd);
        seam.Remove(temporary);
        return WriteInPlace(seam, target.Path, content);
    }
    // Some file systems keep no permission bits; the content matters more.
    seam.SetMode(fd, mode);
    return ReplaceWithTemporary(seam, fd, temporary, target.Path, content);
}
