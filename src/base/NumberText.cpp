#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qzdbs {

std::string FormatNumber(double value) {
  if (value == 0) return "0";  // also turns -0 into 0
  char buffer[40];
  // The text is that of "%.15G": an exponent below 1E-04 and from 1E+15 on,
  // no trailing zeros, at least two exponent digits. Whole numbers, the
  // commonest values by far, and then every finite value are written without
  // going through printf, which costs several times more; to_chars with a
  // precision gives printf's digits exactly.
  if (std::abs(value) < 1e15 && value == std::trunc(value)) {
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value)).ptr;
    return std::string(buffer, end);
  }
  if (std::isfinite(value)) {
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text(buffer, end);
    if (size_t e = text.find('e'); e != std::string::npos) text[e] = 'E';
    return text;
  }
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
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
