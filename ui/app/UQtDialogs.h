// The program's dialogs as a person sees them: Qt message boxes and file
// dialogs behind the interface the commands use.
#pragma once

#include "UUserDialogs.h"

#include <QString>

// The caption of every plain message box and of the error box.
inline const char* const ApplicationTitle = "Subsurface drainage by pipes or open ditches";

// "Input files (*.inp)|*.inp" as Qt's "Input files (*.inp)"; several pairs
// become several filters.
QString QtNameFilters(const std::string& filter);

class TQtDialogs : public TUserDialogs {
public:
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> AskOpenFileName(const TFileDialogOptions& options) override;
    std::optional<std::string> AskSaveFileName(const TFileDialogOptions& options) override;
    TUnsavedChoice AskSaveDiscardCancel(const std::string& question) override;
};
