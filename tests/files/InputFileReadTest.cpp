#include "FilesTestSupport.h"
#include "UInputFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <tuple>

namespace {

// Lines 1 to 14 of a written file, with the given site constants.
std::string Header(const std::string& constants = "  1.20\r\n",
                   const std::string& lineEnd = "\r\n") {
    std::string header = " File Name: whatever" + lineEnd + lineEnd;
    for (const char* label : {" Drain depth (m)             ", " Depth impermeable layer (m) ",
                              " Depth spacing (m)           ", " Drain radius (m)            "}) {
        header += label + constants;
    }
    header += lineEnd;
    for (int line = 0; line < 6; ++line) {
        header += "   heading" + lineEnd;
    }
    return header + " - - - - - - - - - - - - - - - - - - - - -" + lineEnd;
}

const char* const EndMarker = " - - - - - - - - - - - - - - - - - - - - -\r\n";

class InputFileRead : public testing::Test {
protected:
    // Writes `bytes` as name.inp and reads it through a FileName with another
    // extension, as the Open-output command does.
    TReadInputOutcome Read(const std::string& bytes) {
        return ReadBounded(bytes, MaxStoredDataSets);
    }

    TReadInputOutcome ReadBounded(const std::string& bytes, std::int32_t maxDataSets) {
        WriteBytes(folder.Path("field.inp"), bytes);
        store.FileName = folder.Path("field.out");
        const TReadInputResult result = ReadInputFile(store, maxDataSets);
        told = result.Tell;
        return result.Outcome;
    }

    // A store that a read must leave alone when it fails.
    void FillWithEarlierFile() {
        store.DrainDepth = 9.0;
        store.ImpermeableDepth = 9.0;
        store.DrainSpacing = 9.0;
        store.DrainRadius = 9.0;
        store.NrOfDataSets = 2;
        store.RowsToFill = 2;
        store.InputDischarge = {0.0, 7.0, 8.0, 0.0, 0.0};
        store.InputDepthMidway = {0.0, 0.5, 0.6, 0.0, 0.0};
        store.InputDepthNear = {0.0, 0.7, 0.8, 0.0, 0.0};
    }

    void ExpectEarlierFileKept() {
        EXPECT_EQ(store.FileName, folder.Path("field.inp"));
        EXPECT_EQ(store.DrainDepth, 9.0);
        EXPECT_EQ(store.DrainRadius, 9.0);
        EXPECT_EQ(store.NrOfDataSets, 2);
        EXPECT_EQ(store.RowsToFill, 2);
        EXPECT_EQ(store.InputDischarge, (DataSetR{0.0, 7.0, 8.0, 0.0, 0.0}));
        EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 0.7, 0.8, 0.0, 0.0}));
    }

    TTempFolder folder;
    TDMTylwen store;
    // What the last Read had the user told.
    std::optional<TFileMessage> told;
};

TEST_F(InputFileRead, WrittenFileReadsBackRoundedAsWritten) {
    TDMTylwen written;
    written.DrainDepth = 1.234;
    written.ImpermeableDepth = 1234.5;
    written.DrainSpacing = 30.0;
    written.DrainRadius = 0.033;
    written.NrOfDataSets = 4;
    written.WorkDischarge = {2.5, 0.0004, -3.25, 9999999.9991};
    written.WorkMidway = {0.6, 0.1236, 1e-9, 0.5};
    written.WorkNear = {0.9, 0.98765, 7.0, 0.75};
    const std::string path = folder.Path("Güllé \"round\" trip.inp");
    ASSERT_EQ(WriteInputFile(path, written), std::nullopt);
    store.FileName = path;
    const TReadInputResult result = ReadInputFile(store);
    ASSERT_EQ(result.Outcome, TReadInputOutcome::Read);
    EXPECT_EQ(result.Tell, std::nullopt);
    EXPECT_EQ(store.DrainDepth, 1.234);
    EXPECT_EQ(store.ImpermeableDepth, 1234.5);
    EXPECT_EQ(store.DrainRadius, 0.033);
    EXPECT_EQ(store.NrOfDataSets, 4);
    EXPECT_EQ(store.RowsToFill, 4);
    EXPECT_EQ(store.InputDischarge, (DataSetR{0.0, 2.5, 0.0, -3.25, 9999999.999, 0.0, 0.0}));
    EXPECT_EQ(store.InputDepthMidway, (DataSetR{0.0, 0.6, 0.124, 0.0, 0.5, 0.0, 0.0}));
    EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 0.9, 0.988, 7.0, 0.75, 0.0, 0.0}));
}

TEST_F(InputFileRead, ReaderLooksOnlyAtTheNumbers) {
    // Serial numbers and labels are never read, numbers may be separated by
    // any blanks and tabs, and any line starting " - - -" ends the table.
    const std::string bytes = "anything\r\nat all\r\n"
                              "label label label label labe 1.5\r\n"
                              "xxxxxxxxxxxxxxxxxxxxxxxxxxxx\t10e0\r\n"
                              "                              +3E1 trailing words\r\n"
                              "                           \t .5\r\n"
                              "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"
                              "9999  \t7.25\t\t 0.6 0.9 more\r\n"
                              "     22. 8e-1      1.1\r\n"
                              " - - -this line ends the table\r\n"
                              "    3       1.000       1.000      1.000\r\n";
    ASSERT_EQ(Read(bytes), TReadInputOutcome::Read);
    EXPECT_EQ(store.DrainDepth, 1.5);
    EXPECT_EQ(store.ImpermeableDepth, 10.0);
    EXPECT_EQ(store.DrainSpacing, 30.0);
    EXPECT_EQ(store.DrainRadius, 0.5);
    EXPECT_EQ(store.NrOfDataSets, 2);
    EXPECT_EQ(store.InputDischarge, (DataSetR{0.0, 7.25, 2.0, 0.0, 0.0}));
    EXPECT_EQ(store.InputDepthMidway, (DataSetR{0.0, 0.6, 0.8, 0.0, 0.0}));
    EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 0.9, 1.1, 0.0, 0.0}));
}

TEST_F(InputFileRead, LoneLineFeedsWorkAsLineEnds) {
    const std::string bytes = Header("  1.20\n", "\n") +
                              "    1       2.500       0.600      0.900\n"
                              " - - - - - - - - - - - - - - - - - - - - -";
    ASSERT_EQ(Read(bytes), TReadInputOutcome::Read);
    EXPECT_EQ(store.NrOfDataSets, 1);
    EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 0.9, 0.0, 0.0}));
}

// A data line holds its own three numbers, after a serial field of digits and
// blanks; any other line is refused whole, naming it (the table starts on
// line 15). Text after the third number is no concern of the reader.
TEST_F(InputFileRead, DataLineWithoutItsNumbersOrWithMoreThanASerialIsRefused) {
    const std::string fewer = "holds fewer than the three numbers of a data set (discharge, depth "
                              "midway and depth near the drains), and the file was not read.";
    const std::string serial = "holds more than a serial number in its first six characters, "
                               "where only digits and blanks belong, and the file was not read.";
    const std::string first = "    1       5.000       0.600      1.000\r\n";
    for (const auto& [table, line, fault] : std::vector<std::tuple<std::string, int, std::string>>{
             {"    1       5.000       0.600\r\n" + first, 15, fewer},
             {first + "\r\n" + first, 16, fewer},
             {first + "    2       3.000 \t\r\n", 16, fewer},
             {"1 5.000 0.600 1.000\r\n", 15, serial},
             {first + "   -2 3.0 0.8 1.1\r\n", 16, serial},
             // The letter O typed for a zero in serial number 10.
             {first + "   1O       3.000       0.800      1.100\r\n", 16, serial},
             {first + "    2\t3.0\t0.8\t1.1 9 more words\r\n", 0, ""}}) {
        FillWithEarlierFile();
        const TReadInputOutcome outcome = Read(Header() + table + EndMarker);
        if (line == 0) {
            EXPECT_EQ(outcome, TReadInputOutcome::Read);
            EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 1.0, 1.1, 0.0, 0.0}));
            continue;
        }
        EXPECT_EQ(outcome, TReadInputOutcome::UnreadableLine) << table;
        EXPECT_EQ(told, Told("Line " + std::to_string(line) + " of the file \"" +
                             folder.Path("field.inp") + "\" " + fault));
        ExpectEarlierFileKept();
    }
}

TEST_F(InputFileRead, NoDataSetsGiveAnEmptyTable) {
    FillWithEarlierFile();
    ASSERT_EQ(Read(Header() + EndMarker), TReadInputOutcome::Read);
    EXPECT_EQ(store.NrOfDataSets, 0);
    EXPECT_EQ(store.RowsToFill, 0);
    EXPECT_EQ(store.InputDischarge, (DataSetR{0.0, 0.0, 0.0}));
    EXPECT_EQ(store.DrainDepth, 1.2);
}

TEST_F(InputFileRead, NumbersTakeSignPointAndExponentOnly) {
    for (const char* valid : {"+2.5", "-2.5", "25.e-1", ".25e1", "25e-1", "0.25E+1", "1e-999"}) {
        FillWithEarlierFile();
        ASSERT_EQ(Read(Header() + "    1 " + valid + " 0.6 0.9\r\n" + EndMarker),
                  TReadInputOutcome::Read)
            << valid;
        EXPECT_EQ(std::abs(store.InputDischarge[1]), std::string(valid) == "1e-999" ? 0.0 : 2.5);
        EXPECT_EQ(told, std::nullopt);
    }
    for (const char* invalid :
         {"2,5", "nan", "inf", "-infinity", "1e999", "0x10", "1e", "--1", ".", "1.2.3", "1e+",
          "\xC2\xB1"
          "1"}) {
        FillWithEarlierFile();
        ASSERT_EQ(Read(Header() + "    1 " + invalid + " 0.6 0.9\r\n" + EndMarker),
                  TReadInputOutcome::InvalidNumber)
            << invalid;
        ExpectEarlierFileKept();
    }
}

TEST_F(InputFileRead, InvalidNumberChangesNothingButTheFileName) {
    FillWithEarlierFile();
    const std::string bytes = Header() + "    1       1.000       0.100      0.200\r\n" +
                              "    2       2.000       0.3OO      0.400\r\n" + EndMarker;
    const TFileMessage errorBox{"Invalid numeric input", true};
    EXPECT_EQ(Read(bytes), TReadInputOutcome::InvalidNumber);
    EXPECT_EQ(told, errorBox);
    ExpectEarlierFileKept();

    EXPECT_EQ(Read(Header("  1,20\r\n") + EndMarker), TReadInputOutcome::InvalidNumber);
    EXPECT_EQ(told, errorBox);
    ExpectEarlierFileKept();
}

TEST_F(InputFileRead, FileEndingBeforeItsEndMarkerChangesNothing) {
    const std::string expectedMessage =
        "The file \"" + folder.Path("field.inp") +
        "\" ends before the end of its table of data sets and was not read.";
    const std::string complete = Header() + "    1       1.000       0.100      0.200\r\n";
    for (const std::string& bytes :
         {complete, complete.substr(0, complete.size() - 2), complete.substr(0, 150),
          std::string(" File Name: x\r\n\r\n Drain depth (m)   1.2"), std::string()}) {
        FillWithEarlierFile();
        EXPECT_EQ(Read(bytes), TReadInputOutcome::Incomplete) << bytes.size();
        EXPECT_EQ(told, Told(expectedMessage));
        ExpectEarlierFileKept();
    }
}

TEST_F(InputFileRead, UnopenableFileIsToldWithItsInputName) {
    const std::string expected = "The file \"" + folder.Path("field.inp") +
                                 "\"could not be opened. It may be in use by another program,  "
                                 "or the programmer should incorporate more time.";
    FillWithEarlierFile();
    store.FileName = folder.Path("field.out");
    TReadInputResult result = ReadInputFile(store);
    EXPECT_EQ(result.Outcome, TReadInputOutcome::CouldNotOpen);
    EXPECT_EQ(result.Tell, Told(expected));
    ExpectEarlierFileKept();

    std::filesystem::create_directory(folder.Path("field.inp"));
    store.FileName = folder.Path("field");
    result = ReadInputFile(store);
    EXPECT_EQ(result.Outcome, TReadInputOutcome::CouldNotOpen);
    EXPECT_EQ(result.Tell, Told(expected));
    ExpectEarlierFileKept();
}

TEST_F(InputFileRead, FileWithoutReadPermissionCannotBeOpened) {
    WriteBytes(folder.Path("secret.inp"), Header() + EndMarker);
    ::chmod(folder.Folder().c_str(), 0755);
    ::chmod(folder.Path("secret.inp").c_str(), 0);
    const std::string path = folder.Path("secret.inp");
    EXPECT_TRUE(HoldsWithoutRoot([&] {
        TDMTylwen childStore;
        childStore.FileName = path;
        const TReadInputResult result = ReadInputFile(childStore);
        return result.Outcome == TReadInputOutcome::CouldNotOpen &&
               result.Tell == Told(CouldNotOpenInputMessage(path));
    }));
}

// Hostile files cost time in proportion to their size, never more memory
// than their data sets need, and never end in a loop.
TEST_F(InputFileRead, HostileFilesEndCleanly) {
    const std::string longLine(8 * 1024 * 1024, 'x');
    EXPECT_EQ(Read(Header() + "    1 " + longLine + "\r\n" + EndMarker),
              TReadInputOutcome::InvalidNumber);
    EXPECT_EQ(Read(Header() + "    1 1 2 3 " + longLine + "\r\n" + EndMarker),
              TReadInputOutcome::Read);
    EXPECT_EQ(Read(Header() + std::string(4 * 1024 * 1024, ' ')), TReadInputOutcome::Incomplete);
    EXPECT_EQ(Read(Header() + std::string(4 * 1024 * 1024, '\n')),
              TReadInputOutcome::UnreadableLine);
    std::mt19937 random(42);
    std::string junk(1024 * 1024, '\0');
    for (char& byte : junk) {
        byte = static_cast<char>(random());
    }
    const TReadInputOutcome junkOutcome = Read(junk);
    EXPECT_NE(junkOutcome, TReadInputOutcome::Read);
}

TEST_F(InputFileRead, TableBeyondTheCallersBoundIsRefusedWhileAnyOtherSizeIsRead) {
    const std::string line = "    1       2.500       0.600      0.900\r\n";
    std::string bytes = Header();
    for (int i = 1; i <= 100000; ++i) {
        bytes += line;
    }
    ASSERT_EQ(ReadBounded(bytes + EndMarker, 100000), TReadInputOutcome::Read);
    EXPECT_EQ(store.NrOfDataSets, 100000);
    EXPECT_EQ(store.InputDepthNear.size(), 100003u);
    EXPECT_EQ(store.InputDepthNear[100000], 0.9);
    EXPECT_EQ(store.InputDepthNear[100001], 0.0);

    FillWithEarlierFile();
    for (int i = 100001; i <= 1000000; ++i) {
        bytes += line;
    }
    EXPECT_EQ(ReadBounded(bytes + EndMarker, 100000), TReadInputOutcome::Incomplete);
    EXPECT_EQ(told, Told("The file \"" + folder.Path("field.inp") +
                         "\" holds more than 100000 data sets, more than the table can hold, and "
                         "was not read."));
    ExpectEarlierFileKept();

    ASSERT_EQ(Read(bytes + EndMarker), TReadInputOutcome::Read);
    EXPECT_EQ(store.NrOfDataSets, 1000000);
    EXPECT_EQ(store.InputDepthNear[1000000], 0.9);
}

} // namespace
