// Whether two file names lead to one file: an input and an output file that
// are one (through a symbolic or a hard link) would have the output written
// over the input it was calculated from.
#pragma once

#include <string>

// True when writing `second` would write the file that `first` names: after
// their symbolic links both are the same file (device and inode, which a hard
// link shares), or, where no file is yet, the same name in the same folder.
bool LeadToSameFile(const std::string& first, const std::string& second);

// Why neither file was written when the input and output file are one.
std::string SameFileMessage(const std::string& inputName, const std::string& outputName);
