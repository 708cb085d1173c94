// The syntax errors of the formula language: their numbers (stable, library
// authors look them up) and one-line descriptions.
#pragma once

#include <cstdint>
#include <string>

namespace qzdbs::formula {

enum class SyntaxError : int32_t {
  None = 0,
  // Found by the text check before any parsing.
  Empty = 1,
  TooLong = 2,
  InvalidUtf8 = 3,
  ControlCharacter = 4,
  // Found by the parser.
  UnexpectedCharacter = 10,
  UnterminatedText = 11,
  MalformedNumber = 12,
  NumberOutOfRange = 13,
  MissingOperand = 14,
  MissingClosingParenthesis = 15,
  UnexpectedToken = 16,
  UnknownFunction = 17,
  WrongArgumentCount = 18,
  FunctionWithoutArguments = 19,
  ResultInFormula = 20,
  NestedTooDeeply = 21,
};

std::string Describe(SyntaxError error);

struct ParseError {
  SyntaxError error = SyntaxError::None;
  int32_t position = 0;  // 1-based character position of the offending character
  int32_t argument = 0;  // 1-based argument number inside a call, 0 outside
  std::string function;  // the call at fault, empty outside
};

// "<description>（位置 n）", with the argument and function when there are.
std::string ParseErrorText(const ParseError& error);

}  // namespace qzdbs::formula
