// File-name helpers: the input and output files share a path and differ only
// in their extension.
#pragma once

#include <string>

// Replaces the extension of the last path component (the part from its last
// dot) with `extension` (".inp", ".out"); a name without one gets it appended.
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);

// The input or output file beside `fileName` (`extension` ".inp" or ".out").
// A name that already ends in one of the two, in any letter case, keeps the
// case of each letter (UP.INP and UP.OUT, Up.Inp and Up.Out): on a file
// system that tells the cases apart, UP.inp would be another file. Any other
// name is changed as by ChangeFileExt.
std::string ChangeDataFileExt(const std::string& fileName, const std::string& extension);

// The folder part of a path, ending in a path separator ("" when there is none).
std::string ExtractFilePath(const std::string& fileName);

bool FileExists(const std::string& fileName);

// The path for the first line of a file the program writes: that line only
// informs, but a line end in it (a folder named with one) would shift every
// line after it and leave the file unreadable, so each control character
// becomes a blank.
std::string PathOnOneLine(std::string fileName);

enum class TDataFileKind { Input, Output, Other };

// What a file is by its extension, ".inp" or ".out" in any letter case, as
// files come from other systems too.
TDataFileKind DataFileKindOf(const std::string& fileName);
