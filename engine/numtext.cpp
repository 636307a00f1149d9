#include "numtext.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The correctly rounded double of digits x 10^e, as from_chars reads "<digits>e<e>".
// Sets `outOfRange` when from_chars reports the value out of range.
double ReadDigits(std::string_view digits, long long e, bool& outOfRange) {
    char exponentText[24];
    const auto written = std::to_chars(exponentText, exponentText + sizeof exponentText, e);
    const size_t exponentLength = static_cast<size_t>(written.ptr - exponentText);
    char local[96];
    std::string large;
    char* text = local;
    const size_t length = digits.size() + 1 + exponentLength;
    if (length > sizeof local) {
        large.resize(length);
        text = large.data();
    }
    std::memcpy(text, digits.data(), digits.size());
    text[digits.size()] = 'e';
    std::memcpy(text + digits.size() + 1, exponentText, exponentLength);
    double v = 0;
    const auto res = std::from_chars(text, text + length, v);
    outOfRange = res.ec == std::errc::result_out_of_range;
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
    bool outOfRange = false;
    double v = ReadDigits(lit.Digits(), e, outOfRange);
    if (outOfRange) {
        if (magnitude > 0) {
            lit.overflow = true;
            return 0;
        }
        lit.underflow = true;
        v = 0;
    }
    if (!std::isfinite(v)) {
        lit.overflow = true;
        return 0;
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
    size_t i = 0;
    const size_t n = text.size();
    auto skip = [&] {
        while (i < n && IsSkipped(text[i])) ++i;
    };
    skip();
    if (i < n && text[i] == '&') {
        size_t j = i + 1;
        while (j < n && IsSkipped(text[j])) ++j;
        const char p = j < n ? text[j] : '\0';
        int base = (p == 'H' || p == 'h') ? 16 : (p == 'O' || p == 'o') ? 8 : 0;
        if (base != 0) {
            i = j + 1;
            double v = 0;
            for (;; ++i) {
                skip();
                if (i >= n) break;
                int d = HexDigit(text[i]);
                if (d < 0 || d >= base) break;
                v = v * base + d;
            }
            return std::isfinite(v) ? v : 0;
        }
    }
    DecimalLiteral lit;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        lit.negative = text[i] == '-';
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (;; ++i) {
        skip();
        if (i >= n) break;
        char c = text[i];
        if (IsDigit(c)) {
            seenDigit = true;
            if (!lit.NoDigits() || c != '0') lit.AddDigit(c);
            if (seenPoint) --lit.pointShift;
            continue;
        }
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }
    // Zeros before the point that were dropped do not matter; digits after the
    // point were counted in pointShift (including dropped leading zeros).
    if (seenDigit && i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t save = i;
        ++i;
        skip();
        bool negExp = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negExp = text[i] == '-';
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
            lit.exponent = negExp ? -e : e;
        else
            i = save;
    }
    if (!seenDigit) return 0;
    double v = ToDouble(lit);
    if (lit.overflow) return 0;
    return v == 0 ? 0.0 : v;
}

bool IsNumber(std::string_view raw) {
    std::string_view t = TrimBlanks(raw);
    if (double plain = 0; ReadPlainDecimal(t, plain)) return true;  // too short to overflow
    if (t.empty()) return false;
    size_t i = 0;
    const size_t n = t.size();
    if (t[0] == '&') {
        if (n < 3) return false;
        char p = t[1];
        int base = (p == 'H' || p == 'h') ? 16 : (p == 'O' || p == 'o') ? 8 : 0;
        if (base == 0) return false;
        double v = 0;
        for (i = 2; i < n; ++i) {
            int d = HexDigit(t[i]);
            if (d < 0 || d >= base) return false;
            v = v * base + d;
        }
        return std::isfinite(v);
    }
    DecimalLiteral lit;
    if (t[i] == '+' || t[i] == '-') {
        lit.negative = t[i] == '-';
        ++i;
    }
    bool seenPoint = false, seenDigit = false;
    for (; i < n; ++i) {
        char c = t[i];
        if (IsDigit(c)) {
            seenDigit = true;
            if (!lit.NoDigits() || c != '0') lit.AddDigit(c);
            if (seenPoint) --lit.pointShift;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) return false;
    if (i < n) {
        char c = t[i];
        if (c != 'e' && c != 'E' && c != 'd' && c != 'D') return false;
        ++i;
        bool negExp = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            negExp = t[i] == '-';
            ++i;
        }
        if (i >= n) return false;
        long long e = 0;
        for (; i < n; ++i) {
            if (!IsDigit(t[i])) return false;
            AddExponentDigit(e, t[i]);
        }
        lit.exponent = negExp ? -e : e;
    }
    ToDouble(lit);
    return !lit.overflow;
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
    // The fixed form of to_chars is exact: it rounds the true binary value
    // and sends exact halves to the even digit.
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, places);
    if (res.ec != std::errc()) return value;
    double out = 0;
    std::from_chars(buf, res.ptr, out);
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
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string out(buf, res.ptr);
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

}  // namespace coredesign
