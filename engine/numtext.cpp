#include "numtext.h"

#include <charconv>
#include <clocale>
#include <cmath>
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

// Collected pieces of a decimal literal, turned into a double exactly once.
struct DecimalLiteral {
    bool negative = false;
    std::string digits;        // mantissa digits without the point, leading zeros dropped
    long long pointShift = 0;  // decimal exponent contributed by the point position
    long long exponent = 0;    // explicit exponent, clamped
    bool overflow = false;
    bool underflow = false;
};

constexpr long long kExponentClamp = 100000000;

void AddExponentDigit(long long& exponent, char c) {
    if (exponent < kExponentClamp) exponent = exponent * 10 + (c - '0');
}

double ToDouble(DecimalLiteral& lit) {
    if (lit.digits.empty()) return lit.negative ? -0.0 : 0.0;
    long long e = lit.exponent + lit.pointShift;
    // Magnitude estimate: value = 0.d1d2... * 10^(len + e).
    long long magnitude = static_cast<long long>(lit.digits.size()) + e;
    if (magnitude > 400) {
        lit.overflow = true;
        return 0;
    }
    if (magnitude < -400) {
        lit.underflow = true;
        return lit.negative ? -0.0 : 0.0;
    }
    std::string s = lit.digits;
    s += 'e';
    s += std::to_string(e);
    double v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
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

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

double Val(std::string_view text) {
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
            if (!lit.digits.empty() || c != '0') lit.digits += c;
            if (seenPoint)
                --lit.pointShift;
            else if (lit.digits.empty()) {
                // a leading zero before the point shifts nothing
            }
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
            if (!lit.digits.empty() || c != '0') lit.digits += c;
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
