// Everything the program needs from a person goes through this interface: the
// windows implement it with modal boxes, the tests script it.
#pragma once

#include "UFileMessage.h"

#include <optional>
#include <string>

// A file dialog's settings: default extension ("inp"), filter
// ("Input files (*.inp)|*.inp"), the folder it starts in and the name it
// offers (none when empty).
struct TFileDialogOptions {
    std::string DefaultExt;
    std::string Filter;
    std::string InitialDir;
    std::string FileName = {};
};

// The answers to the question about work not yet saved.
enum class TUnsavedChoice { Save, Discard, Cancel };

class TUserDialogs {
public:
    virtual ~TUserDialogs() = default;
    // A plain message with one OK button, captioned with the application title.
    virtual void ShowMessage(const std::string& text) = 0;
    // The error box of an operation that failed: the text, with a full stop
    // added when it does not end in one.
    virtual void ShowError(const std::string& text) = 0;
    // A question captioned "Confirm" with Yes and No; true exactly on Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<std::string> AskOpenFileName(const TFileDialogOptions& options) = 0;
    virtual std::optional<std::string> AskSaveFileName(const TFileDialogOptions& options) = 0;
    // A question with Save, Discard and Cancel about work not yet saved.
    // Where no person can answer, the work is kept: Cancel.
    virtual TUnsavedChoice AskSaveDiscardCancel(const std::string& question);
};

// Shows what a file operation had to tell, in the error box or a message box;
// nothing when it had nothing to tell.
void Tell(TUserDialogs& dialogs, const std::optional<TFileMessage>& message);
