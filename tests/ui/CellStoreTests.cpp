// The grid's cell store: every text comes back where it was written, short
// ones kept inside their cell, long ones and far columns beside them.
#include "UCellStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TWrite {
    int Column;
    int Row;
    std::string Text;
};

TEST(CellStore, GivesBackEveryTextWhereverItWasWritten) {
    const std::string block(100000, '\t');
    const TWrite writes[] = {
        {1, 0, "0.26"},
        {3, 999, "12345678901"},
        {2, 5, "123456789012"},
        {0, 4, block},
        {7, 12, "far"},
        {7, 3, "written later, row before"},
        {5, 2000000000, "x"},
        {4, 12, "fourth"},
        {2, 6, "x"},
        {0, 9, "10"},
        {0, 11, "3"},
    };
    TCellStore cells;
    for (const TWrite& write : writes) {
        cells.SetText(write.Column, write.Row, write.Text);
    }
    for (const TWrite& write : writes) {
        EXPECT_EQ(cells.Text(write.Column, write.Row), write.Text)
            << write.Column << "," << write.Row;
        EXPECT_TRUE(cells.Holds(write.Column, write.Row, write.Text) &&
                    !cells.Holds(write.Column, write.Row, write.Text + "0"));
    }
    EXPECT_EQ(cells.Text(2, 7), "");
    EXPECT_EQ(cells.Text(7, 4), "");
    EXPECT_EQ(cells.Text(9, 12), "");
    EXPECT_EQ(cells.Text(-1, 0), "");

    // Overwritten and emptied texts, long ones too, leave nothing behind, and
    // a long text's freed place takes the next one.
    cells.SetText(0, 4, "");
    cells.SetText(2, 5, "short");
    cells.SetText(7, 12, "");
    cells.SetText(3, 998, "another text longer than fifteen");
    // A serial number and another text in column 0 trade places.
    cells.SetText(0, 9, "abc");
    cells.SetText(0, 11, "12");
    EXPECT_EQ(cells.Text(0, 9), "abc");
    EXPECT_EQ(cells.Text(0, 11), "12");
    EXPECT_EQ(cells.Text(0, 4), "");
    EXPECT_EQ(cells.Text(2, 5), "short");
    EXPECT_EQ(cells.Text(7, 12), "");
    EXPECT_EQ(cells.Text(7, 3), "written later, row before");
    EXPECT_EQ(cells.Text(3, 998), "another text longer than fifteen");
    EXPECT_EQ(cells.Text(3, 999), "12345678901");
}

} // namespace
