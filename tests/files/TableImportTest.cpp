// Tables written by spreadsheets; the window's road from such a file into the
// grid: tests/e2e/case_import_german_table_saves_as_typed.py.
#include "UTableImport.h"

#include <gtest/gtest.h>

#include <algorithm>

// Both hold examples/pipe-drain-field.inp's data sets.
TEST(TableImport, LibreOfficeAndGermanSpreadsheetFilesGiveTheExampleField) {
    std::string blocks[2];
    for (const char* decimalMark : {".", ","}) {
        const std::string file = *decimalMark == '.' ? "libreoffice" : "german";
        const TTableFile read =
            ReadTableFile(SORAVIK_SOURCE_DIR "/tests/tables/pipe-drain-field-" + file + ".csv");
        ASSERT_TRUE(read.Text) << file;
        const TTableImport import = ParseDelimitedTable(*read.Text);
        ASSERT_TRUE(import.Table) << file << ": " << import.Problem.Reason;
        EXPECT_EQ(import.Table->DataSets, 15);
        EXPECT_EQ(import.Table->Block.substr(0, 14),
                  std::string("15\t0") + decimalMark + "26\t0" + decimalMark + "98\r\n");
        blocks[*decimalMark == ','] = import.Table->Block;
    }
    std::replace(blocks[1].begin(), blocks[1].end(), ',', '.');
    EXPECT_EQ(blocks[0], blocks[1]);
}

TEST(TableImport, TakesWhatASpreadsheetWritesAndNamesTheFirstBadLine) {
    using namespace std::string_view_literals;
    const struct {
        std::string_view Text;
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
        // A first line without a letter is data, whatever its separator.
        {"15.0,0.26,0.98\n13.6;0.32;0.98\n", nullptr, 1},
        {"#;*;!\n1;2;3\n", nullptr, 1},
        {"Nr;Q;M;N\n1;2;3\n", "1\t2\t3\r\n", 0},
        // One separator: the heading's too, and a quoted one does not count.
        {"Q;M;N\n1\t2\t3\n", nullptr, 1},
        {"\"Q; mm/d\",M,N\n1,2,3\n", "1\t2\t3\r\n", 0},
        // Four values: a serial number counting the lines, or a decimal comma.
        {"Nr;Q;M;N\n7;1;2;3\n8;4,5;6;7\n", "1\t2\t3\r\n4,5\t6\t7\r\n", 0},
        {"15,5,0.26,0.98\n13,6,0.32,0.98\n", nullptr, 2},
        {"1.5;1;2;3\n", nullptr, 1},
        // UTF-16 with and without a byte-order mark, refused as a whole.
        {"\xFF\xFE"
         "1\0;\0"
         "2\0;\0"
         "3\0"sv,
         nullptr, 0},
        {"\xFE\xFF\0"
         "1\0;\0"
         "2\0;\0"
         "3"sv,
         nullptr, 0},
        {"1\0;\0"
         "2\0;\0"
         "3\0"sv,
         nullptr, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.Text));
        const TTableImport import = ParseDelimitedTable(test.Text);
        ASSERT_EQ(import.Table.has_value(), test.Block != nullptr) << import.Problem.Reason;
        if (test.Block) {
            EXPECT_EQ(import.Table->Block, test.Block);
        } else {
            EXPECT_EQ(import.Problem.Line, test.BadLine) << import.Problem.Reason;
        }
    }
    EXPECT_NE(TableRefusalMessage("a.csv", {TTableProblem::BadLine, 3, "it holds 2 values"})
                  .find("Line 3 of a.csv"),
              std::string::npos);
    EXPECT_NE(ParseDelimitedTable("15,5,0.26,0.98\n13,6,0.32,0.98\n")
                  .Problem.Reason.find("a decimal comma needs \";\" or tabs"),
              std::string::npos);
    EXPECT_TRUE(IsTableFileName("/x.y/Field.CSV") && IsTableFileName("a.tsv") &&
                !IsTableFileName("a.inp") && !IsTableFileName("csv"));
}
