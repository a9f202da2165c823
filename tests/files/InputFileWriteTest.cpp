#include "FilesTestSupport.h"
#include "UFloatMath.h"
#include "UInputFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> SplitCrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

const char* const Separator = " - - - - - - - - - - - - - - - - - - - - -";

TEST(InputFileWrite, WorkedExampleIsWrittenByteForByte) {
    const std::string expected = " File Name: /data/example.inp\r\n"
                                 "\r\n"
                                 " Drain depth (m)               1.20\r\n"
                                 " Depth impermeable layer (m)  10.00\r\n"
                                 " Depth spacing (m)            30.00\r\n"
                                 " Drain radius (m)              0.10\r\n"
                                 "\r\n"
                                 "                    Depth of water table\r\n"
                                 "                    ---------------------\r\n"
                                 "          Drain        midway       near\r\n"
                                 " Serial   discharge    between      the\r\n"
                                 " number   (mm/day)     drains      drains\r\n"
                                 "                         (m)         (m) \r\n"
                                 " - - - - - - - - - - - - - - - - - - - - -\r\n"
                                 "    1       5.000       0.600      1.000\r\n"
                                 "    2       3.000       0.800      1.100\r\n"
                                 "    3       1.500       1.000      1.150\r\n"
                                 " - - - - - - - - - - - - - - - - - - - - -\r\n";
    EXPECT_EQ(FormatInputFile("/data/example.inp", WorkedExampleStore()), expected);
}

// The column heading checked against the positions of its words rather than
// against a copy of the literals.
TEST(InputFileWrite, HeadingWordsStandInTheirColumns) {
    const std::vector<std::string> lines = SplitCrLfLines(FormatInputFile("x", TDMTylwen{}));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[7], std::string(20, ' ') + "Depth of water table");
    EXPECT_EQ(lines[8], std::string(20, ' ') + std::string(21, '-'));
    const auto column = [](const std::string& line, const std::string& word, std::size_t from = 0) {
        return line.find(word, from) + 1;
    };
    EXPECT_EQ(lines[9].size(), 40u);
    EXPECT_EQ(column(lines[9], "Drain"), 11u);
    EXPECT_EQ(column(lines[9], "midway"), 24u);
    EXPECT_EQ(column(lines[9], "near"), 37u);
    EXPECT_EQ(lines[10].size(), 39u);
    EXPECT_EQ(column(lines[10], "Serial"), 2u);
    EXPECT_EQ(column(lines[10], "discharge"), 11u);
    EXPECT_EQ(column(lines[10], "between"), 24u);
    EXPECT_EQ(column(lines[10], "the"), 37u);
    EXPECT_EQ(lines[11].size(), 41u);
    EXPECT_EQ(column(lines[11], "number"), 2u);
    EXPECT_EQ(column(lines[11], "(mm/day)"), 11u);
    EXPECT_EQ(column(lines[11], "drains"), 24u);
    EXPECT_EQ(column(lines[11], "drains", 24), 36u);
    EXPECT_EQ(lines[12].size(), 41u);
    EXPECT_EQ(column(lines[12], "(m)"), 26u);
    EXPECT_EQ(column(lines[12], "(m)", 26), 38u);
    EXPECT_EQ(lines[13].size(), 42u);
}

// Two decimals whenever they give the value back, as files have always held
// them; otherwise as many as the value needs, never a rounded constant.
TEST(InputFileWrite, SiteConstantsKeepTwoDecimalsWhereExactAndEveryDigitElsewhere) {
    const std::vector<std::pair<double, std::string>> written = {
        {1.2, "  1.20"},   {1234.5, "1234.50"}, {-0.0, "  0.00"},
        {0.005, " 0.005"}, {0.0325, "0.0325"},  {0.1 + 0.2, "0.30000000000000004"},
        {-2.125, "-2.125"}};
    for (const auto& [value, text] : written) {
        TDMTylwen store;
        store.DrainRadius = value;
        const std::vector<std::string> lines = SplitCrLfLines(FormatInputFile("x", store));
        EXPECT_EQ(lines[5], " Drain radius (m)            " + text);
    }
}

TEST(InputFileWrite, DataLinesHoldSerialNumberAndThreeDecimals) {
    TDMTylwen store;
    store.NrOfDataSets = 2;
    store.WorkDischarge = {2.5, -12345678.9};
    store.WorkMidway = {0.6, 0.0004};
    store.WorkNear = {0.9, -0.0};
    const std::vector<std::string> lines = SplitCrLfLines(FormatInputFile("x", store));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[14], "    1       2.500       0.600      0.900");
    EXPECT_EQ(lines[14].size(), 40u);
    // The blank keeps the minus sign out of the characters the reader skips.
    EXPECT_EQ(lines[15], "    2 -12345678.900       0.000      0.000");
    EXPECT_EQ(lines[16], Separator);
}

TEST(InputFileWrite, NoDataSetsGiveTheSeparatorTwice) {
    const std::vector<std::string> lines = SplitCrLfLines(FormatInputFile("x", TDMTylwen{}));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[13], Separator);
    EXPECT_EQ(lines[14], Separator);
}

// A count larger than the arrays is a programming error, never a read past
// their end.
TEST(InputFileWrite, CountBeyondTheArraysIsRefused) {
    TDMTylwen store = WorkedExampleStore();
    store.NrOfDataSets = 5;
    EXPECT_THROW(FormatInputFile("x", store), ERangeError);
}

TEST(InputFileWrite, LineOneShowsThePathAsPassed) {
    TTempFolder folder;
    const std::string path = folder.Path("Güllé \"field\" 3.inp");
    TDMTylwen store = WorkedExampleStore();
    ASSERT_EQ(WriteInputFile(path, store), std::nullopt);
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), " File Name: " + path);
    EXPECT_EQ(bytes, FormatInputFile(path, store));
}

} // namespace

namespace {

// The example in the repository is what the writer makes of the worked
// example, so the README and the companion's test rest on a real file.
TEST(InputFileWrite, RepositoryExampleIsTheWorkedExample) {
    const std::string example = ReadBytes(SORAVIK_SOURCE_DIR "/examples/worked-example.inp");
    EXPECT_EQ(example, FormatInputFile("examples/worked-example.inp", WorkedExampleStore()));
}

} // namespace
