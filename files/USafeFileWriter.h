// Files are written whole or not at all where the folder allows it: the bytes
// go to a temporary file beside the target, which then replaces it, so a
// failed write leaves an earlier file byte-identical and never a half-written
// one. A symbolic link is followed and stays a link (in a sticky folder that
// everyone may write, only one that the saver or the folder's owner made);
// the replaced file keeps its permission bits, owner and group. Where the folder takes no new file
// but the file itself may be written, or where its owner and group could not
// be kept on a new file, the file is written in place: not atomic, but saved.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls a safe write goes through. Tests derive from it to make a
// write fail at any byte or at the final replace.
class TFileWriteSeam {
public:
    virtual ~TFileWriteSeam() = default;
    // Creates a new temporary file from `pattern` (ending in "XXXXXX", which is
    // replaced in place) and returns its descriptor, or -1 with errno set.
    virtual int CreateTemporary(std::string& pattern);
    // Opens the existing file `path` for writing it in place, emptied.
    virtual int OpenInPlace(const std::string& path);
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
    // Makes the written bytes durable before the file is put in place.
    virtual int Sync(int fd);
    // Gives the temporary file the owner and group of the file it replaces.
    virtual int SetOwner(int fd, uid_t owner, gid_t group);
    // Gives the temporary file the permission bits the finished file is to have.
    virtual int SetMode(int fd, mode_t mode);
    virtual int Close(int fd);
    // Puts `from` in the place of `to` in one step.
    virtual int Replace(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    // 0 when the calling user may write the existing file `path`.
    virtual int CheckWritable(const std::string& path);
    // Clears away the temporary files that killed saves left in the folder of
    // `path`, once per folder for the life of the seam: a batch of saves into
    // one folder reads it once, not once per file.
    virtual void ClearStaleTemporaries(const std::string& path);

private:
    std::set<std::string> clearedFolders_;
};

TFileWriteSeam& DefaultFileWriteSeam();

enum class TWriteStage {
    Done,
    // The file could not be created: the folder is missing, read-only, or
    // the name is not allowed there.
    Create,
    // Writing the bytes or putting the file in place failed.
    Write,
    // The name leads to something that is no regular file (a device, a
    // pipe), which a save must not replace, or through a link that another
    // user may have planted in a shared folder; nothing was written.
    Refused,
};

struct TWriteResult {
    TWriteStage Stage = TWriteStage::Done;
    // The system's reason, for instance "No space left on device".
    std::string Reason;
    bool Succeeded() const { return Stage == TWriteStage::Done; }
};

TWriteResult WriteFileSafely(const std::string& path, const std::string& content,
                             TFileWriteSeam& seam = DefaultFileWriteSeam());
