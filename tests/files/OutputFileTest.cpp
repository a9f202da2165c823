#include "FilesTestSupport.h"
#include "ScriptedDialogs.h"
#include "UFitStatistics.h"
#include "UFloatMath.h"
#include "UOutputFile.h"
#include "USameFile.h"
#include "UTylwenUtils.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// The worked example calculated as the program calculates it.
TCalculationResults CalculateWorkedExample(TCalculationOption option, TDMTylwen& store) {
    return CalculateResults(option, store);
}

class OutputFile : public testing::Test {
protected:
    void SetUp() override { ResetTylwenUtils(); }
    void TearDown() override { ResetTylwenUtils(); }

    TTempFolder folder;
    TScriptedDialogs dialogs;
    TDMTylwen store = WorkedExampleStore();
};

TEST_F(OutputFile, WorkedExampleIsWrittenByteForByte) {
    const TCalculationResults result =
        CalculateWorkedExample(TCalculationOption::OverEntireSoilDepth, store);
    EXPECT_EQ(FormatOutputFile("C:\\data\\example.out", result),
              " File: C:\\data\\example.out\r\n"
              " Results of the Soravik calculator\r\n"
              " Q/H\" = A.H\" + B  with  A =  0.009    B = 0.0082    H\" = H - E\r\n"
              " Ka = A*S^2/4 =  2.072   Kb = B*S^2/8*d =  0.398  with d =  2.323\r\n"
              " (see Intro and Figure tabs)\r\n");
}

TEST_F(OutputFile, SecondOptionKeepsEarlierConductivities) {
    const TCalculationResults result =
        CalculateWorkedExample(TCalculationOption::AboveAndBelowDrains, store);
    EXPECT_EQ(FormatOutputFile("x.out", result),
              " File: x.out\r\n"
              " Soravik calculator results\r\n"
              " Q/H\" = A.H\" + B  with  A =  0.038    B = 1.0000    H\" = H - E\r\n"
              " Ka = A*S^2/4 =  0.000   Kb = B*S^2/8*d =  0.000  with d =  2.323\r\n"
              " (see Intro and Figure tabs)\r\n");
}

TEST_F(OutputFile, WideAndNegativeValuesShiftTheLine) {
    TCalculationResults result;
    result.SlopeA = -0.0123;
    result.InterceptB = -0.0;
    result.Ka = 1234.5678;
    const std::string text = FormatOutputFile("x.out", result);
    EXPECT_NE(text.find("A = -0.012    B = 0.0000    H"), std::string::npos) << text;
    EXPECT_NE(text.find(" Ka = A*S^2/4 = 1234.568   Kb"), std::string::npos) << text;
}

// Telling the user is the window's: tests/ui/CommandTests.cpp and
// tests/e2e/case_save_calculate_typed_table.py.
TEST_F(OutputFile, FinishingWritesTheFileAndSwitchesTheName) {
    store.FileName = folder.Path("field.inp");
    const TCalculationResults result =
        CalculateWorkedExample(TCalculationOption::OverEntireSoilDepth, store);
    const TOutputWritten written = WriteOutputFile(result, store);
    const std::string outputName = folder.Path("field.out");
    EXPECT_EQ(ReadBytes(outputName), FormatOutputFile(outputName, result));
    EXPECT_EQ(written.Text, ReadBytes(outputName));
    EXPECT_EQ(OutputLinesOf(written.Text).size(), 5u);
    EXPECT_EQ(store.FileName, outputName);
    EXPECT_EQ(ConfirmationMessage(written),
              "The input is saved in " + folder.Path("field.inp") +
                  "   Calculations were done and the output is saved in  " + outputName);

    // A repeated calculation starts from a FileName ending in ".out".
    WriteOutputFile(result, store);
    EXPECT_EQ(store.FileName, outputName);
    EXPECT_EQ(dialogs.ShownCount(), 0u);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"field.out"});
}

// Only the last path component has an extension to change.
TEST_F(OutputFile, DotInAFolderNameIsNoExtension) {
    std::filesystem::create_directories(folder.Path("x/a.b"));
    store.FileName = folder.Path("x/a.b/c");
    OutputShown = true;
    WriteOutputFile(TCalculationResults{}, store);
    EXPECT_EQ(store.FileName, folder.Path("x/a.b/c.out"));
    EXPECT_EQ(folder.Names("x/a.b"), std::set<std::string>{"c.out"});
}

class TReplaceFailsSeam : public TFileWriteSeam {
public:
    int Replace(const std::string&, const std::string&) override {
        errno = EROFS;
        return -1;
    }
};

TEST_F(OutputFile, FailedWriteChangesNothing) {
    const std::string outputName = folder.Path("field.out");
    WriteBytes(outputName, "earlier results\r\n");
    store.FileName = folder.Path("field.inp");
    TReplaceFailsSeam seam;
    try {
        WriteOutputFile(TCalculationResults{}, store, seam);
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), "The output file \"" + outputName +
                                                 "\" could not be written: Read-only file system");
    }
    EXPECT_FALSE(ResultsAvailable);
    EXPECT_EQ(store.FileName, folder.Path("field.inp"));
    EXPECT_EQ(dialogs.ShownCount(), 0u);
    EXPECT_EQ(ReadBytes(outputName), "earlier results\r\n");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"field.out"});

    store.FileName = folder.Path("no such folder/field.inp");
    EXPECT_THROW(WriteOutputFile(TCalculationResults{}, store), EInOutError);
    EXPECT_FALSE(ResultsAvailable);
    EXPECT_EQ(dialogs.ShownCount(), 0u);
}

TEST_F(OutputFile, LinesAreReadWhateverTheirEnds) {
    const std::string name = folder.Path("field.out");
    WriteBytes(name, "one\r\ntwo\n\r\nlast without end");
    EXPECT_EQ(ReadOutputLines(name, store), std::nullopt);
    EXPECT_EQ(store.NrOfOutputLines, 4);
    EXPECT_EQ(store.OutputLines, (LineSet{"one", "two", "", "last without end"}));

    WriteBytes(name, "a\r\nb\r\n");
    EXPECT_EQ(ReadOutputLines(name, store), std::nullopt);
    EXPECT_EQ(store.NrOfOutputLines, 2);
    EXPECT_EQ(store.OutputLines, (LineSet{"a", "b"}));
}

TEST_F(OutputFile, EmptyFileGivesNoLinesAndKeepsTheOldOnes) {
    store.OutputLines = {"old 1", "old 2"};
    store.NrOfOutputLines = 2;
    const std::string name = folder.Path("empty.out");
    WriteBytes(name, "");
    EXPECT_EQ(ReadOutputLines(name, store), std::nullopt);
    EXPECT_EQ(store.NrOfOutputLines, 0);
    EXPECT_EQ(store.OutputLines, (LineSet{"old 1", "old 2"}));
}

TEST_F(OutputFile, UnopenableFileIsToldAndChangesNothing) {
    store.OutputLines = {"old"};
    store.NrOfOutputLines = 1;
    for (const std::string& name : {folder.Path("missing.out"), folder.Path("")}) {
        EXPECT_EQ(ReadOutputLines(name, store),
                  Told("The file \"" + name +
                       "\"could not be opened. It may be damaged, in use by another program,  "
                       "or the programmer should incorporate more time."));
        EXPECT_EQ(store.NrOfOutputLines, 1);
        EXPECT_EQ(store.OutputLines, LineSet{"old"});
    }
}

// An output name that leads to the input file, by a link either way or a
// hard link, would write the results over the data: nothing is written.
TEST_F(OutputFile, OutputThatIsTheInputFileIsRefused) {
    const std::string input = folder.Path("field.inp");
    const std::string output = folder.Path("field.out");
    for (const int how : {0, 1, 2}) {
        WriteBytes(how == 1 ? output : input, "the data");
        how == 0   ? std::filesystem::create_symlink(input, output)
        : how == 1 ? std::filesystem::create_symlink(output, input)
                   : std::filesystem::create_hard_link(input, output);
        store.FileName = input;
        try {
            WriteOutputFile(TCalculationResults{}, store);
            ADD_FAILURE() << how;
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.what(), SameFileMessage(input, output)) << how;
        }
        EXPECT_EQ(ReadBytes(input), "the data") << how;
        std::filesystem::remove(input);
        std::filesystem::remove(output);
    }
    std::filesystem::create_symlink(input, output);
    EXPECT_TRUE(LeadToSameFile(input, output)) << "a link to a file yet to be made";
}

} // namespace
