// Whatever the writer puts into an input file reads back as written: values
// too wide for their fields, the largest table, any finite number; longer
// numbers are refused rather than split in two.
#include "FilesTestSupport.h"
#include "UFileNumber.h"
#include "UInputFile.h"
#include "UOutputFile.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

class InputFileRoundTrip : public testing::Test {
protected:
    // Working slots as the save command leaves them, one per data set.
    void SetDataSets(const DataSetR& discharge, const DataSetR& midway, const DataSetR& near) {
        written.NrOfDataSets = static_cast<std::int32_t>(discharge.size());
        written.WorkDischarge = discharge;
        written.WorkMidway = midway;
        written.WorkNear = near;
    }

    TReadInputOutcome WriteAndRead() {
        EXPECT_EQ(WriteInputFile(path, written), std::nullopt);
        read.FileName = path;
        const TReadInputResult result = ReadInputFile(read);
        // Told exactly when not read.
        EXPECT_EQ(result.Tell.has_value(), result.Outcome != TReadInputOutcome::Read);
        return result.Outcome;
    }

    static double AsWritten(double value) {
        return ParseFileNumber(FormatFixed(value, 0, 3)).value_or(-1.0);
    }

    TTempFolder folder;
    const std::string path = folder.Path("field.inp");
    TDMTylwen written;
    TDMTylwen read;
};

TEST_F(InputFileRoundTrip, ValuesWiderThanTheirFieldsStayApart) {
    SetDataSets({12345678.9, 2.5, -99999999.25}, {10000000.0, -1234567.5, 0.6},
                {2000000.0, 1000000.0, -7654321.125});
    ASSERT_EQ(WriteAndRead(), TReadInputOutcome::Read);
    ASSERT_EQ(read.NrOfDataSets, 3);
    for (std::size_t slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(read.InputDischarge[slot + 1], AsWritten(written.WorkDischarge[slot]));
        EXPECT_EQ(read.InputDepthMidway[slot + 1], AsWritten(written.WorkMidway[slot]));
        EXPECT_EQ(read.InputDepthNear[slot + 1], AsWritten(written.WorkNear[slot]));
    }
    // Values that fit keep the column layout byte for byte.
    EXPECT_NE(ReadBytes(path).find("\r\n    2       2.500 -1234567.500 1000000.000\r\n"),
              std::string::npos);
}

TEST_F(InputFileRoundTrip, LargestTableReadsBackInOrder) {
    constexpr std::size_t Count = 100000;
    DataSetR discharge(Count);
    DataSetR midway(Count, 0.6);
    DataSetR near(Count, 0.9);
    for (std::size_t slot = 0; slot < Count; ++slot) {
        discharge[slot] = static_cast<double>(slot % 1000) + 0.5;
    }
    SetDataSets(discharge, midway, near);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(WriteAndRead(), TReadInputOutcome::Read);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ASSERT_EQ(read.NrOfDataSets, static_cast<std::int32_t>(Count));
    ASSERT_EQ(read.InputDischarge.size(), Count + 3);
    for (std::size_t slot = 0; slot < Count; slot += 997) {
        EXPECT_EQ(read.InputDischarge[slot + 1], discharge[slot]) << slot;
    }
    EXPECT_EQ(read.InputDischarge[Count], discharge[Count - 1]);
    EXPECT_EQ(read.InputDepthNear[Count], 0.9);
}

// A hand-made table may number its data sets with more digits than the
// serial field has; those digits are no discharge.
TEST_F(InputFileRoundTrip, LongSerialNumbersAreSkippedWhole) {
    SetDataSets({}, {}, {});
    ASSERT_EQ(WriteInputFile(path, written), std::nullopt);
    std::string bytes = ReadBytes(path);
    const std::string endMarker = " - - - - - - - - - - - - - - - - - - - - -\r\n";
    bytes.insert(bytes.size() - endMarker.size(), "999999       1.500       0.600      0.900\r\n"
                                                  "1000000       2.500       0.700      1.000\r\n"
                                                  "123456789 3.5 0.8 1.1\r\n");
    WriteBytes(path, bytes);
    read.FileName = path;
    ASSERT_EQ(ReadInputFile(read).Outcome, TReadInputOutcome::Read);
    EXPECT_EQ(read.InputDischarge, (DataSetR{0.0, 1.5, 2.5, 3.5, 0.0, 0.0}));
    EXPECT_EQ(read.InputDepthMidway, (DataSetR{0.0, 0.6, 0.7, 0.8, 0.0, 0.0}));
    EXPECT_EQ(read.InputDepthNear, (DataSetR{0.0, 0.9, 1.0, 1.1, 0.0, 0.0}));
}

TEST_F(InputFileRoundTrip, SiteConstantsReadBackExactly) {
    SetDataSets({}, {}, {});
    for (const double value : {0.0325, 1e-300, 5e-324, -1.7976931348623157e308, 123456.789}) {
        written.DrainRadius = value;
        ASSERT_EQ(WriteAndRead(), TReadInputOutcome::Read) << value;
        EXPECT_EQ(read.DrainRadius, value);
    }
}

// Line 1 of each file names it; a line break in a folder's name must not
// split that line and shift the rest.
TEST_F(InputFileRoundTrip, FilesInAFolderNamedWithLineBreaksOpenAgain) {
    const std::string named = folder.Path("field\nnotes\r\x7f");
    ASSERT_TRUE(std::filesystem::create_directory(named));
    const std::string input = named + "/site.inp";
    const std::string output = named + "/site.out";
    written = WorkedExampleStore();
    ASSERT_EQ(WriteInputFile(input, written), std::nullopt);
    WriteBytes(output, FormatOutputFile(output, TCalculationResults{}));
    read.FileName = input;
    ASSERT_EQ(ReadInputFile(read).Outcome, TReadInputOutcome::Read);
    EXPECT_EQ(read.NrOfDataSets, 3);
    ASSERT_EQ(ReadOutputLines(output, read), std::nullopt);
    ASSERT_EQ(read.NrOfOutputLines, 5);
    EXPECT_EQ(read.OutputLines[0], " File: " + folder.Path("field notes  ") + "/site.out");
}

TEST_F(InputFileRoundTrip, EveryFiniteValueReadsBackAndLongerNumbersAreRefused) {
    SetDataSets({1.0, -1.7976931348623157e308}, {0.5, 1e70}, {0.9, 1.7976931348623157e308});
    ASSERT_EQ(WriteAndRead(), TReadInputOutcome::Read);
    EXPECT_EQ(read.InputDischarge[2], -1.7976931348623157e308);
    EXPECT_EQ(read.InputDepthMidway[2], AsWritten(1e70));
    EXPECT_EQ(read.InputDepthNear[2], 1.7976931348623157e308);

    // A number longer than any the writer makes is refused whole, never split
    // into two numbers that were not written.
    const std::string tooLong = "0." + std::string(330, '0');
    WriteBytes(path, ReadBytes(path).replace(ReadBytes(path).find(" 0.500"), 6, " " + tooLong));
    read.NrOfDataSets = 5;
    const TReadInputResult refused = ReadInputFile(read);
    EXPECT_EQ(refused.Outcome, TReadInputOutcome::InvalidNumber);
    EXPECT_EQ(refused.Tell, (TFileMessage{"Invalid numeric input", true}));
    EXPECT_EQ(read.NrOfDataSets, 5);
}

} // namespace
