#include "UConsoleDialogs.h"

#include "UMessageText.h"

void TConsoleDialogs::Tell(const std::string& text) {
    const std::string message = WithFullStop(text);
    errors_ << "soravik-calc: " << currentFile_ << ": " << message << '\n';
    told_ += (told_.empty() ? "" : " ") + message;
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
