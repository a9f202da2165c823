// Unsaved work: what the window knows about changes that no file holds yet,
// the question before the program ends, and the caption that names the
// data sets' file with Qt's mark of unsaved changes.
#pragma once

#include "UCalculation.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QWidget;
class TInputPage;
class TUndoCommands;
class TUserDialogs;

inline const char* const UnsavedWorkQuestion =
    "The data sets were changed and are not saved. Save them before ending?";

// The caption once the data sets have a file: its name, Qt's mark of unsaved
// changes and the program.
QString MainCaptionFor(const std::string& fileName);

class TUnsavedWork : public QObject {
public:
    // `window` carries the caption.
    TUnsavedWork(QWidget& window, TInputPage& input, TUndoCommands& undo, TUserDialogs& dialogs);

    // The table, the count, a site constant or the option changed since the
    // data sets were last saved or opened (since start: anything typed).
    bool HasUnsavedWork() const;
    // Asks what becomes of unsaved work before the program ends: true when
    // it may end (nothing unsaved, Discard, or Save and saved).
    bool ReadyToEnd();

    // Records a command that may save or open the data sets as one undo
    // step; once it has (MarkSettled), the work counts as saved, also when a
    // later step of it failed.
    void RecordSettling(const std::function<QString()>& name, const std::function<void()>& action);
    // The command running has written or read the data sets' file.
    void MarkSettled() { settled_ = true; }
    // "Save - calculate", recorded.
    void SaveCalculateRecorded();

private:
    void WorkSettled();
    void ShowUnsavedMark();
    bool FieldTypedNotLeft() const;
    bool SaveBeforeEnding();
    void LeaveTypedFields();

    QWidget& window_;
    TInputPage& input_;
    TUndoCommands& undo_;
    TUserDialogs& dialogs_;
    bool settled_ = false;
    // The option of the last save or open.
    TCalculationOption settledOption_ = TCalculationOption::OverEntireSoilDepth;
    // The question about unsaved work is open.
    bool askingToEnd_ = false;
};
