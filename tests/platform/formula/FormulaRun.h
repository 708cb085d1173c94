// Drives the formula parser component the way the evaluator does, for tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/formula/FormulaParser.h"
#include "support/TestPaths.h"

namespace qzdbs::test {

using VariableValue = std::variant<double, std::string>;
using Variables = std::vector<std::pair<std::string, VariableValue>>;

struct Outcome {
  bool checked = false;
  bool parsed = false;
  bool succeeded = false;
  int32_t resultType = 0;
  double number = 0;
  std::string text;  // the result as text, or the error text after a failure
  std::vector<std::pair<std::string, int32_t>> variables;  // name and type, by index
  int32_t error = 0, position = 0, argument = 0;
  std::string function;
};

inline Outcome Drive(FormulaParser& parser, std::string formula, const Variables& values = {}) {
  Outcome out;
  int32_t flag = 0;
  parser.Reset();
  parser.CheckFormula(formula, flag);
  out.checked = flag != 0;
  int32_t number = 0;
  parser.ParseFormula(formula, flag, number);
  out.parsed = flag != 0;
  if (!out.parsed) {
    int32_t count = 0;
    parser.GetParseError(count, out.error, out.position, out.argument, out.function);
    parser.GetErrorText(out.text);
    return out;
  }
  std::string result = "Result";
  parser.DefineVariable(2, result, 0, formula);
  int32_t count = 0;
  parser.GetVariableCount(count);
  for (int32_t i = 1; i <= count; ++i) {
    std::string name;
    int32_t type = 0;
    parser.GetVariableName(i, name);
    parser.GetVariableType(i, type);
    out.variables.emplace_back(name, type);
  }
  for (auto [name, value] : values) {
    if (auto* d = std::get_if<double>(&value)) {
      parser.DefineVariable(1, name, *d, formula);
    } else {
      parser.DefineTextVariable(1, name, std::get<std::string>(value), formula);
    }
  }
  parser.GetNumericValue(result, out.number);
  parser.GetResultType(out.resultType);
  int32_t succeeded = 0;
  parser.GetSucceeded(succeeded);
  out.succeeded = succeeded != 0;
  if (out.succeeded) {
    parser.GetTextValue(result, out.text);
  } else {
    parser.GetErrorText(out.text);
  }
  return out;
}

inline Outcome Drive(std::string formula, const Variables& values = {}) {
  FormulaParser parser;
  return Drive(parser, std::move(formula), values);
}

// The rows of a tab-separated case file of tests/data/formula, without comment and blank lines;
// \r, \n, \t and \xHH (a byte) in a column stand for those characters.
inline std::vector<std::vector<std::string>> FormulaCases(const std::string& name) {
  std::ifstream file(TestDataDir() / "formula" / name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    auto& row = rows.emplace_back();
    std::istringstream columns(line + "\t");
    for (std::string column; std::getline(columns, column, '\t');) {
      std::string& text = row.emplace_back();
      for (size_t i = 0; i < column.size(); ++i) {
        const char next = i + 1 < column.size() ? column[i + 1] : '\0';
        if (column[i] != '\\' || std::string("rntx").find(next) == std::string::npos) {
          text += column[i];
        } else if (next == 'x') {
          text += static_cast<char>(std::stoi(column.substr(i + 2, 2), nullptr, 16));
          i += 3;
        } else {
          text += next == 'r' ? '\r' : next == 'n' ? '\n' : '\t';
          ++i;
        }
      }
    }
  }
  return rows;
}

}  // namespace qzdbs::test
