#include "UUserDialogs.h"

TUnsavedChoice TUserDialogs::AskSaveDiscardCancel(const std::string&) {
    return TUnsavedChoice::Cancel;
}

void Tell(TUserDialogs& dialogs, const std::optional<TFileMessage>& message) {
    if (!message) {
        return;
    }
    if (message->IsError) {
        dialogs.ShowError(message->Text);
    } else {
        dialogs.ShowMessage(message->Text);
    }
}
