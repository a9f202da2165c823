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
};

// Follows the links of `path` (a link may name a file that does not exist
// yet, which the save then creates). 0 and `target` filled, or an errno value:
// ELOOP for a ring of links.
int ResolveWriteTarget(const std::string& path, TWriteTarget& target);
