// The functions of the formula language: what the parser needs to know of
// each (name, argument counts, which arguments are texts) and their evaluation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/formula/FormulaValue.h"

namespace qzdbs::formula {

enum class FunctionId : uint8_t {
  Abs,
  Sqr,
  Exp,
  Log,
  Log10,
  Int,
  Fix,
  Round,
  Ceil,
  Floor,
  Sgn,
  Min,
  Max,
  Pi,
  Sin,
  Cos,
  Tan,
  Atn,
  SinD,
  CosD,
  TanD,
  ATanD,
  ATan2D,
  ATan2,
  Rad,
  Deg,
  IIf,
  Len,
  Left,
  Right,
  Mid,
  UCase,
  LCase,
  Trim,
  Val,
  Str,
};

inline constexpr int kAnyCount = 0xFFFF;

struct FunctionInfo {
  std::string_view name;  // as the reference spells it
  FunctionId id;
  int minArgs;
  int maxArgs;
  uint8_t textArgs;  // bit i set: argument i+1 is used as a text
  bool textResult;

  // Whether argument `index` (from 0) is used as a text; Min and Max take
  // thousands of numbers, far past the bits.
  bool TakesText(int index) const { return index < 8 && ((textArgs >> index) & 1) != 0; }
};

// The function of that name in any letter case, or null.
const FunctionInfo* FindFunction(std::string_view name);

// Evaluates a call whose arguments are args[0..argc); the result replaces
// args[0]. False, with `error` set, on a domain error. IIf never comes here:
// the compiler turns it into jumps so that only one branch is evaluated.
bool CallFunction(FunctionId id, Value* args, int argc, std::string& error);

}  // namespace qzdbs::formula
