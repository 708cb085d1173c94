// The stack machine that runs a compiled formula.
#pragma once

#include <string>
#include <vector>

#include "platform/formula/FormulaProgram.h"
#include "platform/formula/FormulaValue.h"

namespace qzdbs::formula {

class Machine {
 public:
  // Runs `program` with the values of its variables (by index; `defined`
  // says which have one). True with `result` set; false with a one-line
  // `error` that names the position of the failing operation.
  bool Run(const Program& program, const std::vector<Value>& values,
           const std::vector<char>& defined, Value& result, std::string& error);

 private:
  std::vector<Value> stack_;  // kept between runs, so a run allocates nothing for numbers
};

}  // namespace qzdbs::formula
