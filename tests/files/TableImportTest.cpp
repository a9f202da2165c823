// Tables written by spreadsheets; the window's road from such a file into the
// grid: tests/e2e/case_import_german_table_saves_as_typed.py.
#include "UTableImport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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
        {"15,0.26,0,98\n13.6,0.32,0,98\n", nullptr, 2},
        {"7;1;2;3\n3;1;2;3\n", nullptr, 2},
        {"1.5;1;2;3\n", nullptr, 1},
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
    EXPECT_NE(TableRefusalMessage("a.csv", {TTableProblem::BadLine, 3, "it holds 2 values"})
                  .find("Line 3 of a.csv"),
              std::string::npos);
    EXPECT_NE(ParseDelimitedTable("15,5,0.26,0.98\n13,6,0.32,0.98\n")
                  .Problem.Reason.find("a decimal comma needs \";\" or tabs"),
              std::string::npos);
    EXPECT_TRUE(IsTableFileName("/x.y/Field.CSV") && IsTableFileName("a.tsv") &&
                !IsTableFileName("a.inp") && !IsTableFileName("csv"));
}

// Notepad's "Unicode", with and without its byte-order mark, in either byte order.
TEST(TableImport, RefusesUtf16AsAWhole) {
    const std::string line = "Q;M;N\r\n13,6;0,32;0,98\r\n";
    for (const std::string mark : {"\xFF\xFE", "\xFE\xFF", ""}) {
        for (const bool littleEndian : {true, false}) {
            std::string text = mark;
            for (const char c : line) {
                text += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
            }
            const TTableImport import = ParseDelimitedTable(text);
            ASSERT_FALSE(import.Table);
            EXPECT_EQ(import.Problem.Kind, TTableProblem::Utf16Text);
        }
    }
    EXPECT_NE(TableRefusalMessage("u.csv", {TTableProblem::Utf16Text, 0, ""}).find("UTF-8"),
              std::string::npos);
}

TEST(TableImport, StopsWhenTheProgressSaysSo) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "1;2;3\n";
    }
    std::size_t reports = 0;
    const TTableImport import = ParseDelimitedTable(text, [&](std::size_t done, std::size_t total) {
        EXPECT_LE(done, total);
        return ++reports < 3;
    });
    EXPECT_TRUE(import.Cancelled);
    EXPECT_FALSE(import.Table);
    EXPECT_EQ(reports, 3u);
}

// Nothing but a regular file is read, and nothing waits: a pipe that no one
// writes to is refused at once. The window's road: tests/e2e/case_fifo_table_is_refused.py.
TEST(TableImport, ReadsOnlyRegularFilesAndTellsWhyNot) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("soravik-table-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "good.csv") << "1;2;3\n";
    ASSERT_EQ(mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
    std::filesystem::resize_file((std::ofstream(folder / "huge.csv"), folder / "huge.csv"),
                                 MaxTableFileBytes + 1);
    const struct {
        std::filesystem::path Path;
        TTableFileFault Fault;
        const char* Told;
    } cases[] = {
        {folder / "good.csv", TTableFileFault::None, ""},
        {folder / "missing.csv", TTableFileFault::Missing, "does not exist"},
        {folder / "missing" / "a.csv", TTableFileFault::Missing, "does not exist"},
        {folder / "pipe.csv", TTableFileFault::NotARegularFile, "a pipe"},
        {folder, TTableFileFault::NotARegularFile, "a folder"},
        {"/dev/zero", TTableFileFault::NotARegularFile, "a device"},
        {folder / "huge.csv", TTableFileFault::TooLarge, "larger than 64 MB"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Path);
        const TTableFile file = ReadTableFile(test.Path);
        EXPECT_EQ(file.Fault, test.Fault);
        EXPECT_EQ(file.Text.has_value(), test.Fault == TTableFileFault::None);
        const std::string told = TableFileFaultMessage(test.Path, file);
        EXPECT_NE(told.find(test.Told), std::string::npos) << told;
        EXPECT_NE(told.find(test.Path.string()), std::string::npos) << told;
    }
    EXPECT_EQ(*ReadTableFile(folder / "good.csv").Text, "1;2;3\n");
    std::filesystem::remove_all(folder);
}
