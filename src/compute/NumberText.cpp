#include "compute/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qzdbs {

std::string FormatNumber(double value) {
  if (value == 0) return "0";  // also turns -0 into 0
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  // %G already switches to an exponent below 1E-04 and from 1E+15 on, drops
  // trailing zeros and writes at least two exponent digits.
  return text;
}

std::optional<double> ParseNumber(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  size_t last = text.find_last_not_of(" \t");
  text = text.substr(first, last - first + 1);
  if (text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

double GetBaseLength(const std::string& text) {
  std::string digits = "0";
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '.') digits += c;
  }
  return ParseNumber(digits).value_or(930);
}

}  // namespace qzdbs
