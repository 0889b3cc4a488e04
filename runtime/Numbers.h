// Number conversions of the program's text fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace runtime {

// The leading number of a text: blanks (spaces, tabs, line feeds) are ignored wherever they
// stand, reading stops at the first character that cannot continue a number, and a text with
// no number gives 0. Reads a sign, digits, a decimal point, an exponent (E or D), and the
// prefixes &H (hexadecimal) and &O (octal).
double LeadingNumber(std::string_view text);

// Rounds to a whole number, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// RoundHalfEven as a 32-bit signed integer; empty when the rounded value does not fit.
std::optional<std::int32_t> ToInt32HalfEven(double value);

}  // namespace runtime
