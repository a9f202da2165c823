// What every fuzz target shares: dialogs that answer without a person, a
// scratch file per process, and a check that stops the run loudly.
#pragma once

#include "UDMTylwen.h"
#include "UGridCells.h"
#include "UNumberText.h"
#include "UUserDialogs.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

// A broken invariant is a finding: libFuzzer keeps the input that caused it.
inline void Require(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

// Answers every question with a fixed choice and cancels every file dialog;
// counts what it was asked to show.
// Working slot `row` holds the numbers the grid's row shows, converted here
// on their own rather than through the code under test.
inline bool StoreHoldsGridRow(const TGridCells& grid, const TDMTylwen& store, int row) {
    const auto slot = static_cast<std::size_t>(row);
    return store.WorkDischarge[slot] == StringToFloat(grid.Cell(1, row)) &&
           store.WorkMidway[slot] == StringToFloat(grid.Cell(2, row)) &&
           store.WorkNear[slot] == StringToFloat(grid.Cell(3, row));
}

class TSilentDialogs : public TUserDialogs {
public:
    explicit TSilentDialogs(bool yes = false) : yes_(yes) {}

    void ShowMessage(const std::string&) override { ++Shown; }
    void ShowError(const std::string&) override { ++Shown; }
    bool AskYesNo(const std::string&) override {
        ++Questions;
        return yes_;
    }
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions&) override {
        return std::nullopt;
    }

    int Shown = 0;
    int Questions = 0;

private:
    bool yes_;
};

// One file per process in a folder of its own, rewritten for every input;
// the folder goes when the process ends normally. Memory-backed where the
// machine has it: a disk file system flushes a truncated file on every close.
class TScratchFile {
public:
    explicit TScratchFile(const std::string& name) {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/soravik-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        folder_ = pattern;
        path_ = folder_ + "/" + name;
    }
    ~TScratchFile() {
        ::unlink(path_.c_str());
        ::rmdir(folder_.c_str());
    }
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return path_; }

    void Write(const std::uint8_t* data, std::size_t size) const {
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        Require(fd >= 0, "scratch file opens");
        std::size_t written = 0;
        while (written < size) {
            const ssize_t count = ::write(fd, data + written, size - written);
            Require(count > 0, "scratch file takes every byte");
            written += static_cast<std::size_t>(count);
        }
        ::close(fd);
    }

private:
    std::string folder_;
    std::string path_;
};
