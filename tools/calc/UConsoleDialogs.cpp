#include "UConsoleDialogs.h"

#include "UMessageText.h"

void TConsoleDialogs::Tell(const std::string& text) {
    errors_ << "soravik-calc: " << currentFile_ << ": " << WithFullStop(text) << '\n';
}

void TConsoleDialogs::ShowMessage(const std::string& text) {
    Tell(text);
}

void TConsoleDialogs::ShowError(const std::string& text) {
    Tell(text);
}

bool TConsoleDialogs::AskYesNo(const std::string& question) {
    Tell(question + " (answered No)");
    return false;
}

std::optional<std::string> TConsoleDialogs::AskOpenFileName(const TFileDialogOptions&) {
    return std::nullopt;
}

std::optional<std::string> TConsoleDialogs::AskSaveFileName(const TFileDialogOptions&) {
    return std::nullopt;
}
