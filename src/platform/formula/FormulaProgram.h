// The compiled form of one formula: a postfix program for a small stack
// machine, its constants, and the variables it reads with their types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qzdbs::formula {

// Bounds that keep any input, however hostile, to a clean failure.
inline constexpr size_t kMaxFormulaBytes = 16384;
inline constexpr int kMaxNesting = 128;           // parentheses, calls and prefix operators
inline constexpr size_t kMaxTextBytes = 1 << 20;  // any text made during evaluation

// Variable types as the component reports them.
inline constexpr int32_t kNumericType = 0;
inline constexpr int32_t kTextType = 2;

enum class Op : uint8_t {
  PushNumber,    // operand: index into numbers
  PushText,      // operand: index into texts
  PushVariable,  // operand: index into variables
  Negate,
  Add,
  Subtract,
  Multiply,
  Divide,
  IntegerDivide,
  Modulo,
  Power,
  Concat,
  Equal,
  NotEqual,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  Not,
  And,
  Or,
  Xor,
  Call,         // operand: function id; argc: argument count
  JumpIfFalse,  // operand: target instruction
  Jump,         // operand: target instruction
};

inline bool IsComparison(Op op) {
  return op >= Op::Equal && op <= Op::GreaterEqual;
}

struct Instruction {
  Op op;
  uint16_t argc = 0;
  int32_t operand = 0;
  int32_t offset = 0;  // byte offset in the formula, for messages
};

struct Variable {
  std::string name;
  int32_t type = kNumericType;
};

struct Program {
  std::string formula;
  std::vector<Instruction> code;
  std::vector<double> numbers;
  std::vector<std::string> texts;
  std::vector<Variable> variables;  // in order of first appearance
  int32_t maxStack = 0;
};

}  // namespace qzdbs::formula
