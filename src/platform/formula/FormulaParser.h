// The formula parser component: parses and evaluates one formula at a time
// with named numeric and text variables and the result variable "Result".
// Its operations, arguments and their order are those its one caller, the
// formula evaluator, was written against; the language is described in
// docs/formula-language.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/formula/FormulaErrors.h"
#include "platform/formula/FormulaMachine.h"
#include "platform/formula/FormulaProgram.h"
#include "platform/formula/FormulaValue.h"

namespace qzdbs {

class FormulaParser {
 public:
  static constexpr size_t kDefaultCacheSize = 1024;

  // Parsed formulas are kept by their text, up to `cacheSize` of them (0: no
  // cache); a cached formula behaves exactly as a freshly parsed one.
  explicit FormulaParser(size_t cacheSize = kDefaultCacheSize);

  // Kind 2 names the result variable ("Result" unless told otherwise); any
  // other kind gives the variable `name` of the parsed formula its number.
  // A name that the formula does not use is ignored. The text arguments are
  // in/out by contract; this component leaves them as they are.
  void DefineVariable(int32_t kind, std::string& name, double value, std::string& formula);
  // The result's number (a text result as a number, 0 when it is none), or
  // the value of a variable; 0 for an unknown name.
  void GetNumericValue(const std::string& name, double& value);
  void Reset();
  // Nonzero when the parsed formula evaluated with the values given.
  void GetSucceeded(int32_t& succeeded);
  void GetVariableCount(int32_t& count);
  // The text-level check (not blank, at most kMaxFormulaBytes bytes, valid
  // UTF-8, no control characters besides tab, CR and LF); GetErrorText says why not.
  void CheckFormula(std::string& formula, int32_t& acceptable);
  // Throws std::out_of_range outside 1..count.
  void GetVariableName(int32_t index, std::string& name);
  void GetErrorText(std::string& text);
  void DefineTextVariable(int32_t kind, std::string& name, std::string& value,
                          std::string& formula);
  // 2 for a text result, 0 for a number.
  void GetResultType(int32_t& type);
  // 2 for a variable used as a text, 0 for a numeric one. Throws
  // std::out_of_range outside 1..count.
  void GetVariableType(int32_t index, int32_t& type);
  // The result as a text (a number in the general format), or a variable's.
  void GetTextValue(const std::string& name, std::string& text);
  // `number` is the syntax error number, 0 on success.
  void ParseFormula(std::string& formula, int32_t& parsed, int32_t& number);
  // `count` is 1 after a failed parse, 0 otherwise.
  void GetParseError(int32_t& count, int32_t& errorNumber, int32_t& position, int32_t& argument,
                     std::string& functionName);

 private:
  const formula::Variable& VariableAt(int32_t index) const;
  formula::Value* FindValue(const std::string& name);
  // The result (evaluated first) or a variable's value; null when it has none.
  const formula::Value* Lookup(const std::string& name);
  void Define(int32_t kind, const std::string& name, formula::Value value);
  bool IsResult(const std::string& name) const;
  void Evaluate();
  std::shared_ptr<formula::Program> Compile(const std::string& formula);
  void Release();

  size_t cacheSize_;
  // Programs are never changed once compiled, except the spare, which only
  // this component holds.
  std::unordered_map<std::string, std::shared_ptr<formula::Program>> cache_;
  std::shared_ptr<formula::Program> spare_;

  std::shared_ptr<formula::Program> program_;  // null until a formula parses
  formula::ParseError parseError_;
  std::string resultName_ = "Result";
  std::vector<formula::Value> values_;
  std::vector<char> defined_;

  bool evaluated_ = false;
  bool succeeded_ = false;
  formula::Value result_;
  std::string errorText_;
  formula::Machine machine_;
};

}  // namespace qzdbs
