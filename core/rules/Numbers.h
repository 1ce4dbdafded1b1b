#pragma once
// Number parsing and formatting with the program's rules: "." is always the
// decimal point, surrounding blanks are allowed, halves round to even.

#include <QString>
#include <optional>

namespace zr50 {

// A decimal number with optional sign, point and exponent, or &H hexadecimal;
// surrounding blanks allowed. Empty or anything else: no value.
std::optional<double> ParseNumber(const QString& text);
inline bool IsNumeric(const QString& text) { return ParseNumber(text).has_value(); }

// Rounds to the nearest whole number, halves to even.
double RoundHalfEven(double v);

// Conversion to a 16-bit integer with halves to even; nullopt when not numeric
// or out of range.
std::optional<int> ToInt16(const QString& text);

// "#0.0...0" with the given number of decimals (at least one integer digit).
QString FormatFixed(double v, int decimals);

// The shortest decimal text of a number ("24.715", "100").
QString ShortestText(double v);

}  // namespace zr50
