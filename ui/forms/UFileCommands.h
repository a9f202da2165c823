// Open-input, Save-calculate and Open-output: the roads between the Input
// and Output pages, the data files and the calculation, whose results go to
// the results object that the Output, Report and Design pages show.
#pragma once

#include "UFitStatistics.h"
#include "UMemoryBudget.h"

#include <string>

class QTabWidget;
class TBaseForm;
class TInputPage;
class TOutputPage;
class TResults;
class TUnsavedWork;
class TUserDialogs;
struct TMainFormFileDialogs;

// What the commands act on: the pages and the window's dialogs.
struct TFileCommandPages {
    QTabWidget* Pages = nullptr;
    TInputPage* Input = nullptr;
    TOutputPage* Output = nullptr;
    TMainFormFileDialogs* FileDialogs = nullptr;
    // Set when the save dialog of the last Save-calculate was cancelled.
    bool* SaveCancelled = nullptr;
};

class TFileCommands {
public:
    // `window` shows the status texts; `memory` follows the window's probe,
    // which may be replaced.
    TFileCommands(TBaseForm& window, TUserDialogs& dialogs, const TMemoryProbe* const& memory,
                  const TFileCommandPages& pages, TResults& results, TUnsavedWork& work);

    void InputOpenExecute();
    bool AskInputFileName();
    void InputSaveExecute();
    void OutputOpenExecute();
    void Calculate();
    // Their steps after the file dialog, for a file named by other means,
    // each recorded as one undo step.
    void OpenInputFile(const std::string& fileName);
    void OpenOutputFile(const std::string& fileName);

private:
    void ShowChosenInputFile(const std::string& fileName);
    void ShowChosenOutputFile(const std::string& fileName);
    bool TakeChosenFileName(const std::string& fileName);
    void ShowInputFileRead();
    bool ReadInputFileOfChosenOutput();
    void ShowResults(TSharedFit fit);

    TBaseForm& window_;
    TUserDialogs& dialogs_;
    const TMemoryProbe* const& memory_;
    TFileCommandPages pages_;
    TResults& results_;
    TUnsavedWork& work_;
};
