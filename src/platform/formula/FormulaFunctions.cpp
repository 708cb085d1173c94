#include "platform/formula/FormulaFunctions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/NumberText.h"
#include "base/Utf8.h"

namespace qzdbs::formula {

namespace {

using F = FunctionId;
constexpr double kPi = std::numbers::pi;

// Sorted by lower-case name for the binary search.
constexpr std::array kFunctions = {
    FunctionInfo{"Abs", F::Abs, 1, 1, 0, false},
    FunctionInfo{"ATan2", F::ATan2, 2, 2, 0, false},
    FunctionInfo{"ATan2D", F::ATan2D, 2, 2, 0, false},
    FunctionInfo{"ATanD", F::ATanD, 1, 1, 0, false},
    FunctionInfo{"Atn", F::Atn, 1, 1, 0, false},
    FunctionInfo{"Ceil", F::Ceil, 1, 1, 0, false},
    FunctionInfo{"Cos", F::Cos, 1, 1, 0, false},
    FunctionInfo{"CosD", F::CosD, 1, 1, 0, false},
    FunctionInfo{"CStr", F::Str, 1, 1, 0, true},
    FunctionInfo{"Deg", F::Deg, 1, 1, 0, false},
    FunctionInfo{"Exp", F::Exp, 1, 1, 0, false},
    FunctionInfo{"Fix", F::Fix, 1, 1, 0, false},
    FunctionInfo{"Floor", F::Floor, 1, 1, 0, false},
    FunctionInfo{"IIf", F::IIf, 3, 3, 0, false},
    FunctionInfo{"Int", F::Int, 1, 1, 0, false},
    FunctionInfo{"LCase", F::LCase, 1, 1, 1, true},
    FunctionInfo{"Left", F::Left, 2, 2, 1, true},
    FunctionInfo{"Len", F::Len, 1, 1, 1, false},
    FunctionInfo{"Log", F::Log, 1, 1, 0, false},
    FunctionInfo{"Log10", F::Log10, 1, 1, 0, false},
    FunctionInfo{"Max", F::Max, 1, kAnyCount, 0, false},
    FunctionInfo{"Mid", F::Mid, 2, 3, 1, true},
    FunctionInfo{"Min", F::Min, 1, kAnyCount, 0, false},
    FunctionInfo{"Pi", F::Pi, 0, 0, 0, false},
    FunctionInfo{"Rad", F::Rad, 1, 1, 0, false},
    FunctionInfo{"Right", F::Right, 2, 2, 1, true},
    FunctionInfo{"Round", F::Round, 1, 2, 0, false},
    FunctionInfo{"Sgn", F::Sgn, 1, 1, 0, false},
    FunctionInfo{"Sin", F::Sin, 1, 1, 0, false},
    FunctionInfo{"SinD", F::SinD, 1, 1, 0, false},
    FunctionInfo{"Sqr", F::Sqr, 1, 1, 0, false},
    FunctionInfo{"Sqrt", F::Sqr, 1, 1, 0, false},
    FunctionInfo{"Str", F::Str, 1, 1, 0, true},
    FunctionInfo{"Tan", F::Tan, 1, 1, 0, false},
    FunctionInfo{"TanD", F::TanD, 1, 1, 0, false},
    FunctionInfo{"Trim", F::Trim, 1, 1, 1, true},
    FunctionInfo{"UCase", F::UCase, 1, 1, 1, true},
    FunctionInfo{"Val", F::Val, 1, 1, 1, false},
};

bool LessFolded(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

constexpr size_t kLongestName = 6;  // ATan2D

// Sine and cosine in degrees, exact where a drawing expects exact values
// (an axis-parallel line must not come out 6E-17 off its axis).
double SinDegrees(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360;
  if (r == 0 || r == 180) return 0;
  if (r == 90) return 1;
  if (r == 270) return -1;
  if (r == 30 || r == 150) return 0.5;
  if (r == 210 || r == 330) return -0.5;
  return std::sin(r * kPi / 180);
}

double CosDegrees(double degrees) {
  return SinDegrees(degrees + 90);
}

// False where the tangent has no value (odd multiples of 90 degrees).
bool TanDegrees(double degrees, double& tangent) {
  double r = std::fmod(degrees, 180.0);
  if (r < 0) r += 180;
  if (r == 90) return false;
  if (r == 45 || r == 135) {
    tangent = r == 45 ? 1 : -1;
  } else {
    tangent = SinDegrees(r) / CosDegrees(r);
  }
  return true;
}

// Round halves away from zero at `digits` decimals. The scaled value is first
// taken to 15 significant digits, so that 2.675 (stored as 2.67499999...)
// rounds as the author wrote it.
double RoundHalfAway(double x, int digits) {
  double scale = std::pow(10.0, digits);
  // From 1E+15 on a double has no decimals left to round.
  if (std::fabs(x) >= 1e15) return x;
  double scaled = ParseNumber(FormatNumber(x * scale)).value_or(x * scale);
  return std::round(scaled) / scale;
}

// Whole numbers for counts and positions: halves to even, as the integer
// division of the language rounds.
bool ToWhole(const Value& value, double& whole, std::string& error) {
  double number = 0;
  if (!ToNumber(value, number, error)) return false;
  whole = std::nearbyint(number);
  return true;
}

size_t Clamp(double whole, size_t limit) {
  if (!(whole > 0)) return 0;
  return whole >= static_cast<double>(limit) ? limit : static_cast<size_t>(whole);
}

bool Fail(std::string& error, std::string_view function, std::string_view what) {
  error = std::string(function) + " " + std::string(what);
  return false;
}

// Val: the number that the text starts with (after blanks), 0 when none.
bool LeadingNumber(std::string_view text, double& number, std::string& error) {
  auto digit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  size_t i = text.find_first_not_of(" \t");
  number = 0;
  if (i == std::string_view::npos) return true;
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  size_t start = i;
  bool any = false;
  while (digit(i))
    ++i, any = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i))
      ++i, any = true;
  }
  if (!any) return true;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (digit(j)) {
      while (digit(j))
        ++j;
      i = j;
    }
  }
  auto [end, failure] = std::from_chars(text.data() + start, text.data() + i, number);
  if (failure != std::errc() || end != text.data() + i) return Fail(error, "Val", "的数字超出范围");
  if (negative) number = -number;
  return true;
}

bool CallTextFunction(FunctionId id, Value* args, int argc, std::string& error) {
  std::string text = ToText(args[0]);
  size_t count = CharCount(text);
  double a = 0;
  double b = 0;
  switch (id) {
    case F::Len:
      args[0].SetNumber(static_cast<double>(count));
      return true;
    case F::Left:
    case F::Right: {
      if (!ToWhole(args[1], a, error)) return false;
      if (a < 0) return Fail(error, id == F::Left ? "Left" : "Right", "的字符数不能为负数");
      size_t keep = Clamp(a, count);
      size_t cut = CharOffset(text, id == F::Left ? keep : count - keep);
      std::string_view whole(text);
      args[0].SetText(id == F::Left ? whole.substr(0, cut) : whole.substr(cut));
      return true;
    }
    case F::Mid: {
      if (!ToWhole(args[1], a, error)) return false;
      if (a < 1) return Fail(error, "Mid", "的起始位置必须大于等于 1");
      size_t start = Clamp(a - 1, count);
      size_t length = count - start;
      if (argc == 3) {
        if (!ToWhole(args[2], b, error)) return false;
        if (b < 0) return Fail(error, "Mid", "的字符数不能为负数");
        length = Clamp(b, length);
      }
      size_t from = CharOffset(text, start);
      size_t to = CharOffset(text, start + length);
      args[0].SetText(std::string_view(text).substr(from, to - from));
      return true;
    }
    case F::UCase:
    case F::LCase:
      for (char& c : text) {
        auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(id == F::UCase ? std::toupper(u) : std::tolower(u));
      }
      args[0].SetText(text);
      return true;
    case F::Trim: {
      size_t first = text.find_first_not_of(" \t");
      size_t last = text.find_last_not_of(" \t");
      std::string_view whole(text);
      args[0].SetText(first == std::string::npos ? std::string_view()
                                                 : whole.substr(first, last - first + 1));
      return true;
    }
    case F::Val:
      if (!LeadingNumber(text, a, error)) return false;
      args[0].SetNumber(a);
      return true;
    case F::Str:
      args[0].SetText(text);
      return true;
    default:
      break;
  }
  return Fail(error, "IIf", "不能直接求值");
}

bool IsTextFunction(FunctionId id) {
  return id >= F::Len;
}

}  // namespace

const FunctionInfo* FindFunction(std::string_view name) {
  if (name.size() > kLongestName) return nullptr;
  auto it = std::lower_bound(
      kFunctions.begin(), kFunctions.end(), name,
      [](const FunctionInfo& info, std::string_view key) { return LessFolded(info.name, key); });
  if (it == kFunctions.end() || LessFolded(name, it->name)) return nullptr;
  return &*it;
}

bool CallFunction(FunctionId id, Value* args, int argc, std::string& error) {
  if (IsTextFunction(id)) return CallTextFunction(id, args, argc, error);
  // Numeric functions take at most three arguments, except Min and Max.
  double x = 0;
  double y = 0;
  if (id == F::Min || id == F::Max) {
    if (!ToNumber(args[0], x, error)) return false;
    for (int i = 1; i < argc; ++i) {
      if (!ToNumber(args[i], y, error)) return false;
      x = id == F::Min ? std::min(x, y) : std::max(x, y);
    }
    args[0].SetNumber(x);
    return true;
  }
  if (argc >= 1 && !ToNumber(args[0], x, error)) return false;
  if (argc >= 2 && !ToNumber(args[1], y, error)) return false;
  double r = 0;
  switch (id) {
    case F::Abs:
      r = std::fabs(x);
      break;
    case F::Sqr:
      if (x < 0) return Fail(error, "Sqr", "的参数不能为负数");
      r = std::sqrt(x);
      break;
    case F::Exp:
      r = std::exp(x);
      break;
    case F::Log:
    case F::Log10:
      if (x <= 0) return Fail(error, id == F::Log ? "Log" : "Log10", "的参数必须大于 0");
      r = id == F::Log ? std::log(x) : std::log10(x);
      break;
    case F::Int:
      r = std::floor(x);
      break;
    case F::Fix:
      r = std::trunc(x);
      break;
    case F::Round: {
      double digits = 0;
      if (argc == 2 && !ToWhole(args[1], digits, error)) return false;
      if (digits < 0 || digits > 15) return Fail(error, "Round", "的小数位数必须在 0 到 15 之间");
      r = RoundHalfAway(x, static_cast<int>(digits));
      break;
    }
    case F::Ceil:
      r = std::ceil(x);
      break;
    case F::Floor:
      r = std::floor(x);
      break;
    case F::Sgn:
      r = x > 0 ? 1 : (x < 0 ? -1 : 0);
      break;
    case F::Pi:
      r = kPi;
      break;
    case F::Sin:
      r = std::sin(x);
      break;
    case F::Cos:
      r = std::cos(x);
      break;
    case F::Tan:
      r = std::tan(x);
      break;
    case F::Atn:
      r = std::atan(x);
      break;
    case F::SinD:
      r = SinDegrees(x);
      break;
    case F::CosD:
      r = CosDegrees(x);
      break;
    case F::TanD:
      if (!TanDegrees(x, r)) return Fail(error, "TanD", "在 90° 的奇数倍处没有定义");
      break;
    case F::ATanD:
      r = std::atan(x) * 180 / kPi;
      break;
    case F::ATan2:
      r = std::atan2(x, y);
      break;
    case F::ATan2D:
      r = std::atan2(x, y) * 180 / kPi;
      break;
    case F::Rad:
      r = x * kPi / 180;
      break;
    case F::Deg:
      r = x * 180 / kPi;
      break;
    default:
      return Fail(error, "IIf", "不能直接求值");
  }
  args[0].SetNumber(r);
  return true;
}

}  // namespace qzdbs::formula
