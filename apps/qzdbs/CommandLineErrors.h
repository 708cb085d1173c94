// The command line's own mistakes: numbers checked before they are converted,
// and the parser's errors told in the program's words with exit status 2.
#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
class ParseError;
}  // namespace CLI

namespace qzdbs::cli {

// The option takes a whole number, of at least `least` when given; anything
// else is refused naming the option, the value and what is expected.
CLI::Option* WholeNumber(CLI::Option* option, std::optional<int> least = std::nullopt);
// The option takes a number above zero.
CLI::Option* PositiveNumber(CLI::Option* option);

// What main does with a parse error: help and version as the parser prints
// them, a command's own failure (CLI::RuntimeError) with its status, and
// every other error as "qzdbs [COMMAND]: message" with status 2.
int ExitOnParseError(const CLI::App& program, const CLI::ParseError& error);

}  // namespace qzdbs::cli
