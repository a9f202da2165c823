// A fresh Input page as the paste meets it: 15 rows numbered 1 to 15 with
// blank value cells, the store counting 15 data sets.
#pragma once

#include "MemoryGrid.h"
#include "ScriptedDialogs.h"
#include "UDMTylwen.h"
#include "UPasteCells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct TRecordingCountField : TCountField {
    std::string Text = "15";
    void SetText(const std::string& text) override { Text = text; }
};

class PasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.GridRows = store.NrOfDataSets = store.RowsToFill = 15;
        SetLength(store.WorkDischarge, 16);
        SetLength(store.WorkMidway, 16);
        SetLength(store.WorkNear, 16);
        for (int row = 0; row <= 15; ++row) {
            grid.SetCell(0, row, std::to_string(row + 1));
            for (int column = 1; column <= 3; ++column) {
                grid.SetCell(column, row, " ");
            }
        }
    }

    void Paste(const std::string& text, int row = 0, int column = 1) {
        HandlePasteMultiCell(grid, column, row, text, countField, dialogs, store);
    }

    // The paste itself tells the user nothing, its caller reports a failure;
    // every scripted answer must have met its question.
    void TearDown() override {
        EXPECT_EQ(dialogs.ShownCount(), 0u);
        EXPECT_TRUE(dialogs.YesNoAnswers.empty());
    }

    // Rows "d<tab>m<tab>n" joined by `lineBreak`, with one after the last
    // row when `finalBreak` is set.
    static std::string Block(const std::vector<std::string>& rows, const std::string& lineBreak,
                             bool finalBreak = true) {
        std::string text;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            text += rows[i];
            if (finalBreak || i + 1 < rows.size()) {
                text += lineBreak;
            }
        }
        return text;
    }

    // Grid rows 0 to count-1 filled with numbers, as typed before a paste.
    void FillRows(int count) {
        for (int row = 0; row < count; ++row) {
            grid.SetCell(1, row, std::to_string(100 + row));
            grid.SetCell(2, row, "1.5");
            grid.SetCell(3, row, "1.1");
        }
    }

    std::vector<double> DischargesStored() const {
        return std::vector<double>(store.WorkDischarge.begin(),
                                   store.WorkDischarge.begin() + store.NrOfDataSets);
    }

    TDMTylwen store;
    TMemoryGrid grid{15};
    TRecordingCountField countField;
    TScriptedDialogs dialogs;
};
