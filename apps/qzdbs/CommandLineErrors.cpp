// The parser's errors in the program's words.
#include "CommandLineErrors.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>

#include "CliSupport.h"
#include "base/NumberText.h"

namespace qzdbs::cli {

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The parser names an option by its long name, as the messages do.
std::string OptionName(const CLI::Option& option) {
  return option.get_name();
}

std::string CommandNames(const CLI::App& program) {
  std::string names;
  for (const CLI::App* command : program.get_subcommands([](const CLI::App*) { return true; }))
    names += (names.empty() ? "" : ", ") + command->get_name();
  return names;
}

// The text after the parser's "...: " in its own messages.
std::string AfterColon(const std::string& message) {
  const size_t colon = message.rfind(": ");
  return colon == std::string::npos ? message : message.substr(colon + 2);
}

std::string Rephrase(const CLI::App& program, const CLI::App* command,
                     const CLI::ParseError& error) {
  const std::string message = error.what();
  const std::string help =
      command ? "see qzdbs " + command->get_name() + " --help" : "see qzdbs --help";
  // By type: the parser names some errors after the command they are in.
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    if (!command)
      return "no command " + Quoted(AfterColon(message)) +
             "; the commands are: " + CommandNames(program);
    return "unexpected " + Quoted(AfterColon(message)) + "; " + help;
  }
  if (dynamic_cast<const CLI::RequiredError*>(&error)) {
    // A word that names no command is left over when the parser asks for one.
    if (!command && !program.remaining().empty())
      return "no command " + Quoted(program.remaining().front()) +
             "; the commands are: " + CommandNames(program);
    if (!command) return "give a command: " + CommandNames(program) + "; see qzdbs --help";
    return message + "; " + help;
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
    return message + " (the option needs a value); " + help;
  return message + "; " + help;
}

}  // namespace

CLI::Option* WholeNumber(CLI::Option* option, std::optional<int> least) {
  const std::string name = OptionName(*option);
  const std::string expected =
      least ? "a whole number of " + std::to_string(*least) + " or more" : "a whole number";
  return option->check(CLI::Validator(
      [name, least, expected](std::string& text) -> std::string {
        int value = 0;
        const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (failure != std::errc() || end != text.data() + text.size() || (least && value < *least))
          return Quoted(text) + " is not " + expected + ", e.g. " + name + " " +
                 std::to_string(least ? *least + 1 : 17);
        return {};
      },
      "", "WholeNumber"));
}

CLI::Option* PositiveNumber(CLI::Option* option) {
  const std::string name = OptionName(*option);
  return option->check(CLI::Validator(
      [name](std::string& text) -> std::string {
        const auto value = ParseNumber(text);
        if (!value) return Quoted(text) + " is not a number; give one above 0, e.g. " + name + " 2";
        if (*value <= 0)
          return text + " is not above 0; give a number above 0, e.g. " + name + " 2";
        return {};
      },
      "", "PositiveNumber"));
}

int ExitOnParseError(const CLI::App& program, const CLI::ParseError& error) {
  if (dynamic_cast<const CLI::RuntimeError*>(&error) ||
      dynamic_cast<const CLI::CallForHelp*>(&error) ||
      dynamic_cast<const CLI::CallForAllHelp*>(&error) ||
      dynamic_cast<const CLI::CallForVersion*>(&error))
    return program.exit(error);
  const auto chosen = program.get_subcommands();
  const CLI::App* command = chosen.empty() ? nullptr : chosen.front();
  std::cerr << "qzdbs" << (command ? " " + command->get_name() : "") << ": "
            << Rephrase(program, command, error) << '\n';
  return kBadRequest;
}

}  // namespace qzdbs::cli
