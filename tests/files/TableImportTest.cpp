// Tables written by spreadsheets; the window's road from such a file into the
// grid: tests/e2e/case_import_german_table_saves_as_typed.py.
#include "UTableImport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string ExampleTableBlock(char decimalMark) {
    const char* const rows[] = {"15\t0.26\t0.98",   "13.6\t0.32\t0.98", "12.8\t0.38\t0.99",
                                "11.7\t0.46\t1.01", "10.5\t0.51\t1.01", "9.2\t0.56\t1.02",
                                "8.8\t0.61\t1.02",  "7.5\t0.66\t1.03",  "7.1\t0.7\t1.03",
                                "5.9\t0.74\t1.03",  "5.1\t0.77\t1.03",  "4.4\t0.82\t1.04",
                                "3.7\t0.87\t1.06",  "3.3\t0.9\t1.06",   "2.6\t0.94\t1.07"};
    std::string block;
    for (const char* row : rows) {
        block += std::string(row) + "\r\n";
    }
    std::replace(block.begin(), block.end(), '.', decimalMark);
    return block;
}

} // namespace

TEST(TableImport, LibreOfficeAndGermanSpreadsheetFilesGiveTheExampleField) {
    const struct {
        const char* File;
        char DecimalMark;
    } files[] = {{"pipe-drain-field-libreoffice.csv", '.'}, {"pipe-drain-field-german.csv", ','}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.File);
        const auto text =
            ReadTableFile(std::string(SORAVIK_SOURCE_DIR "/tests/tables/") + file.File);
        ASSERT_TRUE(text);
        const TTableImport import = ParseDelimitedTable(*text);
        ASSERT_TRUE(import.Table) << import.Problem.Reason;
        EXPECT_EQ(import.Table->DataSets, 15);
        EXPECT_EQ(import.Table->Block, ExampleTableBlock(file.DecimalMark));
    }
}

TEST(TableImport, TakesWhatASpreadsheetWritesAndNamesTheFirstBadLine) {
    const struct {
        const char* Text;
        const char* Block; // nullptr: refused
        int BadLine;
    } cases[] = {
        {"1.5\t2,5\t3", "1.5\t2,5\t3\r\n", 0},
        {" 1 ; 0,3 ;\"0,9\";;\r\r\n;;\n2;1e-1;-3\n", "1\t0,3\t0,9\r\n2\t1e-1\t-3\r\n", 0},
        {"Q,M,N\n1,2,3\n4,5\n", nullptr, 3},
        {"1,2,3\n1,2,3,4\n", nullptr, 2},
        {"x,1,2,3\n", nullptr, 1},
        {"1,\"2,5\",3\n", nullptr, 1},
        {"1,2,abc\n", nullptr, 1},
        {"1,2,inf\n", nullptr, 1},
        {"1,2\"x\",3\n", nullptr, 1},
        {"1,2,3\n4,\"5\n", nullptr, 2},
        {"Q,M,N\n\n", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Text);
        const TTableImport import = ParseDelimitedTable(test.Text);
        ASSERT_EQ(import.Table.has_value(), test.Block != nullptr) << import.Problem.Reason;
        if (test.Block) {
            EXPECT_EQ(import.Table->Block, test.Block);
        } else {
            EXPECT_EQ(import.Problem.Line, test.BadLine) << import.Problem.Reason;
        }
    }
    EXPECT_NE(TableRefusalMessage("a.csv", {3, "it holds 2 values"}).find("Line 3 of a.csv"),
              std::string::npos);
    EXPECT_TRUE(IsTableFileName("/x.y/Field.CSV") && IsTableFileName("a.tsv") &&
                !IsTableFileName("a.inp") && !IsTableFileName("csv"));
}
