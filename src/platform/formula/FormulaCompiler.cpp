#include "platform/formula/FormulaCompiler.h"

#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include "base/Utf8.h"
#include "platform/formula/FormulaFunctions.h"
#include "platform/formula/FormulaLexer.h"

namespace qzdbs::formula {

namespace {

// Binding levels of the binary operators, loosest first; prefix Not and the
// sign sit between them.
constexpr int kOrLevel = 1;
constexpr int kAndLevel = 2;
constexpr int kNotLevel = 3;
constexpr int kCompareLevel = 4;
constexpr int kConcatLevel = 5;
constexpr int kAddLevel = 6;
constexpr int kModLevel = 7;
constexpr int kIntDivLevel = 8;
constexpr int kMulLevel = 9;
constexpr int kSignLevel = 10;
constexpr int kPowerLevel = 11;

int LevelOf(Op op) {
  if (IsComparison(op)) return kCompareLevel;
  switch (op) {
    case Op::Or:
    case Op::Xor:
      return kOrLevel;
    case Op::And:
      return kAndLevel;
    case Op::Concat:
      return kConcatLevel;
    case Op::Add:
    case Op::Subtract:
      return kAddLevel;
    case Op::Modulo:
      return kModLevel;
    case Op::IntegerDivide:
      return kIntDivLevel;
    case Op::Multiply:
    case Op::Divide:
      return kMulLevel;
    case Op::Power:
      return kPowerLevel;
    default:
      return 0;
  }
}

// What the parser knows of a sub-expression before it runs: whether it is
// surely a text, surely a number, or depends on variables. The variables whose
// type its context decides ("open" ones: bare, in parentheses, or a branch of
// IIf) sit at the end of the open list, from `open` on.
enum class Kind { Number, Text, Unknown };
struct Operand {
  Kind kind = Kind::Unknown;
  size_t open = 0;
};

class Compiler {
 public:
  Compiler(std::string_view text, Program& program, ParseError& error)
      : text_(text), program_(program), error_(error) {}

  bool Run() {
    Advance();
    SkipResultAssignment();
    Operand operand;
    if (!ParseExpression(kOrLevel, operand)) return false;
    if (token_.kind != TokenKind::End) return Fail(ErrorOf(SyntaxError::UnexpectedToken));
    Close(0);
    return true;
  }

 private:
  // --- tokens and errors ---
  void Advance() { token_ = NextToken(text_, pos_); }

  SyntaxError ErrorOf(SyntaxError fallback) const {
    return token_.kind == TokenKind::Error ? token_.error : fallback;
  }

  bool Fail(SyntaxError error) { return FailAt(error, token_.offset); }

  bool FailAt(SyntaxError error, size_t offset, std::string_view function = {}) {
    error_.error = error;
    error_.position = CharPosition(text_, offset);
    if (!function.empty()) {
      error_.function = std::string(function);
    } else if (!calls_.empty()) {
      error_.argument = calls_.back().argument;
      error_.function = std::string(calls_.back().name);
    }
    return false;
  }

  // An optional leading "Result =" names the formula's value.
  void SkipResultAssignment() {
    if (token_.kind != TokenKind::Name || !EqualsFolded(token_.Spelling(text_), "result")) return;
    size_t after = pos_;
    Token next = NextToken(text_, after);
    if (next.kind == TokenKind::Operator && next.op == Op::Equal) {
      pos_ = after;
      Advance();
    }
  }

  // Whether the token after the current one is "(" (blanks between allowed).
  bool NextIsOpenParen() const {
    size_t after = text_.find_first_not_of(" \t\r\n", pos_);
    if (after != std::string_view::npos && text_[after] == '(') return true;
    if (after == std::string_view::npos || static_cast<unsigned char>(text_[after]) < 0x80) {
      return false;
    }
    // Wide blanks are rare; let the tokenizer decide.
    Token next = NextToken(text_, after);
    return next.kind == TokenKind::OpenParen;
  }

  // --- code ---
  void Emit(Op op, int32_t operand, size_t offset, int stackEffect, uint16_t argc = 0) {
    program_.code.push_back(Instruction{op, argc, operand, static_cast<int32_t>(offset)});
    depth_ += stackEffect;
    program_.maxStack = std::max(program_.maxStack, depth_);
  }
  int32_t Here() const { return static_cast<int32_t>(program_.code.size()); }

  // --- typing ---
  void MarkText(size_t from) {
    for (size_t i = from; i < open_.size(); ++i)
      program_.variables[open_[i]].type = kTextType;
    open_.resize(from);
  }
  void Close(size_t from) { open_.resize(from); }

  int32_t VariableIndex(std::string_view name) {
    auto& variables = program_.variables;
    for (size_t i = 0; i < variables.size(); ++i) {
      if (variables[i].name == name) return static_cast<int32_t>(i);
    }
    variables.push_back(Variable{std::string(name), kNumericType});
    return static_cast<int32_t>(variables.size() - 1);
  }

  // --- grammar ---
  bool ParseExpression(int minLevel, Operand& out) {
    if (!ParsePrefixed(out)) return false;
    while (token_.kind == TokenKind::Operator && LevelOf(token_.op) >= minLevel) {
      Token op = token_;
      int level = LevelOf(op.op);
      Advance();
      Operand right;
      // Every binary operator groups from the left, ^ included.
      if (!ParseExpression(level + 1, right)) return false;
      Combine(op, out, right);
    }
    return true;
  }

  void Combine(const Token& op, Operand& left, const Operand& right) {
    if (op.op == Op::Concat) {
      MarkText(left.open);
      left.kind = Kind::Text;
    } else {
      if (LevelOf(op.op) == kCompareLevel) {
        if (left.kind == Kind::Text) MarkText(right.open);
        if (right.kind == Kind::Text) MarkText(left.open);
      }
      Close(left.open);
      left.kind = Kind::Number;
    }
    Emit(op.op, 0, op.offset, -1);
  }

  bool Enter() {
    if (++nesting_ > kMaxNesting) return Fail(SyntaxError::NestedTooDeeply);
    return true;
  }

  bool ParsePrefixed(Operand& out) {
    bool sign =
        token_.kind == TokenKind::Operator && (token_.op == Op::Subtract || token_.op == Op::Add);
    if (!sign && token_.kind != TokenKind::Not) return ParsePrimary(out);
    Token prefix = token_;
    if (!Enter()) return false;
    Advance();
    bool isNot = prefix.kind == TokenKind::Not;
    if (!ParseExpression(isNot ? kNotLevel : kSignLevel, out)) return false;
    --nesting_;
    Close(out.open);
    out.kind = Kind::Number;
    if (isNot) {
      Emit(Op::Not, 0, prefix.offset, 0);
    } else if (prefix.op == Op::Subtract) {
      Emit(Op::Negate, 0, prefix.offset, 0);
    }
    return true;
  }

  bool ParsePrimary(Operand& out) {
    out.open = open_.size();
    switch (token_.kind) {
      case TokenKind::Number:
        PushNumber(token_.number);
        out.kind = Kind::Number;
        Advance();
        return true;
      case TokenKind::Text:
        program_.texts.push_back(TextOf(text_, token_));
        Emit(Op::PushText, static_cast<int32_t>(program_.texts.size() - 1), token_.offset, 1);
        out.kind = Kind::Text;
        Advance();
        return true;
      case TokenKind::OpenParen: {
        if (!Enter()) return false;
        Advance();
        if (!ParseExpression(kOrLevel, out)) return false;
        if (token_.kind != TokenKind::CloseParen) {
          return Fail(ErrorOf(token_.kind == TokenKind::End ? SyntaxError::MissingClosingParenthesis
                                                            : SyntaxError::UnexpectedToken));
        }
        --nesting_;
        Advance();
        return true;
      }
      case TokenKind::Name:
        return ParseName(out);
      default:
        return Fail(ErrorOf(SyntaxError::MissingOperand));
    }
  }

  void PushNumber(double value) {
    program_.numbers.push_back(value);
    Emit(Op::PushNumber, static_cast<int32_t>(program_.numbers.size() - 1), token_.offset, 1);
  }

  bool ParseName(Operand& out) {
    Token name = token_;
    std::string_view spelling = name.Spelling(text_);
    bool call = NextIsOpenParen();
    // Names with a point are always variables: no function has one.
    const FunctionInfo* function =
        spelling.find('.') == std::string_view::npos ? FindFunction(spelling) : nullptr;
    if (function) {
      if (call) return ParseCall(*function, out);
      if (function->id != FunctionId::Pi) return Fail(SyntaxError::FunctionWithoutArguments);
      PushNumber(std::numbers::pi);
      out.kind = Kind::Number;
      Advance();
      return true;
    }
    if (EqualsFolded(spelling, "result")) return Fail(SyntaxError::ResultInFormula);
    if (call) return FailAt(SyntaxError::UnknownFunction, name.offset, spelling);
    Emit(Op::PushVariable, VariableIndex(spelling), name.offset, 1);
    open_.push_back(static_cast<size_t>(program_.code.back().operand));
    out.kind = Kind::Unknown;
    Advance();
    return true;
  }

  bool ParseCall(const FunctionInfo& function, Operand& out) {
    size_t nameOffset = token_.offset;
    if (!Enter()) return false;
    Advance();  // the name
    Advance();  // (
    calls_.push_back(Call{function.name, 0});
    int argc = 0;
    Operand thenBranch;
    std::vector<int32_t> jumps;
    if (token_.kind == TokenKind::CloseParen) {
      calls_.back().argument = 1;
    } else {
      while (true) {
        calls_.back().argument = argc + 1;
        if (argc + 1 > function.maxArgs) return Fail(SyntaxError::WrongArgumentCount);
        Operand argument;
        size_t argumentOffset = token_.offset;
        if (!ParseExpression(kOrLevel, argument)) return false;
        if (function.id == FunctionId::IIf) {
          IIfArgument(argc, argument, argumentOffset, thenBranch, jumps);
        } else if (function.TakesText(argc)) {
          MarkText(argument.open);
        } else {
          Close(argument.open);
        }
        ++argc;
        if (token_.kind == TokenKind::Comma) {
          Advance();
          continue;
        }
        if (token_.kind == TokenKind::CloseParen) break;
        return Fail(ErrorOf(token_.kind == TokenKind::End ? SyntaxError::MissingClosingParenthesis
                                                          : SyntaxError::UnexpectedToken));
      }
      calls_.back().argument = argc + 1;
    }
    if (argc < function.minArgs) return Fail(SyntaxError::WrongArgumentCount);
    calls_.pop_back();
    --nesting_;
    Advance();  // )
    if (function.id == FunctionId::IIf) {
      out = thenBranch;
      return true;
    }
    out.open = open_.size();
    out.kind = function.textResult ? Kind::Text : Kind::Number;
    if (function.id == FunctionId::Pi) {
      PushNumber(std::numbers::pi);
    } else {
      Emit(Op::Call, static_cast<int32_t>(function.id), nameOffset, 1 - argc,
           static_cast<uint16_t>(argc));
    }
    return true;
  }

  // IIf becomes jumps around its branches, so only the chosen one runs:
  //   condition, JumpIfFalse else, then, Jump end, else: else-branch, end:
  void IIfArgument(int index, const Operand& argument, size_t offset, Operand& result,
                   std::vector<int32_t>& jumps) {
    if (index == 0) {
      Close(argument.open);
      jumps.push_back(Here());
      Emit(Op::JumpIfFalse, 0, offset, -1);
    } else if (index == 1) {
      result = argument;
      jumps.push_back(Here());
      Emit(Op::Jump, 0, token_.offset, -1);  // the else branch refills the slot
      program_.code[static_cast<size_t>(jumps[0])].operand = Here();
    } else {
      program_.code[static_cast<size_t>(jumps[1])].operand = Here();
      if (result.kind == Kind::Text || argument.kind == Kind::Text) {
        MarkText(result.open);
        result.kind = Kind::Text;
      } else if (result.kind != Kind::Number || argument.kind != Kind::Number) {
        result.kind = Kind::Unknown;
      }
    }
  }

  struct Call {
    std::string_view name;
    int argument;
  };

  std::string_view text_;
  Program& program_;
  ParseError& error_;
  size_t pos_ = 0;
  Token token_;
  int nesting_ = 0;
  int32_t depth_ = 0;
  std::vector<size_t> open_;  // variable indices; see Operand
  std::vector<Call> calls_;
};

ParseError TextError(std::string_view formula) {
  ParseError error;
  size_t offset = 0;
  error.error = CheckText(formula, offset);
  error.position = error.error == SyntaxError::None ? 0 : CharPosition(formula, offset);
  return error;
}

}  // namespace

ParseError CheckFormulaText(std::string_view formula) {
  return TextError(formula);
}

bool CompileFormula(std::string_view formula, Program& program, ParseError& error) {
  // Cleared, not replaced: a program compiled over and over keeps its buffers.
  program.formula.clear();
  program.code.clear();
  program.numbers.clear();
  program.texts.clear();
  program.variables.clear();
  program.maxStack = 0;
  error = TextError(formula);
  if (error.error != SyntaxError::None) return false;
  program.formula.assign(formula);
  Compiler compiler(program.formula, program, error);
  return compiler.Run();
}

}  // namespace qzdbs::formula
