// Files are never written in place: the bytes go to a temporary file in the
// same folder, which then replaces the file of that name, so a failed write
// leaves an earlier file byte-identical and never leaves a half-written one.
#pragma once

#include <cstddef>
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
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
    // Makes the written bytes durable before the file is put in place.
    virtual int Sync(int fd);
    // Gives the temporary file the permission bits the finished file is to have.
    virtual int SetMode(int fd, mode_t mode);
    virtual int Close(int fd);
    // Puts `from` in the place of `to` in one step.
    virtual int Replace(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    // What is at `path` now: 0 and `info` filled, or -1 with errno set.
    virtual int Status(const std::string& path, struct stat& info);
    // 0 when the calling user may write the existing file `path`.
    virtual int CheckWritable(const std::string& path);
};

TFileWriteSeam& DefaultFileWriteSeam();

enum class TWriteStage {
    Done,
    // The temporary file could not be created: the folder is missing,
    // read-only, or the name is not allowed there.
    Create,
    // Writing the bytes or putting the file in place failed.
    Write,
};

struct TWriteResult {
    TWriteStage Stage = TWriteStage::Done;
    // The system's reason, for instance "No space left on device".
    std::string Reason;
    bool Succeeded() const { return Stage == TWriteStage::Done; }
};

TWriteResult WriteFileSafely(const std::string& path, const std::string& content,
                             TFileWriteSeam& seam = DefaultFileWriteSeam());
