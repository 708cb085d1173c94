// Fuzz target: any bytes as a formula, parsed and evaluated through the
// component (with and without its cache, which must agree) and through the
// evaluator. A broken invariant traps.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/MessageService.h"
#include "base/NumberText.h"
#include "base/Utf8.h"
#include "compute/FormulaEvaluator.h"
#include "platform/formula/FormulaParser.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace {

using qzdbs::FormulaParser;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

struct Outcome {
  int32_t parsed = 0, error = 0, position = 0, argument = 0, succeeded = 0, type = 0;
  std::string function, text;
  bool operator==(const Outcome&) const = default;
};

Outcome Drive(FormulaParser& parser, const std::string& source) {
  Outcome out;
  std::string formula = source;
  int32_t flag = 0, number = 0, unused = 0;
  parser.Reset();
  parser.CheckFormula(formula, flag);
  parser.ParseFormula(formula, out.parsed, number);
  parser.GetParseError(unused, out.error, out.position, out.argument, out.function);
  if (!out.parsed) {
    Require(out.error != 0 && out.error == number);
    Require(out.position >= 1);
    Require(static_cast<size_t>(out.position) <= qzdbs::CharCount(source) + 1);
    return out;
  }
  Require(out.error == 0);
  std::string result = "Result";
  parser.DefineVariable(2, result, 0, formula);
  int32_t count = 0;
  parser.GetVariableCount(count);
  Require(count >= 0 && static_cast<size_t>(count) <= source.size());
  for (int32_t i = 1; i <= count; ++i) {
    std::string name;
    int32_t type = 0;
    parser.GetVariableName(i, name);
    parser.GetVariableType(i, type);
    Require(!name.empty() && (type == 0 || type == 2));
    // Values that reach zeros, negatives and texts, derived from the name.
    double value = qzdbs::GetBaseLength(name) - 1;
    if (type == 0) {
      parser.DefineVariable(1, name, value, formula);
    } else {
      std::string text = name;
      parser.DefineTextVariable(1, name, text, formula);
    }
  }
  double value = 0;
  parser.GetNumericValue(result, value);
  parser.GetResultType(out.type);
  parser.GetSucceeded(out.succeeded);
  if (out.succeeded) {
    parser.GetTextValue(result, out.text);
    Require(std::isfinite(value));
  } else {
    parser.GetErrorText(out.text);
    Require(!out.text.empty());
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FormulaParser cached(64);
  static FormulaParser fresh(0);
  std::string formula(reinterpret_cast<const char*>(data), size);
  Require(Drive(cached, formula) == Drive(fresh, formula));

  auto& state = qzdbs::Compute();
  if (!state.DesignParas) {
    auto messages = std::make_shared<qzdbs::RecordingMessageService>();
    qzdbs::Engine().messages = messages;
    qzdbs::Engine().DrawScale = 2;
    qzdbs::Ensure(state.DesignParas).Add("O", "d", "M12", 0);
    qzdbs::Ensure(state.DesignParas).Add("O", "L", "40", 0);
    qzdbs::Ensure(state.StructParas).Add("S", "b", "26", 1, 1);
    qzdbs::Ensure(state.StructParas).Add("S", "w", "1", 1, 0);
    qzdbs::Ensure(state.Points).Add("P", "A.X", "-3", 1, 1);
    qzdbs::Ensure(state.Properties).Add("T", "N", "Bolt", 1, 1);
  }
  std::string result;
  qzdbs::EvaluateFormula(formula, result);
  int32_t condition = qzdbs::EvaluateCondition(formula);
  Require(condition >= 0 && condition <= 2);
  static_cast<qzdbs::RecordingMessageService&>(*qzdbs::Engine().messages).Clear();
  return 0;
}
