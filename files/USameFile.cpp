#include "USameFile.h"

#include "UFileNames.h"
#include "UWriteTarget.h"

#include <sys/stat.h>

namespace {

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool FolderInfo(const std::string& path, struct stat& info) {
    const std::string folder = ExtractFilePath(path);
    return ::stat(folder.empty() ? "." : folder.c_str(), &info) == 0;
}

// Two names of files yet to be made: the same entry of the same folder.
bool SameNewFile(const TWriteTarget& a, const TWriteTarget& b) {
    struct stat folderA {};
    struct stat folderB {};
    return FolderInfo(a.Path, folderA) && FolderInfo(b.Path, folderB) &&
           SameInode(folderA, folderB) &&
           a.Path.substr(ExtractFilePath(a.Path).size()) ==
               b.Path.substr(ExtractFilePath(b.Path).size());
}

} // namespace

bool LeadToSameFile(const std::string& first, const std::string& second) {
    TWriteTarget a;
    TWriteTarget b;
    // A name that cannot be followed is refused by the writer itself.
    if (ResolveWriteTarget(first, a) != 0 || ResolveWriteTarget(second, b) != 0 ||
        a.Exists != b.Exists) {
        return false;
    }
    return a.Exists ? SameInode(a.Info, b.Info) : SameNewFile(a, b);
}

std::string SameFileMessage(const std::string& inputName, const std::string& outputName) {
    return "The input file \"" + inputName + "\" and the output file \"" + outputName +
           "\" are one and the same file (through a link); nothing was written, so that the "
           "input file is kept.";
}
