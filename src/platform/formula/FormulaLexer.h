// The tokenizer of the formula language. It works on text that has passed
// the text check (valid UTF-8, no control characters, within the length bound).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/formula/FormulaErrors.h"
#include "platform/formula/FormulaProgram.h"

namespace qzdbs::formula {

enum class TokenKind {
  End,
  Number,
  Text,
  Name,
  Operator,
  Not,
  OpenParen,
  CloseParen,
  Comma,
  Error
};

struct Token {
  TokenKind kind = TokenKind::End;
  size_t offset = 0;  // bytes from the start of the formula
  size_t length = 0;
  Op op = Op::Add;                        // Operator
  double number = 0;                      // Number, and True / False
  bool doubledQuotes = false;             // Text: holds "" that stand for one quote
  SyntaxError error = SyntaxError::None;  // Error

  std::string_view Spelling(std::string_view formula) const {
    return formula.substr(offset, length);
  }
};

// The token that starts at or after `pos` (blanks skipped); `pos` moves past it.
Token NextToken(std::string_view formula, size_t& pos);

// The characters of a text literal token, with doubled quotes made single.
std::string TextOf(std::string_view formula, const Token& token);

// The text check that comes before any parsing: None, or the error and the
// byte offset it points at.
SyntaxError CheckText(std::string_view formula, size_t& offset);

}  // namespace qzdbs::formula
