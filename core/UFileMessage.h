// What the file layer has to tell the user, kept as a value so that reading
// and writing files needs no dialogs: the window and soravik-calc show it.
#pragma once

#include <string>

struct TFileMessage {
    std::string Text;
    // The error box of a failed operation rather than a plain message.
    bool IsError = false;

    bool operator==(const TFileMessage& other) const {
        return Text == other.Text && IsError == other.IsError;
    }
};
