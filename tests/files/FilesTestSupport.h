// Helpers for the file tests: a temporary folder that cleans up after itself,
// whole-file reads and writes, and the worked example as a store.
#pragma once

#include "UDMTylwen.h"
#include "UFileMessage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = testing::TempDir() + "soravik-files-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
        }
        path_ = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        // Folders made read-only by a test must be writable again to go.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Folder() const { return path_; }

    // The names in the folder (or in a subfolder of it).
    std::set<std::string> Names(const std::string& subfolder = "") const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_ / subfolder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

// A failed check names the message and the box it was meant for.
inline void PrintTo(const TFileMessage& message, std::ostream* out) {
    *out << (message.IsError ? "error box: \"" : "message box: \"") << message.Text << '"';
}

// What the message box (not the error box) is to show.
inline TFileMessage Told(const std::string& text) {
    return TFileMessage{text, false};
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

// The worked example: drain depth 1.2, impermeable layer 10, spacing 30,
// radius 0.1 and three data sets in the working arrays.
inline TDMTylwen WorkedExampleStore() {
    TDMTylwen store;
    store.DrainDepth = 1.2;
    store.ImpermeableDepth = 10.0;
    store.DrainSpacing = 30.0;
    store.DrainRadius = 0.1;
    store.NrOfDataSets = 3;
    store.WorkDischarge = {5.0, 3.0, 1.5, 0.0};
    store.WorkMidway = {0.6, 0.8, 1.0, 0.0};
    store.WorkNear = {1.0, 1.1, 1.15, 0.0};
    return store;
}

constexpr uid_t Nobody = 65534;

// Runs `check` in a child process that gives up root first (for nobody, with
// no supplementary group left), so that folder and file permissions apply
// even when the tests run as root. True when the check held.
inline bool HoldsWithoutRoot(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)) {
            ::_exit(2);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
