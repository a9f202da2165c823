// The file a save really writes: a symbolic link is followed to the file it
// names, so that the link stays and its target gets the new content.
#pragma once

#include <string>
#include <sys/stat.h>

struct TWriteTarget {
    // The path with every symbolic link of its last component followed.
    std::string Path;
    // Whether a file is there now, and if so what it is.
    bool Exists = false;
    struct stat Info {};
    // The link that was not followed because another user may have planted
    // it in a folder shared by all (see ResolveWriteTarget).
    std::string RefusedLink;
};

// Follows the links of `path` (a link may name a file that does not exist
// yet, which the save then creates). 0 and `target` filled, or an errno value:
// ELOOP for a ring of links; EACCES with RefusedLink set for a link in a
// sticky folder that everyone may write, made neither by the process's
// effective user nor by the folder's owner.
int ResolveWriteTarget(const std::string& path, TWriteTarget& target);
