#include "UFileNames.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr char PathSeparator = '/';

// Start of the last path component: a dot in a folder name is no extension.
std::size_t LastComponentStart(const std::string& fileName) {
    const std::size_t separator = fileName.rfind(PathSeparator);
    return separator == std::string::npos ? 0 : separator + 1;
}

// Letter case by ASCII alone: the process locale (Turkish, for one) must not
// decide whether ".INP" is an input file.
bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

char AsciiLower(char c) {
    return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    const std::size_t componentStart = LastComponentStart(fileName);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot < componentStart) {
        return fileName + extension;
    }
    return fileName.substr(0, dot) + extension;
}

std::string ChangeDataFileExt(const std::string& fileName, const std::string& extension) {
    std::string changed = ChangeFileExt(fileName, extension);
    if (DataFileKindOf(fileName) == TDataFileKind::Other || changed.size() != fileName.size()) {
        return changed;
    }
    for (std::size_t i = changed.size() - extension.size(); i < changed.size(); ++i) {
        if (IsAsciiUpper(fileName[i])) {
            changed[i] = static_cast<char>(changed[i] - 'a' + 'A');
        }
    }
    return changed;
}

std::string ExtractFilePath(const std::string& fileName) {
    return fileName.substr(0, LastComponentStart(fileName));
}

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return !fileName.empty() && std::filesystem::is_regular_file(fileName, error);
}

std::string PathOnOneLine(std::string fileName) {
    for (char& c : fileName) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
            c = ' ';
        }
    }
    return fileName;
}

TDataFileKind DataFileKindOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot < LastComponentStart(fileName)) {
        return TDataFileKind::Other;
    }
    std::string extension = fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    if (extension == ".inp") {
        return TDataFileKind::Input;
    }
    return extension == ".out" ? TDataFileKind::Output : TDataFileKind::Other;
}
