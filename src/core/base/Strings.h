// Small string helpers shared by the file readers and the dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

// Removes leading and trailing spaces (only U+0020, as the file readers do).
std::string_view TrimSpaces(std::string_view text);

// Removes leading and trailing blanks: spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// Changes only the letters A-Z to a-z.
std::string ToLowerAscii(std::string_view text);

bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// One rule for every number in the settings and theme files: a decimal integer with an optional
// sign, or "&H" (either case) with 1 to 8 hexadecimal digits taken as a 32-bit two's-complement
// value; surrounding blanks allowed. Anything else, or a value that does not fit in 32 bits, gives
// nothing.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// A real number with "." as its decimal point whatever the locale: optional sign, digits, fraction
// and exponent, or the "&H" form above; surrounding blanks allowed. Infinite and out-of-range
// values give nothing.
std::optional<double> ParseReal(std::string_view text);

// The shortest decimal form that reads back as the same value (14, 10.5).
std::string FormatReal(double value);

// x taken to the nearest integer, halves to even.
double RoundHalfEven(double x);

}  // namespace moravel
