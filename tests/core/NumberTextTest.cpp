#include "UFloatMath.h"
#include "UNumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>
#include <vector>

namespace {

void ExpectConvertError(const std::string& text) {
    try {
        StringToFloat(text);
        ADD_FAILURE() << "'" << text << "' was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid floating point value");
    }
}

void ExpectDecimalTextsConvert() {
    EXPECT_EQ(StringToFloat("1.5"), 1.5);
    EXPECT_EQ(StringToFloat("1,5"), 1.5);
    EXPECT_EQ(StringToFloat(" 2"), 2.0);
    EXPECT_EQ(StringToFloat("  -0.25  "), -0.25);
    EXPECT_EQ(StringToFloat("+12,5"), 12.5);
    EXPECT_EQ(StringToFloat(".5"), 0.5);
    EXPECT_EQ(StringToFloat("5."), 5.0);
    EXPECT_EQ(StringToFloat("1E-3"), 0.001);
    EXPECT_EQ(StringToFloat("1,5e+2"), 150.0);
    EXPECT_EQ(StringToFloat("2.5E2"), 250.0);
    EXPECT_EQ(StringToFloat("0.1"), 0.1);
    EXPECT_EQ(StringToFloat("007"), 7.0);
    EXPECT_EQ(StringToFloat("1.7976931348623157e308"), 1.7976931348623157e308);
}

const std::vector<std::string> NoNumbers = {
    "",     " ",        "abc",   "1.5x", "1.000,5", "1,5.0", "1 5",   "--1",   "+-1",
    "-",    ".",        ",",     "e5",   "1e",      "1e+",   "nan",   "NaN",   "inf",
    "-inf", "Infinity", "0x1p3", "0x10", "1\t2",    "1-3",   "1e400", "-1e400"};

TEST(StringToFloat, AcceptsEitherDecimalSeparator) {
    ExpectDecimalTextsConvert();
}

TEST(StringToFloat, RefusesWhatIsNoNumberNamingTheText) {
    for (const std::string& text : NoNumbers) {
        ExpectConvertError(text);
    }
}

TEST(StringToFloat, TinyValuesUnderflowToZero) {
    EXPECT_EQ(StringToFloat("1e-400"), 0.0);
    EXPECT_EQ(StringToFloat("0,0000001e-320"), 0.0);
    EXPECT_EQ(StringToFloat("0e99999999999999999999"), 0.0);
    ExpectConvertError("1e99999999999999999999");
}

// Restores the C locale however the test ends.
class DecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "locale de_DE.UTF-8 missing";
        std::locale::global(std::locale("de_DE.UTF-8"));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_F(DecimalCommaLocale, ConversionsIgnoreTheLocale) {
    ExpectDecimalTextsConvert();
    for (const std::string& text : NoNumbers) {
        ExpectConvertError(text);
    }
    EXPECT_EQ(FormatGeneral(1.5), "1.5");
    EXPECT_EQ(FormatGeneral(-1.5e-7), "-1.5E-7");
}

TEST(FormatGeneral, FixedNotationInTheMiddleRange) {
    EXPECT_EQ(FormatGeneral(1.2), "1.2");
    EXPECT_EQ(FormatGeneral(50), "50");
    EXPECT_EQ(FormatGeneral(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(-0.25), "-0.25");
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00012), "0.00012");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1.2 - 0.6), "0.6");
    // Values of a few decimals, as files hold them, take a shorter road.
    EXPECT_EQ(FormatGeneral(-1234.5), "-1234.5");
    EXPECT_EQ(FormatGeneral(0.001), "0.001");
    EXPECT_EQ(FormatGeneral(0.0005), "0.0005");
    EXPECT_EQ(FormatGeneral(999999999999.999), "999999999999.999");
}

TEST(FormatGeneral, ScientificNotationOutsideIt) {
    EXPECT_EQ(FormatGeneral(0.00005), "5E-5");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatGeneral(999999999999999.9), "1E15");
    EXPECT_EQ(FormatGeneral(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FormatGeneral(1.25e20), "1.25E20");
    EXPECT_EQ(FormatGeneral(1e300), "1E300");
    EXPECT_EQ(FormatGeneral(4.9406564584124654e-324), "4.94065645841247E-324");
}

TEST(FormatGeneral, ZeroIsPlain) {
    EXPECT_EQ(FormatGeneral(0.0), "0");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
}

TEST(FormatGeneral, ShownValuesReadBackToFifteenDigits) {
    for (const double value : {1.2, 0.00005, 2.322957, -1234.5678, 6.02e23, 1.0 / 7.0}) {
        EXPECT_NEAR(StringToFloat(FormatGeneral(value)), value, std::fabs(value) * 1e-14);
    }
}

TEST(ParseWholeNumber, AcceptsDecimalAndHexadecimal) {
    EXPECT_EQ(ParseWholeNumber("15"), 15);
    EXPECT_EQ(ParseWholeNumber("   15"), 15);
    EXPECT_EQ(ParseWholeNumber("+15"), 15);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("$1F"), 31);
    EXPECT_EQ(ParseWholeNumber("x10"), 16);
    EXPECT_EQ(ParseWholeNumber("X10"), 16);
    EXPECT_EQ(ParseWholeNumber("0x1f"), 31);
    EXPECT_EQ(ParseWholeNumber("0X1F"), 31);
    EXPECT_EQ(ParseWholeNumber("-$10"), -16);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseWholeNumber("$7FFFFFFF"), 2147483647);
}

TEST(ParseWholeNumber, RefusesAnythingElse) {
    for (const char* text :
         {"", " ", "abc", "15 ", "1.5", "1e3", "1 5", "--1", "+-1", "-", "$", "0x", "$-1", "$G",
          "12a", "2147483648", "-2147483649", "$80000000", "99999999999999999999"}) {
        EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << "'" << text << "'";
    }
}

} // namespace
