// Reading numbers from field texts and writing numbers as texts.
#include "numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "test_support.h"

namespace coredesign {
namespace {

struct ParseCase {
    const char* text;
    double value;   // the leading-number parse
    bool isNumber;  // the whole trimmed text is a number
};

// Values are compared exactly: each expected value is the double nearest the
// decimal it names, which is what a correct parse gives.
const ParseCase kParseCases[] = {
    {"5", 5, true},
    {"5.", 5, true},
    {".5", 0.5, true},
    {"-5", -5, true},
    {"+5", 5, true},
    {"-.5e1", -5, true},
    {"0.000318", 0.000318, true},
    {"1D3", 1000, true},
    {"1d-2", 0.01, true},
    {"2E+2", 200, true},
    {"1e-5", 1e-5, true},
    {"  12  ", 12, true},
    {"&HFFFF", 65535, true},
    {"&hff", 255, true},
    {"  &H10", 16, true},
    {"&O17", 15, true},
    {"&o777", 511, true},
    {"&O8", 0, false},
    {"&H", 0, false},
    {"&HG", 0, false},
    {"-&H1", 0, false},
    {"+&H1", 0, false},
    {"5&H1", 5, false},
    {"&H 1F", 31, false},  // blanks are skipped by the parse, but make no number
    {"& H1", 1, false},    // ... also between the ampersand and its letter
    {" &\tO 17", 15, false},
    {"0", 0, true},
    {"-0", 0, true},
    {"0.0", 0, true},
    {"0e999999999", 0, true},
    {"1e400", 0, false},  // does not fit a double: not a number, and reads as 0
    {"-1e400", 0, false},
    {"1e999999999999999999999", 0, false},
    {"1e-400", 0, true},  // underflows to the number 0
    {"1.7976931348623157e308", 1.7976931348623157e308, true},
    {"1.8e308", 0, false},
    {"4.9e-324", 4.9e-324, true},
    {"0.000000000000000000000000001e27", 1, true},
    {".", 0, false},
    {"", 0, false},
    {"   ", 0, false},
    {"1.2.3", 1.2, false},
    {"12V", 12, false},
    {"48V", 48, false},
    {"12abc", 12, false},
    {"abc", 0, false},
    {"e5", 0, false},
    {"1e", 1, false},
    {"1e+", 1, false},
    {"1E 5", 1e5, false},
    {"1 2", 12, false},
    {"1 . 5", 1.5, false},
    {"- 5", -5, false},
    {"\t7", 7, false},  // only blanks are trimmed for the number test
    {"7\n", 7, false},
    {"1\n2", 12, false},
    {"\t\n 3 4", 34, false},
    {"5\r", 5, false},
    {"5,5", 5, false},  // the comma is never a decimal separator
    {"1_000", 1, false},
    {"0x10", 0, false},
    {"--5", 0, false},
    {"+-5", 0, false},
    {"Infinity", 0, false},
    {"inf", 0, false},
    {"NaN", 0, false},
    {"nan", 0, false},
    {"\xC2\xBD", 0, false},          // a vulgar half
    {"5\xC2\xA0", 5, false},         // a no-break space is no blank
    {"\xD9\xA1\xD9\xA2", 0, false},  // Arabic-Indic digits
    {"\xEF\xBC\x95", 0, false},      // a full-width 5
};

class ParseTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, ValAndIsNumber) {
    const ParseCase& c = GetParam();
    const double v = Val(c.text);
    EXPECT_EQ(v, c.value);
    EXPECT_FALSE(std::signbit(v) && v == 0) << "negative zero";
    EXPECT_EQ(IsNumber(c.text), c.isNumber);
}

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.text));
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseTable, ::testing::ValuesIn(kParseCases),
                         [](const ::testing::TestParamInfo<ParseCase>& info) {
                             return testing::ParamName(info.index, info.param.text);
                         });

TEST(Val, SubnormalValuesSurvive) {
    EXPECT_EQ(Val("1e-310"), 1e-310);
    EXPECT_EQ(Val("2.4e-324"), 0);  // nearer to zero than to the smallest subnormal
}

TEST(Val, LongTextsStayExact) {
    std::string many(5000, '1');
    EXPECT_EQ(Val(many), 0);  // about 1.1e4999 overflows
    EXPECT_FALSE(IsNumber(many));
    std::string small = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(Val(small), 0);
    EXPECT_TRUE(IsNumber(small));
    std::string third = "0." + std::string(300, '3');
    EXPECT_EQ(Val(third), 1.0 / 3);
    std::string hex = "&H" + std::string(300, 'F');  // about 2^1200
    EXPECT_EQ(Val(hex), 0);
    EXPECT_FALSE(IsNumber(hex));
}

TEST(TrimBlanks, OnlyBlanks) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimBlanks("    "), "");
}

TEST(ToInt16, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        int out;
    } cases[] = {
        {2.5, 2},           {3.5, 4},      {-2.5, -2},     {0.5, 0},         {1.5, 2},     {9.4, 9},
        {9.6, 10},          {-0.4, 0},     {32767, 32767}, {32767.4, 32767}, {32767.5, 0}, {-32768, -32768},
        {-32768.5, -32768}, {-32768.6, 0}, {40000, 0},     {-1e10, 0},       {1e300, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ToInt16(c.in), c.out) << c.in;
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::infinity()), 0);
}

struct FormatCase {
    double value;
    int places;  // -1: the plain form
    const char* text;
};

const FormatCase kFormatCases[] = {
    {0, -1, "0"},
    {-0.0, -1, "0"},
    {2, -1, "2"},
    {0.5, -1, "0.5"},
    {100000, -1, "100000"},
    {-1234.5, -1, "-1234.5"},
    {0.1 + 0.2, -1, "0.3"},
    {1.0 / 3, -1, "0.333333333333333"},
    {0.0001, -1, "0.0001"},
    {1e-5, -1, "1E-05"},
    {1.5e20, -1, "1.5E+20"},
    {1e14, -1, "100000000000000"},
    {1e15, -1, "1E+15"},
    {123456789012345678.0, -1, "1.23456789012346E+17"},
    {1e100, -1, "1E+100"},
    {-2.5e-7, -1, "-2.5E-07"},
    {4.9406564584124654e-324, -1, "4.94065645841247E-324"},
    {0.57 * 100, -1, "57"},
    {0.125, 2, "0.12"},  // an exact half goes to the even digit
    {0.375, 2, "0.38"},
    {0.625, 2, "0.62"},
    {1.005, 2, "1"},  // stored below the half
    {2.675, 2, "2.67"},
    {32.5, 0, "32"},
    {33.5, 0, "34"},
    {12.5, 0, "12"},
    {-12.5, 0, "-12"},
    {1.50, 2, "1.5"},
    {3.00, 2, "3"},
    {0.12344, 4, "0.1234"},
    {99.96, 1, "100"},
    {0.000105 * 1000000, 1, "105"},
    {0.0125 * 1000, 2, "12.5"},
    {0.456, 2, "0.46"},
    {-0.001, 2, "0"},  // rounds to a negative zero, written 0
    {1e20, 4, "1E+20"},
    {0.00004, 4, "0"},
    {0.00005, 4, "0.0001"},                             // 5e-05 is stored just above the half
    {std::numeric_limits<double>::infinity(), -1, ""},  // no text for a figure without a finite value
    {-std::numeric_limits<double>::infinity(), 2, ""},
    {std::numeric_limits<double>::quiet_NaN(), -1, ""},
    {std::numeric_limits<double>::quiet_NaN(), 0, ""},
};

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, Text) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(c.places < 0 ? FormatPlain(c.value) : FormatRounded(c.value, c.places), c.text);
}

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value << " to " << c.places << " places";
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormatTable, ::testing::ValuesIn(kFormatCases),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             return testing::ParamName(info.index, info.param.text);
                         });

TEST(RoundHalfEven, DecidesOnTheBinaryValue) {
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(-0.0305, 3), -0.03);  // -0.0305 is stored just above the half
    EXPECT_EQ(RoundHalfEven(-0.0315, 3), -0.032);
    EXPECT_EQ(RoundHalfEven(2.5, 0), 2);
    EXPECT_EQ(RoundHalfEven(-2.5, 0), -2);
    EXPECT_EQ(RoundHalfEven(1e300, 3), 1e300);
    EXPECT_TRUE(std::isinf(RoundHalfEven(-std::numeric_limits<double>::infinity(), 3)));
}

TEST(FormatWhole, Digits) {
    EXPECT_EQ(FormatWhole(0), "0");
    EXPECT_EQ(FormatWhole(-5), "-5");
    EXPECT_EQ(FormatWhole(32767), "32767");
    EXPECT_EQ(FormatWhole(-32768), "-32768");
}

TEST(NumberTexts, CommaLocaleWritesACommaAndStillReadsThePoint) {
    testing::LocaleGuard restore;
    if (!testing::UseCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma is installed or could be generated";
    EXPECT_EQ(DecimalSeparator(), ",");
    EXPECT_EQ(FormatPlain(1.5), "1,5");
    EXPECT_EQ(FormatPlain(1.5e-7), "1,5E-07");
    EXPECT_EQ(FormatPlain(100000), "100000");  // no thousands separator
    EXPECT_EQ(FormatRounded(0.125, 2), "0,12");
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Val("1,5"), 1);
    EXPECT_TRUE(IsNumber("1.5"));
    EXPECT_FALSE(IsNumber("1,5"));
}

}  // namespace
}  // namespace coredesign
