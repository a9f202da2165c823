// The hidden temporary files a save writes beside its target before putting
// them in its place, and the clearing away of those that a save killed
// half-way left behind.
#pragma once

#include <string>

// The name pattern of a temporary file for `path`, in the same folder (so
// that the final rename never crosses a file system), ending in the six
// characters "XXXXXX" that the system replaces.
std::string TemporaryPattern(const std::string& path);

// Takes the lock that marks the temporary file `fd` as being written; it lasts
// while any descriptor of that open file remains open. False when the file
// has meanwhile been cleared away as stale, before the lock was taken.
bool MarkTemporaryInUse(int fd, const std::string& name);

// Removes the temporary files in the folder of `path`, of any target there,
// that nobody is writing: those whose lock can be taken without waiting. Files that merely look
// alike, links and files that cannot be opened are left alone.
void RemoveStaleTemporaries(const std::string& path);
