#include "FilesTestSupport.h"
#include "UInputFile.h"
#include "UOutputFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

namespace {

// Files written and read by a user whose numbers use a decimal comma must
// still use and accept ".".
class DecimalCommaLocale : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the locale de_DE.UTF-8 is missing (script/bootstrap makes it)";
        std::locale::global(std::locale("de_DE.UTF-8"));
    }
    void TearDown() override {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
};

TEST_F(DecimalCommaLocale, FilesKeepThePoint) {
    TTempFolder folder;
    TDMTylwen store = WorkedExampleStore();
    store.ImpermeableDepth = 12345.678;
    const std::string path = folder.Path("komma.inp");
    ASSERT_EQ(WriteInputFile(path, store), std::nullopt);
    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find(" Depth impermeable layer (m) 12345.678\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    1       5.000       0.600      1.000\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find(','), std::string::npos);

    store.FileName = path;
    const TReadInputResult read = ReadInputFile(store);
    ASSERT_EQ(read.Outcome, TReadInputOutcome::Read);
    EXPECT_EQ(store.ImpermeableDepth, 12345.678);
    EXPECT_EQ(store.InputDepthNear, (DataSetR{0.0, 1.0, 1.1, 1.15, 0.0, 0.0}));

    TCalculationResults result;
    result.SlopeA = 0.0092105;
    result.InterceptB = 0.0082237;
    result.Ka = 2072.368;
    const std::string output = FormatOutputFile("x.out", result);
    EXPECT_EQ(output.substr(output.find(" Q/H")),
              " Q/H\" = A.H\" + B  with  A =  0.009    B = 0.0082    H\" = H - E\r\n"
              " Ka = A*S^2/4 = 2072.368   Kb = B*S^2/8*d =  0.000  with d =  0.000\r\n"
              " (see Intro and Figure tabs)\r\n");
    EXPECT_EQ(read.Tell, std::nullopt);
}

} // namespace
