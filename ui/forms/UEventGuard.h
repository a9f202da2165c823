// No exception may cross into Qt's event loop: every handler runs its body
// through this guard, which ends only the handler and shows the error box.
#pragma once

#include "UUserDialogs.h"

#include <QObject>

#include <exception>

inline const char* const UnknownErrorMessage = "An unexpected error occurred";

template <typename Body> void RunGuarded(TUserDialogs& dialogs, Body&& body) {
    try {
        body();
    } catch (const std::exception& error) {
        dialogs.ShowError(error.what());
    } catch (...) {
        dialogs.ShowError(UnknownErrorMessage);
    }
}

// Runs `handler` through the guard whenever `sender` sends `signal`, for as
// long as `receiver` lives.
template <typename Sender, typename Signal, typename Handler>
void ConnectGuarded(Sender* sender, Signal signal, QObject* receiver, TUserDialogs& dialogs,
                    Handler handler) {
    QObject::connect(sender, signal, receiver,
                     [&dialogs, handler] { RunGuarded(dialogs, handler); });
}
