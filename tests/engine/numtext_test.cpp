// Reading numbers from field texts and writing numbers as texts.
#include "numtext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>

#include "engine_checks.h"

namespace coredesign {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberTexts, ParseTable) {
    // Values are compared exactly: each expected value is the double nearest the
    // decimal it names, which is what a correct parse gives. A text that does not
    // fit a double is no number and reads as 0; one that underflows is the number 0.
    // clang-format off
    const std::pair<std::string, double> numbers[] = {
        {"5", 5}, {".5", 0.5}, {"-5", -5}, {"+5", 5}, {"-.5e1", -5}, {"0.000318", 0.000318}, {"1D3", 1000},
        {"1d-2", 0.01}, {"2E+2", 200}, {"  12  ", 12}, {"&HFFFF", 65535}, {"&hff", 255}, {"  &H10", 16}, {"&O17", 15},
        {"0", 0}, {"-0", 0}, {"0e999999999", 0}, {"1e-400", 0}, {"4.9e-324", 4.9e-324},
        {"1.7976931348623157e308", 1.7976931348623157e308}, {"1e-310", 1e-310}, {"2.4e-324", 0},
        {"0.000000000000000000000000001e27", 1}};
    // clang-format on
    // Texts that are no number, with what the leading-number parse reads from them
    // (a NUL and broken UTF-8 among them).
    // Blanks inside a text are skipped by the parse but make no number; only blanks
    // are trimmed for the number test; the comma is never a decimal separator; a
    // vulgar half, a no-break space, Arabic-Indic and full-width digits are no digits.
    // clang-format off
    const std::pair<std::string, double> notNumbers[] = {
        {"&O8", 0}, {"&H", 0}, {"&HG", 0}, {"-&H1", 0}, {"+&H1", 0}, {"5&H1", 5}, {"&H 1F", 31}, {"& H1", 1},
        {"1e400", 0}, {"1e999999999999999999999", 0}, {"1.8e308", 0}, {".", 0}, {"", 0}, {"   ", 0}, {"1.2.3", 1.2},
        {"12V", 12}, {"abc", 0}, {"e5", 0}, {"1e", 1}, {"1E 5", 1e5}, {"1 2", 12}, {"- 5", -5}, {"\t7", 7},
        {"7\n", 7}, {"1\n2", 12}, {"5\r", 5}, {"5,5", 5}, {"1_000", 1}, {"0x10", 0}, {"+-5", 0}, {"Infinity", 0},
        {"NaN", 0}, {"nan", 0}, {"\xC2\xBD", 0}, {"5\xC2\xA0", 5}, {"\xD9\xA1\xD9\xA2", 0}, {"\xEF\xBC\x95", 0},
        {std::string("12\0" "3", 4), 12}, {"5\xC3", 5}, {"\xFF", 0}};
    // clang-format on
    auto check = [](const auto& list, bool isNumber) {
        for (const auto& [text, value] : list) {
            SCOPED_TRACE(::testing::PrintToString(text));
            const double v = Val(text);
            EXPECT_EQ(v, value);
            EXPECT_FALSE(std::signbit(v) && v == 0) << "negative zero";
            EXPECT_EQ(IsNumber(text), isNumber);
        }
    };
    check(numbers, true);
    check(notNumbers, false);
    // Long texts stay exact: 5000 ones and 300 hex digits overflow, 400 zeros underflow.
    EXPECT_EQ(Val(std::string(5000, '1')), 0);
    EXPECT_FALSE(IsNumber(std::string(5000, '1')));
    EXPECT_FALSE(IsNumber("&H" + std::string(300, 'F')));
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(Val("0." + std::string(300, '3')), 1.0 / 3);
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
}

TEST(NumberTexts, ToInt16HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        int out;
    } cases[] = {{2.5, 2},      {3.5, 4},       {-2.5, -2},       {0.5, 0},     {9.4, 9},         {9.6, 10},
                 {-0.4, 0},     {32767, 32767}, {32767.4, 32767}, {32767.5, 0}, {-32768, -32768}, {-32768.5, -32768},
                 {-32768.6, 0}, {40000, 0},     {-1e10, 0},       {1e300, 0},   {kNaN, 0},        {kInf, 0}};
    for (const auto& c : cases) EXPECT_EQ(ToInt16(c.in), c.out) << c.in;
}

TEST(NumberTexts, FormatTable) {
    // Rounding sends halves to the even digit, deciding on the binary value; a
    // figure without a finite value has no text.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {FormatPlain(0), "0"}, {FormatPlain(-0.0), "0"}, {FormatPlain(0.5), "0.5"}, {FormatPlain(100000), "100000"},
        {FormatPlain(-1234.5), "-1234.5"}, {FormatPlain(0.1 + 0.2), "0.3"},
        {FormatPlain(1.0 / 3), "0.333333333333333"}, {FormatPlain(0.0001), "0.0001"}, {FormatPlain(1e-5), "1E-05"},
        {FormatPlain(1.5e20), "1.5E+20"}, {FormatPlain(1e14), "100000000000000"}, {FormatPlain(1e15), "1E+15"},
        {FormatPlain(123456789012345678.0), "1.23456789012346E+17"}, {FormatPlain(-2.5e-7), "-2.5E-07"},
        {FormatPlain(4.9406564584124654e-324), "4.94065645841247E-324"}, {FormatPlain(0.57 * 100), "57"},
        {FormatPlain(kInf), ""}, {FormatPlain(kNaN), ""}, {FormatRounded(0.125, 2), "0.12"},
        {FormatRounded(0.375, 2), "0.38"}, {FormatRounded(1.005, 2), "1"}, {FormatRounded(2.675, 2), "2.67"},
        {FormatRounded(32.5, 0), "32"}, {FormatRounded(33.5, 0), "34"}, {FormatRounded(-12.5, 0), "-12"},
        {FormatRounded(1.50, 2), "1.5"}, {FormatRounded(0.12344, 4), "0.1234"}, {FormatRounded(99.96, 1), "100"},
        {FormatRounded(0.000105 * 1000000, 1), "105"}, {FormatRounded(0.0125 * 1000, 2), "12.5"},
        {FormatRounded(-0.001, 2), "0"}, {FormatRounded(1e20, 4), "1E+20"}, {FormatRounded(0.00004, 4), "0"},
        {FormatRounded(0.00005, 4), "0.0001"}, {FormatRounded(-kInf, 2), ""}, {FormatRounded(kNaN, 0), ""},
        {FormatWhole(-32768), "-32768"}, {FormatWhole(32767), "32767"}};
    // clang-format on
    for (size_t k = 0; k < std::size(cases); ++k) EXPECT_EQ(cases[k].first, cases[k].second) << "case " << k;
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

// The reading and the rounding take short cuts for the common texts and
// values; on random ones, many of them at or beside a half of the last place,
// they agree bit for bit with the full conversions: the correctly rounded
// reading of the digits, and the exact fixed decimal form read back.
TEST(NumberTexts, ShortCutsAgreeWithTheFullConversions) {
    std::mt19937_64 gen(0x7e57ULL);
    auto pick = [&](unsigned n) { return static_cast<int>(gen() % n); };
    for (int k = 0; k < 100000; ++k) {
        std::string digits;
        for (int d = 0, n = 1 + pick(20); d < n; ++d) digits += static_cast<char>('0' + pick(10));
        const size_t point = static_cast<size_t>(pick(static_cast<unsigned>(digits.size()) + 1));
        std::string text = digits.substr(0, point) + "." + digits.substr(point);
        if (pick(4) == 0) text += "e" + std::to_string(pick(61) - 30);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        if (pick(3) == 0) {
            text.insert(0, "-");
            expected = -expected;
        }
        ASSERT_EQ(Val(text), expected == 0 ? 0.0 : expected) << text;
        ASSERT_TRUE(IsNumber(text)) << text;

        const int places = pick(9);
        double value = std::ldexp(static_cast<double>(gen() >> 11), pick(80) - 100);
        if (pick(2) == 0) {  // a half of the last place, or one of its neighbours
            value = (std::floor(value * std::pow(10.0, places)) + 0.5) / std::pow(10.0, places);
            for (int step = pick(5) - 2; step != 0; step += step > 0 ? -1 : 1)
                value = std::nextafter(value, step > 0 ? kInf : -kInf);
        }
        if (pick(2) == 0) value = -value;
        char fixed[512];
        const auto end = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed, places).ptr;
        double rounded = 0;
        std::from_chars(fixed, end, rounded);
        ASSERT_EQ(std::signbit(RoundHalfEven(value, places)), std::signbit(rounded)) << value;
        ASSERT_EQ(RoundHalfEven(value, places), rounded) << std::string(fixed, end);
    }
}

}  // namespace
}  // namespace coredesign
