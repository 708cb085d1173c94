#include "output/ValueConversions.h"

#include <cmath>
#include <limits>

#include "base/EngineError.h"
#include "base/NumberText.h"
#include "base/OrderedMap.h"

namespace qzdbs {

namespace {

[[noreturn]] void TypeMismatch(const std::string& text) {
  throw EngineError("类型不匹配：\"" + text + "\" 不是数字");
}

template <typename Int>
Int ToInteger(const std::string& text) {
  double rounded = RoundHalfEven(ToReal(text));
  if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) {
    throw EngineError("溢出：\"" + text + "\"");
  }
  return static_cast<Int>(rounded);
}

}  // namespace

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

double ToReal(const std::string& text) {
  auto value = ParseNumber(text);
  if (!value) TypeMismatch(text);
  return *value;
}

int16_t ToInt16(const std::string& text) {
  return ToInteger<int16_t>(text);
}
int32_t ToInt32(const std::string& text) {
  return ToInteger<int32_t>(text);
}

bool ToFlag(const std::string& text) {
  std::string word = FoldCase(text);
  if (word == "true") return true;
  if (word == "false") return false;
  return ToReal(text) != 0;
}

bool EqualsOne(const std::string& text) {
  return ToReal(text) == 1;
}
bool NotZero(const std::string& text) {
  return ToReal(text) != 0;
}

}  // namespace qzdbs
