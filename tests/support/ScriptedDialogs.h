// A stand-in for the program's dialogs in tests: records every message and
// question and answers from queues the test fills beforehand. An unexpected
// question fails the test and is answered No (or Cancel for a file dialog
// and for the question about unsaved work);
// an error box that the test never takes fails it in the window fixture.
// The real boxes and file dialogs: tests/e2e/case_save_calculate_typed_table.py,
// case_quoted_names.py and case_tab_leaves_grid_for_count_field.py; the
// question about unsaved work: case_unsaved_value_is_asked_about_on_every_way_out.py.
#pragma once

#include "UUserDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class TScriptedDialogs : public TUserDialogs {
public:
    // What the program told the user, in order.
    std::vector<std::string> Messages;
    std::vector<std::string> Errors;
    std::vector<std::string> Questions;
    std::vector<TFileDialogOptions> OpenDialogs;
    std::vector<TFileDialogOptions> SaveDialogs;

    // Scripted answers, taken from the front; nothing in a file-name queue
    // entry means the user cancels.
    std::deque<bool> YesNoAnswers;
    std::deque<std::optional<std::string>> OpenFileNames;
    std::deque<std::optional<std::string>> SaveFileNames;
    std::deque<TUnsavedChoice> UnsavedAnswers;

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }

    bool AskYesNo(const std::string& question) override {
        Questions.push_back(question);
        if (YesNoAnswers.empty()) {
            ADD_FAILURE() << "Unexpected question: " << question;
            return false;
        }
        const bool answer = YesNoAnswers.front();
        YesNoAnswers.pop_front();
        return answer;
    }

    // An unexpected one is answered Cancel, which keeps the work.
    TUnsavedChoice AskSaveDiscardCancel(const std::string& question) override {
        Questions.push_back(question);
        if (UnsavedAnswers.empty()) {
            ADD_FAILURE() << "Unexpected question: " << question;
            return TUnsavedChoice::Cancel;
        }
        const TUnsavedChoice answer = UnsavedAnswers.front();
        UnsavedAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> AskOpenFileName(const TFileDialogOptions& options) override {
        OpenDialogs.push_back(options);
        return NextFileName(OpenFileNames, "open");
    }

    std::optional<std::string> AskSaveFileName(const TFileDialogOptions& options) override {
        SaveDialogs.push_back(options);
        return NextFileName(SaveFileNames, "save");
    }

    // The error boxes shown so far, which the test thereby expected.
    std::vector<std::string> TakeErrors() {
        std::vector<std::string> taken;
        taken.swap(Errors);
        return taken;
    }

    // Everything shown, messages and errors alike, counted together.
    std::size_t ShownCount() const { return Messages.size() + Errors.size(); }

private:
    static std::optional<std::string> NextFileName(std::deque<std::optional<std::string>>& queue,
                                                   const char* kind) {
        if (queue.empty()) {
            ADD_FAILURE() << "Unexpected " << kind << " file dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
