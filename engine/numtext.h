// Numbers read from field texts and numbers written as texts: every
// conversion between a double and its decimal text in the program is made
// here (the engine's, the report's and the command-line front end's), with
// one implementation that gives the same bytes on every compiler the program
// is built with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace coredesign {

// Leading-number parse of a field text: blanks, tabs and line feeds are
// skipped wherever they stand; an optional sign, digits with at most one
// point and an optional exponent (E or D) are read up to the first character
// that cannot continue the number. "&H" and "&O" at the start give an
// unsigned hexadecimal or octal value. Empty, non-numeric or overflowing
// text gives 0.
double Val(std::string_view text);

// True when the text, trimmed of blanks at both ends, is a whole number
// literal: [sign] digits[.digits] [E|D [sign] digits], &H hex or &O octal,
// and its value fits a double.
bool IsNumber(std::string_view text);

// The text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// A double converted to a 16-bit integer, a half going to the even
// neighbour; values outside -32768..32767 (or not finite) give 0.
std::int16_t ToInt16(double value);

// Rounds to the given number of decimal places, decided on the exact binary
// value; a true half goes to the even neighbour. Non-finite values pass.
double RoundHalfEven(double value, int places);

// The plain form: at most 15 significant digits, no trailing zeros, exponent
// as E+NN / E-NN, negative zero as 0, the locale's decimal separator.
// A value that is not finite gives the empty text.
std::string FormatPlain(double value);

// RoundHalfEven followed by the plain form.
std::string FormatRounded(double value, int places);

// A 16-bit integer as decimal digits.
std::string FormatWhole(int value);

// The forms below write a decimal point whatever the locale, and "inf",
// "-inf", "nan" or "-nan" (a NaN with its sign bit set) for a value that is
// not finite; each is exactly rounded from the binary value, a true half
// going to the even digit.

// The shortest text that reads back as the same double, in the fixed form
// or the exponent form, whichever is shorter (the fixed form on a tie); an
// exponent is written e, its sign and at least two digits. A whole number
// written in the fixed form shows its exact digits. "1.83", "1e+05",
// "0.001", "1.5e-07", "123456789012345683968", "-0".
std::string FormatShortest(double value);

// `digits` significant digits (1 when fewer are asked), as C's %.<digits>g
// writes them in the C locale: the exponent form when the decimal exponent
// is below -4 or at least `digits`, trailing zeros and a trailing point
// removed. 17 digits read back as the same double.
std::string FormatSignificant(double value, int digits);

// `places` digits after the point (none and no point for 0), as C's
// %.<places>f writes them in the C locale.
std::string FormatFixed(double value, int places);

// How a decimal text was read.
enum class DecimalReading {
    Value,      // the nearest double
    Overflow,   // beyond the largest double: +-infinity
    Underflow,  // not zero, but nearer zero than half the smallest double: +-0
    NotDecimal  // not the whole text is a decimal number: 0
};

// Reads the whole text [-]digits[.digits][(e|E)[sign]digits] (at least one
// digit before the exponent) as the nearest double, a tie going to the even
// one; `value` gets the double, +-infinity or +-0 as the reading says.
DecimalReading ReadDecimal(std::string_view text, double& value);

// The decimal separator of the process's locale ("." under the C locale).
std::string DecimalSeparator();

}  // namespace coredesign
