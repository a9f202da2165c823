// The dialogs of the command-line companion: what the window would show in a
// box goes to standard error, prefixed with the program and the file at hand
// and ended with a full stop as in the window's error box;
// questions are answered No and file dialogs cancelled, so nothing is ever
// overwritten or chosen without the user.
#pragma once

#include "UUserDialogs.h"

#include <ostream>
#include <string>

class TConsoleDialogs : public TUserDialogs {
public:
    explicit TConsoleDialogs(std::ostream& errors) : errors_(errors) {}

    // The file named in front of every message that follows.
    void SetCurrentFile(const std::string& file) {
        currentFile_ = file;
        told_.clear();
    }
    // What was told about the current file, the messages joined by a blank.
    const std::string& ToldAboutCurrentFile() const { return told_; }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions& options) override;
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions& options) override;

private:
    void Tell(const std::string& text);

    std::ostream& errors_;
    std::string currentFile_;
    std::string told_;
};
