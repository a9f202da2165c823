#include "UConsoleDialogs.h"

#include "UMessageText.h"
#include "UPrintableText.h"

void TConsoleDialogs::Tell(const std::string& text) {
    const std::string message = WithFullStop(text);
    // A name or a message may carry control characters that a terminal
    // would obey; they are shown, escaped.
    const std::string file = currentFile_.empty() ? "" : EscapeControls(currentFile_) + ": ";
    errors_ << "soravik-calc: " << file << EscapeControls(message) << '\n';
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
