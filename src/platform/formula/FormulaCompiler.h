// Parses a formula into the program of the stack machine, numbering its
// variables and typing them by their use.
#pragma once

#include <string_view>

#include "platform/formula/FormulaErrors.h"
#include "platform/formula/FormulaProgram.h"

namespace qzdbs::formula {

// The text-level check alone: length, encoding, control characters, blank.
ParseError CheckFormulaText(std::string_view formula);

// The text check, then the parse. On failure `program` is unspecified.
bool CompileFormula(std::string_view formula, Program& program, ParseError& error);

}  // namespace qzdbs::formula
