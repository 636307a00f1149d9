// Reading numbers from field texts and writing numbers as texts.
#include "numtext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

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

// The portable forms, by hand: the fixed or exponent choice of the shortest
// form (the fixed one on a tie), whole numbers with all their digits, the
// %g rules, exact halves and the texts of what is not finite.
TEST(NumberTexts, PortableFormsTable) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {FormatShortest(1.83), "1.83"}, {FormatShortest(100000), "1e+05"}, {FormatShortest(12345), "12345"},
        {FormatShortest(0.001), "0.001"}, {FormatShortest(0.0001), "1e-04"}, {FormatShortest(1.5e-7), "1.5e-07"},
        {FormatShortest(0.1 + 0.2), "0.30000000000000004"}, {FormatShortest(1e100), "1e+100"},
        {FormatShortest(123456789012345678901.0), "123456789012345683968"}, {FormatShortest(-0.0), "-0"},
        {FormatShortest(4.9406564584124654e-324), "5e-324"}, {FormatShortest(-kInf), "-inf"},
        {FormatShortest(kNaN), "nan"}, {FormatShortest(-kNaN), "-nan"},
        {FormatSignificant(0.1, 17), "0.10000000000000001"}, {FormatSignificant(318, 17), "318"},
        {FormatSignificant(1e15, 15), "1e+15"}, {FormatSignificant(1e14, 15), "100000000000000"},
        {FormatSignificant(317.68, 6), "317.68"}, {FormatSignificant(3.17675e-4, 6), "0.000317675"},
        {FormatSignificant(2.5e-5, 6), "2.5e-05"}, {FormatSignificant(1234567, 6), "1.23457e+06"},
        {FormatSignificant(0.5, 0), "0.5"}, {FormatSignificant(-0.0, 6), "-0"}, {FormatSignificant(kInf, 17), "inf"},
        {FormatSignificant(4.9406564584124654e-324, 15), "4.94065645841247e-324"},
        {FormatFixed(0.125, 2), "0.12"}, {FormatFixed(0.375, 2), "0.38"}, {FormatFixed(2.5, 0), "2"},
        {FormatFixed(1.005, 2), "1.00"}, {FormatFixed(-0.001, 2), "-0.00"}, {FormatFixed(1e21, 1), "1000000000000000000000.0"},
        {FormatFixed(kNaN, 3), "nan"}};
    // clang-format on
    for (size_t k = 0; k < std::size(cases); ++k) EXPECT_EQ(cases[k].first, cases[k].second) << "case " << k;

    double v = 1;
    const std::pair<std::string, DecimalReading> readings[] = {
        {"1.5", DecimalReading::Value},         {"-.5e-3", DecimalReading::Value},
        {"0e999", DecimalReading::Value},       {"1e309", DecimalReading::Overflow},
        {"-1e-400", DecimalReading::Underflow}, {"2e-324", DecimalReading::Underflow},
        {"3e-324", DecimalReading::Value},      {"+1", DecimalReading::NotDecimal},
        {"inf", DecimalReading::NotDecimal},    {"nan", DecimalReading::NotDecimal},
        {"1e", DecimalReading::NotDecimal},     {"1.5x", DecimalReading::NotDecimal},
        {".", DecimalReading::NotDecimal},      {"", DecimalReading::NotDecimal},
        {"-", DecimalReading::NotDecimal}};
    for (const auto& [text, reading] : readings) EXPECT_EQ(ReadDecimal(text, v), reading) << text;
    ReadDecimal("-1e309", v);
    EXPECT_EQ(v, -kInf);
    ReadDecimal("-1e-400", v);
    EXPECT_TRUE(v == 0 && std::signbit(v));
    ReadDecimal("0.000318", v);
    EXPECT_EQ(v, 0.000318);
}

// Doubles worth writing: random bit patterns over every exponent (subnormals
// among them), short decimals, values whose digits end in a 5 after the
// point, large whole numbers beyond 2^53, powers of two and ten with their
// neighbours, and the extremes.
std::vector<double> DoublesToWrite() {
    std::mt19937_64 gen(0x6e756dULL);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  kInf,
                                  -kInf,
                                  kNaN,
                                  -kNaN,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  0.1,
                                  0.2,
                                  0.3,
                                  1.0 / 3,
                                  2.0 / 3,
                                  9007199254740993.0,
                                  1e21,
                                  1e22,
                                  1e23};
    for (int k = 0; k < 20000; ++k) {
        std::uint64_t bits = gen();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
        const double sign = gen() % 2 ? 1 : -1;
        values.push_back(sign * static_cast<double>(gen() % 2000000) / std::pow(10.0, static_cast<int>(gen() % 9)));
        values.push_back(sign * (static_cast<double>(gen() % 100000) + 0.5) /
                         std::pow(10.0, static_cast<int>(gen() % 6)));
        values.push_back(std::ldexp(static_cast<double>(gen() % 100000), -static_cast<int>(gen() % 20)));
        values.push_back(std::ldexp(static_cast<double>(gen() >> 11), static_cast<int>(gen() % 30)));
    }
    for (int e = -1074; e < 1024; e += 3) {
        const double p = std::ldexp(1.0, e);
        values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, kInf)});
    }
    for (int e = -323; e <= 308; ++e) {
        const double p = std::pow(10.0, e);
        values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, kInf)});
    }
    return values;
}

std::string StandardText(double value, std::chars_format format, int precision) {
    static char text[2000];
    const auto written = precision < 0 ? std::to_chars(text, text + sizeof text, value)
                                       : std::to_chars(text, text + sizeof text, value, format, precision);
    return written.ec == std::errc() ? std::string(text, written.ptr) : "(too long)";
}

// Every form of every double above, byte for byte as the standard library's
// exact conversions write it where the compiler's library has them (GCC's,
// MinGW-w64's): the shortest round trip, 1 to 20 significant digits (6, 15
// and 17 always), and 0 to 25 places, a few values with up to 1100 places
// (more than the longest exact decimal of a double).
TEST(NumberTexts, EveryFormWritesWhatTheStandardConversionsWrite) {
    std::mt19937_64 gen(0xf0e1ULL);
    int compared = 0;
    for (const double v : DoublesToWrite()) {
        SCOPED_TRACE(StandardText(v, std::chars_format::hex, 13));
        ASSERT_EQ(FormatShortest(v), StandardText(v, std::chars_format::general, -1));
        for (const int digits : {6, 15, 17, 1 + static_cast<int>(gen() % 20)})
            ASSERT_EQ(FormatSignificant(v, digits), StandardText(v, std::chars_format::general, digits)) << digits;
        if (std::isfinite(v)) {
            for (const int places : {static_cast<int>(gen() % 5), static_cast<int>(gen() % 26)})
                ASSERT_EQ(FormatFixed(v, places), StandardText(v, std::chars_format::fixed, places)) << places;
        }
        compared += 1;
    }
    for (const double v : {4.9406564584124654e-324, 2.2250738585072014e-308, 0.1, -1.5e-300})
        for (const int places : {330, 700, 1100})
            EXPECT_EQ(FormatFixed(v, places), StandardText(v, std::chars_format::fixed, places)) << v << " " << places;
    EXPECT_GT(compared, 100000);
}

// An exact decimal of m * 2^e: digits and the power of ten of the last, as
// "<digits>e<power>". Kept in base-10^9 limbs, multiplied up by powers of two
// or five.
std::string ExactDecimal(std::uint64_t m, int e) {
    std::vector<std::uint64_t> limbs;  // least significant first
    for (std::uint64_t rest = m; rest != 0; rest /= 1000000000) limbs.push_back(rest % 1000000000);
    auto multiply = [&](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % 1000000000;
            carry = product / 1000000000;
        }
        for (; carry != 0; carry /= 1000000000) limbs.push_back(carry % 1000000000);
    };
    // m * 2^e is m * 2^e for e >= 0, and m * 5^-e * 10^e below.
    for (int left = std::abs(e); left > 0; left -= 13) {
        const int step = std::min(left, 13);
        std::uint64_t factor = 1;
        for (int k = 0; k < step; ++k) factor *= e >= 0 ? 2 : 5;
        multiply(factor);
    }
    std::string digits = std::to_string(limbs.back());
    for (size_t k = limbs.size() - 1; k-- > 0;) {
        const std::string limb = std::to_string(limbs[k]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    return digits + "e" + std::to_string(e >= 0 ? 0 : e);
}

// Decimal texts worth reading: the shortest and 17-digit texts of many
// doubles, long runs of digits, and the exact halfway points between
// neighbouring doubles (a tie, which goes to the even one) with texts one
// unit above and below them, over every exponent from the subnormals to the
// largest double and beyond it.
TEST(NumberTexts, ReadDecimalReadsWhatTheStandardReadingReads) {
    std::mt19937_64 gen(0x7265ULL);
    std::vector<std::string> texts = {
        "2.4703282292062327e-324", "2.4703282292062328e-324",          "1.7976931348623158e308",
        "1.7976931348623159e308",  "0." + std::string(400, '0') + "1", std::string(400, '9'),
        "9007199254740993",        "9007199254740993.000001"};
    for (const double v : DoublesToWrite()) {
        if (!std::isfinite(v)) continue;
        texts.push_back(StandardText(v, std::chars_format::general, -1));
        texts.push_back(StandardText(v, std::chars_format::general, 17));
    }
    for (int k = 0; k < 2000; ++k) {
        std::string digits;
        for (int d = 0, n = 1 + static_cast<int>(gen() % 800); d < n; ++d)
            digits += static_cast<char>('0' + gen() % 10);
        texts.push_back(digits + "e" + std::to_string(static_cast<int>(gen() % 1400) - 1100));
    }
    for (int k = 0; k < 3000; ++k) {
        // A double m * 2^q with its last place 2^q, q from -1074 to 971; the
        // halfway point to the next one up is (2m + 1) * 2^(q - 1).
        const int q = -1074 + static_cast<int>(gen() % 2046);
        const std::uint64_t m =
            q == -1074 ? gen() % (std::uint64_t{1} << 53) : (std::uint64_t{1} << 52) | (gen() >> 12);
        std::string half = ExactDecimal(2 * m + 1, q - 1);
        texts.push_back(half);
        const size_t e = half.find('e');
        std::string above = half.substr(0, e) + "1" + half.substr(e), below = half;
        size_t last = e - 1;
        while (below[last] == '0') below[last--] = '9';
        below[last] = static_cast<char>(below[last] - 1);
        const long long power = std::stoll(half.substr(e + 1));
        above = above.substr(0, above.find('e')) + "e" + std::to_string(power - 1);
        texts.push_back(above);
        texts.push_back(below);
    }
    int ties = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size() > 60 ? text.substr(0, 30) + "..." + text.substr(text.size() - 30) : text);
        double expected = -1, v = -1;
        const auto standard = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(standard.ptr, text.data() + text.size());
        const DecimalReading reading = ReadDecimal(text, v);
        if (standard.ec == std::errc()) {
            ASSERT_EQ(reading, DecimalReading::Value);
            ASSERT_EQ(std::memcmp(&v, &expected, sizeof v), 0) << v << " " << expected;
        } else {
            // The standard reading reports a value beyond the range without one.
            ASSERT_TRUE(reading == DecimalReading::Overflow ? std::isinf(v)
                                                            : reading == DecimalReading::Underflow && v == 0);
        }
        ties += text.find('e') != std::string::npos && text.size() > 100;
    }
    EXPECT_GT(ties, 1000);
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
