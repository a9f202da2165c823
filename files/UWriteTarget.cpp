#include "UWriteTarget.h"

#include "UFileNames.h"

#include <cerrno>
#include <climits>
#include <unistd.h>
#include <utility>

namespace {

// As many links in a row as the system itself follows.
constexpr int MaxLinksFollowed = 40;

// The text of the link at `path`, taken relative to the link's own folder.
int FollowLink(const std::string& path, std::string& next) {
    char text[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    if (length < 0) {
        return errno;
    }
    if (static_cast<std::size_t>(length) == sizeof text) {
        return ENAMETOOLONG;
    }
    next.assign(text, static_cast<std::size_t>(length));
    if (next.front() != '/') {
        next = ExtractFilePath(path) + next;
    }
    return 0;
}

bool InSharedFolder(const struct stat& folder) {
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

// The kernel follows a link in a sticky folder that everyone may write (such
// as /tmp) only when the follower or the folder's owner made it; a writer
// that follows links itself has to keep that rule, or a link planted there
// by another user would redirect the save to any file the saver may write.
bool MayFollow(const std::string& link, const struct stat& linkInfo) {
    const std::string folderName = ExtractFilePath(link);
    struct stat folder {};
    if (::stat(folderName.empty() ? "." : folderName.c_str(), &folder) != 0) {
        return false;
    }
    return !InSharedFolder(folder) || linkInfo.st_uid == ::geteuid() ||
           linkInfo.st_uid == folder.st_uid;
}

} // namespace

int ResolveWriteTarget(const std::string& path, TWriteTarget& target) {
    target.Path = path;
    for (int followed = 0; followed <= MaxLinksFollowed; ++followed) {
        if (::lstat(target.Path.c_str(), &target.Info) != 0) {
            target.Exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(target.Info.st_mode)) {
            target.Exists = true;
            return 0;
        }
        if (!MayFollow(target.Path, target.Info)) {
            target.RefusedLink = target.Path;
            return EACCES;
        }
        std::string next;
        if (const int error = FollowLink(target.Path, next)) {
            return error;
        }
        target.Path = std::move(next);
    }
    return ELOOP;
}
