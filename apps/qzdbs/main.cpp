// qzdbs: the engine's work on the command line. The subcommands register
// themselves (Commands.h); this file only assembles them.
#include <sqlite3.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>

#include "CommandLineErrors.h"
#include "Commands.h"
#include "engine/IQZdbEngine.h"

namespace qzdbs::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

}  // namespace qzdbs::cli

int main(int argc, char** argv) {
  // SQLite counts its memory under one process-wide lock on every allocation;
  // the batch's jobs read their libraries at once and would queue on it.
  // Only possible before SQLite starts.
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  CLI::App program{"qzdbs: parametric standard parts from part libraries", "qzdbs"};
  program.set_version_flag("--version", std::string("qzdbs ") + qzdbs::IQZdbEngine::kVersion);
  program.require_subcommand(1);

  auto commands = qzdbs::cli::Commands();
  std::sort(commands.begin(), commands.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& command : commands)
    command.setup(program);

  try {
    program.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return qzdbs::cli::ExitOnParseError(program, error);
  }
  return 0;
}
