// Numbers read from field texts and numbers written as texts.
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

// The decimal separator of the process's locale ("." under the C locale).
std::string DecimalSeparator();

}  // namespace coredesign
