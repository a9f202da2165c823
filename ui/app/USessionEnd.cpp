#include "USessionEnd.h"

#include "UMainForm.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace {

// Without leave to ask there is no one to choose a file name, and a logout
// must not be stopped without the user: the session ends as it would have.
void AnswerSessionEnd(TMainForm& form, QSessionManager& manager) {
    if (!form.HasUnsavedWork() || !manager.allowsInteraction()) {
        return;
    }
    if (form.ReadyToEnd()) {
        manager.release();
    } else {
        manager.cancel();
    }
}

} // namespace

void InstallSessionEnd(QGuiApplication& application, TMainForm& form) {
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager& manager) {
                         // Whatever went wrong, the work stays and so does the session.
                         try {
                             AnswerSessionEnd(form, manager);
                         } catch (...) {
                             manager.cancel();
                         }
                     });
}
