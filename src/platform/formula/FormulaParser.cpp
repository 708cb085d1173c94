#include "platform/formula/FormulaParser.h"

#include <stdexcept>

#include "base/NumberText.h"
#include "base/Utf8.h"
#include "platform/formula/FormulaCompiler.h"

namespace qzdbs {

using formula::kTextType;
using formula::ParseError;
using formula::Program;
using formula::SyntaxError;
using formula::Value;

namespace {
constexpr int32_t kResultKind = 2;
}

FormulaParser::FormulaParser(size_t cacheSize) : cacheSize_(cacheSize) {}

void FormulaParser::DefineVariable(int32_t kind, std::string& name, double value,
                                   std::string& /*formula*/) {
  Value number;
  number.SetNumber(value);
  Define(kind, name, std::move(number));
}

void FormulaParser::GetNumericValue(const std::string& name, double& value) {
  value = 0;
  const Value* found = Lookup(name);
  if (!found) return;
  if (!found->isText) {
    value = found->number;
  } else {
    value = ParseNumber(found->text).value_or(0);
  }
}

void FormulaParser::Reset() {
  Release();
  parseError_ = ParseError{};
  resultName_ = "Result";
  values_.clear();
  defined_.clear();
  evaluated_ = false;
  succeeded_ = false;
  result_ = Value{};
  errorText_.clear();
}

void FormulaParser::GetSucceeded(int32_t& succeeded) {
  Evaluate();
  succeeded = succeeded_ ? 1 : 0;
}

void FormulaParser::GetVariableCount(int32_t& count) {
  count = program_ ? static_cast<int32_t>(program_->variables.size()) : 0;
}

void FormulaParser::CheckFormula(std::string& formula, int32_t& acceptable) {
  ParseError error = formula::CheckFormulaText(formula);
  acceptable = error.error == SyntaxError::None ? 1 : 0;
  errorText_ = acceptable ? std::string() : formula::ParseErrorText(error);
}

void FormulaParser::GetVariableName(int32_t index, std::string& name) {
  name = VariableAt(index).name;
}

void FormulaParser::GetErrorText(std::string& text) {
  text = errorText_;
}

void FormulaParser::DefineTextVariable(int32_t kind, std::string& name, std::string& value,
                                       std::string& /*formula*/) {
  Value text;
  text.SetText(value);
  Define(kind, name, std::move(text));
}

void FormulaParser::GetResultType(int32_t& type) {
  Evaluate();
  type = succeeded_ && result_.isText ? kTextType : formula::kNumericType;
}

void FormulaParser::GetVariableType(int32_t index, int32_t& type) {
  type = VariableAt(index).type;
}

void FormulaParser::GetTextValue(const std::string& name, std::string& text) {
  text.clear();
  if (const Value* found = Lookup(name)) text = formula::ToText(*found);
}

void FormulaParser::ParseFormula(std::string& formula, int32_t& parsed, int32_t& number) {
  Release();
  program_ = Compile(formula);
  values_.assign(program_ ? program_->variables.size() : 0, Value{});
  defined_.assign(values_.size(), 0);
  evaluated_ = false;
  parsed = program_ ? 1 : 0;
  number = static_cast<int32_t>(parseError_.error);
  errorText_ = program_ ? std::string() : formula::ParseErrorText(parseError_);
}

void FormulaParser::GetParseError(int32_t& count, int32_t& errorNumber, int32_t& position,
                                  int32_t& argument, std::string& functionName) {
  bool failed = parseError_.error != SyntaxError::None;
  count = failed ? 1 : 0;
  errorNumber = static_cast<int32_t>(parseError_.error);
  position = parseError_.position;
  argument = parseError_.argument;
  functionName = parseError_.function;
}

void FormulaParser::Release() {
  if (cacheSize_ == 0 && program_) spare_ = std::move(program_);
  program_.reset();
}

const formula::Variable& FormulaParser::VariableAt(int32_t index) const {
  if (!program_ || index < 1 || static_cast<size_t>(index) > program_->variables.size()) {
    throw std::out_of_range("formula variable index " + std::to_string(index));
  }
  return program_->variables[static_cast<size_t>(index - 1)];
}

Value* FormulaParser::FindValue(const std::string& name) {
  if (!program_) return nullptr;
  const auto& variables = program_->variables;
  for (size_t i = 0; i < variables.size(); ++i) {
    if (variables[i].name == name) return defined_[i] ? &values_[i] : nullptr;
  }
  return nullptr;
}

const Value* FormulaParser::Lookup(const std::string& name) {
  if (!IsResult(name)) return FindValue(name);
  Evaluate();
  return succeeded_ ? &result_ : nullptr;
}

void FormulaParser::Define(int32_t kind, const std::string& name, Value value) {
  if (kind == kResultKind) {
    resultName_ = name;
    return;
  }
  if (!program_) return;
  const auto& variables = program_->variables;
  for (size_t i = 0; i < variables.size(); ++i) {
    if (variables[i].name == name) {
      values_[i] = std::move(value);
      defined_[i] = 1;
      evaluated_ = false;
      return;
    }
  }
}

bool FormulaParser::IsResult(const std::string& name) const {
  return EqualsIgnoringCase(name, resultName_);
}

void FormulaParser::Evaluate() {
  if (evaluated_) return;
  evaluated_ = true;
  if (!program_) {
    succeeded_ = false;
    if (errorText_.empty()) errorText_ = "没有可求值的公式";
    return;
  }
  succeeded_ = machine_.Run(*program_, values_, defined_, result_, errorText_);
  if (succeeded_) errorText_.clear();
}

std::shared_ptr<Program> FormulaParser::Compile(const std::string& formula) {
  parseError_ = ParseError{};
  if (auto it = cache_.find(formula); it != cache_.end()) return it->second;
  // Without a cache the previous program is nobody else's: compile over it.
  std::shared_ptr<Program> program = std::move(spare_);
  if (!program || program.use_count() != 1) program = std::make_shared<Program>();
  if (!formula::CompileFormula(formula, *program, parseError_)) {
    spare_ = std::move(program);
    return nullptr;
  }
  if (cacheSize_ > 0) {
    // Libraries reuse a few hundred formulas per part; starting afresh when
    // full keeps the bound without bookkeeping.
    if (cache_.size() >= cacheSize_) cache_.clear();
    cache_.emplace(formula, program);
  }
  return program;
}

}  // namespace qzdbs
