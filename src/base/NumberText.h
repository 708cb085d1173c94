// Numbers as the engine keeps them in text: the general format with up to 15
// significant digits, and the standard conversion back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzdbs {

// 0.333333333333333, 2, -1.5, 1E-05, 1.5E+20.
std::string FormatNumber(double value);

// Decimal text with optional surrounding blanks, sign and exponent; nothing
// else (no hex, no inf or nan, no thousands separators).
std::optional<double> ParseNumber(std::string_view text);

// The number made of the digits and points of a text: M12x1.5 gives 121.5,
// abc gives 0, and 930 when the points make no number (1.2.3).
double GetBaseLength(const std::string& text);

}  // namespace qzdbs
