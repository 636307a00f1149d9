#include "numtext.h"

// The formatting library (fmt) is used in its header-only form, and only here.
#define FMT_HEADER_ONLY
#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

namespace coredesign {
namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr long long kLargestExactPower = 22;

// The longest fixed text the rounding reads back (see RoundHalfEven).
constexpr std::size_t kLongestFixedText = 512;

// Places that the fixed form of the formatting library always writes in
// full: with at most 309 digits before the point, fewer than its 767
// significant digits.
constexpr int kPlacesAlwaysWritten = 400;

// The places after the point of a finite double's exact decimal (a double
// m x 2^q with an odd m has -q of them when q < 0).
int ExactDecimalPlaces(double value) {
    if (value == 0) return 0;
    int exponent = 0;
    auto m = static_cast<std::uint64_t>(std::ldexp(std::fabs(std::frexp(value, &exponent)), 53));
    exponent -= 53;
    while (m % 2 == 0) {
        m /= 2;
        ++exponent;
    }
    return std::max(-exponent, 0);
}

// The text of a value that is not finite, or of a zero (with its sign).
std::string NotFiniteOrZero(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return std::signbit(value) ? "-0" : "0";
}

// The shortest digits that read back as a positive finite double, without
// leading or trailing zeros, and the place of the first: the value is
// d.ddd x 10^exponent.
struct ShortestDigits {
    char digits[20];
    int count = 0;
    int exponent = 0;
};

ShortestDigits ShortestDigitsOf(double magnitude) {
    // The shortest text of the formatting library, in its own choice of the
    // fixed or the exponent form ("0.001", "1.5e-07", "100000", "1e+16").
    char text[40];
    const char* const end = fmt::format_to(text, FMT_COMPILE("{}"), magnitude);
    char raw[40];
    int rawCount = 0, wholeDigits = -1;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.')
            wholeDigits = rawCount;
        else
            raw[rawCount++] = *p;
    }
    if (wholeDigits < 0) wholeDigits = rawCount;
    int exponent = 0;
    if (p != end) {
        const bool negative = p[1] == '-';
        for (p += 2; p != end; ++p) exponent = exponent * 10 + (*p - '0');
        if (negative) exponent = -exponent;
    }
    int first = 0, last = rawCount;
    while (first < last && raw[first] == '0') ++first;
    while (last > first && raw[last - 1] == '0') --last;
    ShortestDigits s;
    s.count = last - first;
    std::memcpy(s.digits, raw + first, static_cast<std::size_t>(s.count));
    s.exponent = wholeDigits - 1 - first + exponent;
    return s;
}

// d.ddde+XX: the exponent with its sign and at least two digits.
void AppendExponentForm(std::string& out, const ShortestDigits& s) {
    out += s.digits[0];
    if (s.count > 1) out.append(1, '.').append(s.digits + 1, static_cast<std::size_t>(s.count - 1));
    out += s.exponent < 0 ? "e-" : "e+";
    const int e = std::abs(s.exponent);
    if (e < 10) out += '0';
    out += std::to_string(e);
}

// The digits at their places, with a point only before a fraction: "1830",
// "18.3", "0.00183".
void AppendPositionalForm(std::string& out, const ShortestDigits& s) {
    const auto count = static_cast<std::size_t>(s.count);
    if (s.exponent < 0) {
        out.append("0.").append(static_cast<std::size_t>(-s.exponent - 1), '0').append(s.digits, count);
        return;
    }
    const auto whole = static_cast<std::size_t>(s.exponent) + 1;
    if (count <= whole) {
        out.append(s.digits, count).append(whole - count, '0');
        return;
    }
    out.append(s.digits, whole).append(1, '.').append(s.digits + whole, count - whole);
}

// Collected pieces of a decimal literal, turned into a double exactly once.
// The digits are kept in place; only a literal of more digits than that
// spills them into a string.
class DecimalLiteral {
public:
    bool negative = false;
    long long pointShift = 0;  // decimal exponent contributed by the point position
    long long exponent = 0;    // explicit exponent, clamped
    bool overflow = false;
    bool underflow = false;

    // True before the first significant digit (leading zeros are not kept).
    bool NoDigits() const { return count_ == 0; }
    void AddDigit(char c) {
        if (count_ < kInlineDigits) {
            inline_[count_] = c;
        } else {
            if (count_ == kInlineDigits) spilled_.assign(inline_, kInlineDigits);
            spilled_ += c;
        }
        if (count_ < kMantissaDigits) mantissa_ = mantissa_ * 10 + static_cast<std::uint64_t>(c - '0');
        ++count_;
    }
    size_t Count() const { return count_; }
    // The first digits as an integer, exact while Count() <= kMantissaDigits.
    std::uint64_t Mantissa() const { return mantissa_; }
    std::string_view Digits() const {
        return count_ <= kInlineDigits ? std::string_view(inline_, count_) : std::string_view(spilled_);
    }

    static constexpr size_t kMantissaDigits = 15;  // below 2^53: exact in a double

private:
    static constexpr size_t kInlineDigits = 40;
    char inline_[kInlineDigits];
    size_t count_ = 0;
    std::uint64_t mantissa_ = 0;
    std::string spilled_;
};

constexpr long long kExponentClamp = 100000000;

void AddExponentDigit(long long& exponent, char c) {
    if (exponent < kExponentClamp) exponent = exponent * 10 + (c - '0');
}

// The correctly rounded double of digits x 10^e.
double ReadDigits(std::string_view digits, long long e, DecimalReading& reading) {
    std::string text(digits);
    text += 'e';
    text += std::to_string(e);
    double v = 0;
    reading = ReadDecimal(text, v);
    return v;
}

double ToDouble(DecimalLiteral& lit) {
    if (lit.NoDigits()) return lit.negative ? -0.0 : 0.0;
    long long e = lit.exponent + lit.pointShift;
    // Magnitude estimate: value = 0.d1d2... * 10^(len + e).
    long long magnitude = static_cast<long long>(lit.Count()) + e;
    if (magnitude > 400) {
        lit.overflow = true;
        return 0;
    }
    if (magnitude < -400) {
        lit.underflow = true;
        return lit.negative ? -0.0 : 0.0;
    }
    // Few digits and a small exponent: the integer and the power of ten are
    // both exact, so one multiplication or division rounds correctly, to the
    // same double as the full conversion.
    if (lit.Count() <= DecimalLiteral::kMantissaDigits && e >= -kLargestExactPower && e <= kLargestExactPower) {
        const double m = static_cast<double>(lit.Mantissa());
        const double v = e < 0 ? m / kExactPowersOfTen[-e] : m * kExactPowersOfTen[e];
        return lit.negative ? -v : v;
    }
    DecimalReading reading = DecimalReading::Value;
    double v = ReadDigits(lit.Digits(), e, reading);
    if (reading == DecimalReading::Overflow || !std::isfinite(v)) {
        lit.overflow = true;
        return 0;
    }
    if (reading == DecimalReading::Underflow) {
        lit.underflow = true;
        v = 0;
    }
    return lit.negative ? -v : v;
}

// The common field text read directly: [sign] digits [. digits] and nothing
// else, with at most 15 significant digits and 22 after the point. Gives the
// value that the full reading gives (a zero keeps its sign); false for any
// other text.
bool ReadPlainDecimal(std::string_view t, double& value) {
    const char* p = t.data();
    const char* const end = p + t.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* const first = p;
    while (p != end && *p == '0') ++p;  // leading zeros are not significant
    std::uint64_t mantissa = 0;
    size_t count = 0;
    for (; p != end && IsDigit(*p); ++p, ++count) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    long long shift = 0;
    if (p != end && *p == '.') {
        const char* const point = p++;
        if (count == 0)
            while (p != end && *p == '0') ++p;  // nor are zeros right after the point
        for (; p != end && IsDigit(*p); ++p, ++count) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        shift = -static_cast<long long>(p - point - 1);
        if (p - first == 1) return false;  // the point alone
    } else if (p == first) {
        return false;  // no digit at all
    }
    if (p != end || count > DecimalLiteral::kMantissaDigits || shift < -kLargestExactPower) return false;
    const double m = static_cast<double>(mantissa);
    const double v = shift < 0 ? m / kExactPowersOfTen[-shift] : m;
    value = negative ? -v : v;
    return true;
}

bool IsExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// What ScanNumber read.
struct ScannedNumber {
    std::size_t end = 0;    // just past the last character read
    bool digits = false;    // a digit of the mantissa, or of the &H or &O number, was read
    bool overflow = false;  // the value does not fit a double
    double value = 0;       // 0 when no digit was read or the value overflows
};

// The number grammar of both readings of a field text,
//   [sign] digits [. digits] [(E|D) [sign] digits]  |  &H hex digits  |  &O octal digits
// with at most one point and, for an exponent, a digit before it; read from
// the start of `text` for as long as the text goes on being a number (an
// exponent letter without digits after it is left unread). `skipBlanks`:
// blanks, tabs and line feeds are passed over wherever they stand, as the
// leading-number parse does; otherwise every character counts, as in the
// check of a whole (trimmed) text.
ScannedNumber ScanNumber(std::string_view text, bool skipBlanks) {
    ScannedNumber scan;
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto skipFrom = [&](std::size_t& k) {
        if (skipBlanks)
            while (k < n && IsSkipped(text[k])) ++k;
    };
    auto skip = [&] { skipFrom(i); };
    skip();
    if (i < n && text[i] == '&') {
        std::size_t j = i + 1;
        skipFrom(j);
        const char p = j < n ? text[j] : '\0';
        const int base = (p == 'H' || p == 'h') ? 16 : (p == 'O' || p == 'o') ? 8 : 0;
        if (base != 0) {
            double v = 0;
            for (i = j + 1;; ++i) {
                skip();
                if (i >= n) break;
                const int d = HexDigit(text[i]);
                if (d < 0 || d >= base) break;
                v = v * base + d;
                scan.digits = true;
            }
            scan.end = i;
            scan.overflow = !std::isfinite(v);
            scan.value = scan.overflow ? 0 : v;
            return scan;
        }
    }
    DecimalLiteral lit;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        lit.negative = text[i] == '-';
        ++i;
    }
    bool seenPoint = false;
    for (;; ++i) {
        skip();
        if (i >= n) break;
        const char c = text[i];
        if (IsDigit(c)) {
            scan.digits = true;
            if (!lit.NoDigits() || c != '0') lit.AddDigit(c);  // leading zeros are not kept
            if (seenPoint) --lit.pointShift;                   // dropped ones after the point are counted here
            continue;
        }
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }
    if (scan.digits && i < n && IsExponentLetter(text[i])) {
        const std::size_t letter = i++;
        skip();
        bool negative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        long long e = 0;
        bool any = false;
        for (;; ++i) {
            skip();
            if (i >= n || !IsDigit(text[i])) break;
            AddExponentDigit(e, text[i]);
            any = true;
        }
        if (any)
            lit.exponent = negative ? -e : e;
        else
            i = letter;
    }
    scan.end = i;
    if (scan.digits) {
        const double v = ToDouble(lit);
        scan.overflow = lit.overflow;
        scan.value = scan.overflow ? 0 : v;
    }
    return scan;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

double Val(std::string_view text) {
    // Blanks at either end change nothing: the reading skips them.
    if (double plain = 0; ReadPlainDecimal(TrimBlanks(text), plain)) return plain == 0 ? 0.0 : plain;
    const ScannedNumber scan = ScanNumber(text, true);
    return scan.value == 0 ? 0.0 : scan.value;
}

bool IsNumber(std::string_view raw) {
    const std::string_view t = TrimBlanks(raw);
    if (double plain = 0; ReadPlainDecimal(t, plain)) return true;  // too short to overflow
    const ScannedNumber scan = ScanNumber(t, false);
    return scan.digits && !scan.overflow && scan.end == t.size();
}

std::int16_t ToInt16(double value) {
    if (!std::isfinite(value)) return 0;
    double r = std::nearbyint(value);  // the default rounding mode sends halves to even
    if (r < -32768.0 || r > 32767.0) return 0;
    return static_cast<std::int16_t>(r);
}

double RoundHalfEven(double value, int places) {
    if (!std::isfinite(value) || places < 0) return value;
    // Well away from a half, the scaled value rounds to the same whole number
    // as the exact one: the product is off by at most 2^-53 of itself, far
    // less than the margin asked for here. That whole number divided by the
    // exact power of ten is the double that the decimal text reads back as.
    if (places <= kLargestExactPower) {
        const double scale = kExactPowersOfTen[places];
        const double scaled = value * scale;
        const double magnitude = std::fabs(scaled);
        if (magnitude < 0x1p50) {
            const double whole = std::round(scaled);
            if (std::fabs(std::fabs(scaled - whole) - 0.5) > magnitude * 0x1p-50) return whole / scale;
        }
    }
    // The fixed form is exact: it rounds the true binary value and sends
    // exact halves to the even digit. (A text longer than 512 characters,
    // only ever asked for with hundreds of places, leaves the value as it is.)
    if (static_cast<std::size_t>(places) > kLongestFixedText) return value;
    const std::string text = FormatFixed(value, places);
    if (text.size() > kLongestFixedText) return value;
    double out = 0;
    ReadDecimal(text, out);
    return out;
}

std::string DecimalSeparator() {
    const lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && *lc->decimal_point) return lc->decimal_point;
    return ".";
}

std::string FormatPlain(double value) {
    if (value == 0) return "0";
    // A figure without a finite value has no text; the design run refuses such
    // designs, so this only reaches a box that is never shown with it.
    if (!std::isfinite(value)) return std::string();
    std::string out = FormatSignificant(value, 15);
    std::string sep;
    for (size_t k = 0; k < out.size(); ++k) {
        if (out[k] == 'e') {
            out[k] = 'E';
        } else if (out[k] == '.') {
            if (sep.empty()) sep = DecimalSeparator();
            if (sep != ".") {
                out.replace(k, 1, sep);
                k += sep.size() - 1;
            }
        }
    }
    return out;
}

std::string FormatRounded(double value, int places) {
    return FormatPlain(RoundHalfEven(value, places));
}

std::string FormatWhole(int value) {
    return std::to_string(value);
}

std::string FormatShortest(double value) {
    if (!std::isfinite(value) || value == 0) return NotFiniteOrZero(value);
    std::string out = value < 0 ? "-" : "";
    const ShortestDigits s = ShortestDigitsOf(std::fabs(value));
    const int last = s.exponent - s.count + 1;  // the place of the last digit
    const int exponentLength = s.count + (s.count > 1 ? 1 : 0) + 2 + (std::abs(s.exponent) >= 100 ? 3 : 2);
    const int fixedLength = s.exponent < 0 ? 1 - s.exponent + s.count : last > 0 ? s.count + last : s.count + 1;
    if (fixedLength > exponentLength)
        AppendExponentForm(out, s);
    else if (last > 0)
        out += FormatFixed(std::fabs(value), 0);  // every digit of a large whole number, not zeros after the shortest
    else
        AppendPositionalForm(out, s);
    return out;
}

std::string FormatSignificant(double value, int digits) {
    if (!std::isfinite(value) || value == 0) return NotFiniteOrZero(value);
    digits = std::max(digits, 1);
    const double magnitude = std::fabs(value);
    // A normal double's shortest digits, when there are at most `digits` <= 15
    // of them, are its correctly rounded digits too: they lie within half its
    // last binary place (at most 2^-53 of it) of the value, closer than half
    // the place of a 15th significant digit (at least 5 x 10^-16 of it).
    if (digits <= 15 && magnitude >= std::numeric_limits<double>::min()) {
        const ShortestDigits s = ShortestDigitsOf(magnitude);
        if (s.count <= digits) {
            std::string out = value < 0 ? "-" : "";
            if (s.exponent < -4 || s.exponent >= digits)
                AppendExponentForm(out, s);
            else
                AppendPositionalForm(out, s);
            return out;
        }
    }
    fmt::memory_buffer text;
    fmt::format_to(std::back_inserter(text), FMT_STRING("{:.{}g}"), value, digits);
    return std::string(text.data(), text.size());
}

std::string FormatFixed(double value, int places) {
    if (!std::isfinite(value)) return NotFiniteOrZero(value);
    places = std::max(places, 0);
    // The library writes at most 767 significant digits, as many as the exact
    // decimal of a double can have; places beyond the exact decimal's last
    // digit are zeros, so those are asked of it only up to that digit.
    int zeros = 0;
    if (places > kPlacesAlwaysWritten) {
        const int exact = ExactDecimalPlaces(value);
        if (places > exact) {
            zeros = places - exact;
            places = exact;
        }
    }
    fmt::memory_buffer text;
    fmt::format_to(std::back_inserter(text), FMT_STRING("{:.{}f}"), value, places);
    std::string out(text.data(), text.size());
    if (zeros > 0) {
        if (places == 0) out += '.';
        out.append(static_cast<std::size_t>(zeros), '0');
    }
    return out;
}

DecimalReading ReadDecimal(std::string_view text, double& value) {
    value = 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // The reader also knows "inf" and "nan"; a number starts with a digit or
    // the point (after its sign).
    const char* first = begin != end && *begin == '-' ? begin + 1 : begin;
    if (first == end || !(IsDigit(*first) || *first == '.')) return DecimalReading::NotDecimal;
    double v = 0;
    const auto read = fast_float::from_chars(begin, end, v);
    if (read.ec != std::errc() || read.ptr != end) return DecimalReading::NotDecimal;
    value = v;
    if (!std::isfinite(v)) return DecimalReading::Overflow;
    if (v == 0)
        for (const char* p = first; p != end && *p != 'e' && *p != 'E'; ++p)
            if (*p >= '1' && *p <= '9') return DecimalReading::Underflow;
    return DecimalReading::Value;
}

}  // namespace coredesign
