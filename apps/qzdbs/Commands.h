// The subcommands of qzdbs. Each lives in its own file and registers itself
// with a static RegisterCommand, so a new subcommand is a new file and
// nothing else changes.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qzdbs::cli {

// Adds the subcommand to the program and gives it its callback. A callback
// that fails throws CLI::RuntimeError with the exit status.
using CommandSetup = void (*)(CLI::App& program);

struct Command {
  std::string name;
  CommandSetup setup;
};

// Every registered subcommand, sorted by name when main() adds them.
std::vector<Command>& Commands();

struct RegisterCommand {
  RegisterCommand(std::string name, CommandSetup setup) {
    Commands().push_back(Command{std::move(name), setup});
  }
};

}  // namespace qzdbs::cli
