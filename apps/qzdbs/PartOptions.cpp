// Part options.
#include "PartOptions.h"

#include <CLI/CLI.hpp>

#include "CliSupport.h"
#include "CommandLineErrors.h"

namespace qzdbs::cli {

void AddPartOptions(CLI::App& command, PartOptions& options, bool drawing) {
  command
      .add_option("part", options.part, "the part: its name, a unique part of it, or its PartID")
      ->required();
  AddLibraryOption(command, options.libraries);
  options.rowOption = WholeNumber(
      command.add_option("--row", options.row, "the value row (RowID) to use (default: the first)")
          ->type_name("ROWID"));
  command
      .add_option("--set", options.cells,
                  "type VALUE into parameter NAME of the row, as in the dialog's grid; repeat for "
                  "more")
      ->type_name("NAME=VALUE");
  PositiveNumber(
      command.add_option("--scale", options.scale, "the drawing scale (QZDBSCA), above 0"))
      ->capture_default_str();
  if (!drawing) return;
  CLI::Option* view =
      command
          .add_option("--view", options.views,
                      "a view to draw: its name, a unique part of it, or its PartViewID; repeat "
                      "for more (default: every view)")
          ->type_name("NAME");
  command
      .add_flag("--no-view", options.noView,
                "untick every view, as the dialog's 全部清除 does: the part is drawn whole, "
                "without views")
      ->excludes(view);
  command
      .add_option(
          "--option", options.options,
          "an output option to tick: " + OptionNames() + " (or Che0..Che4); repeat for more")
      ->type_name("NAME");
}

PartChoice MakeChoice(const std::string& command, const PartOptions& options,
                      const ui::Catalogue& catalogue) {
  PartChoice choice;
  for (const std::string& text : options.cells) {
    std::pair<std::string, std::string> cell;
    if (!ParseAssignment(text, cell))
      Fail(command, kBadRequest, "--set " + text + ": give NAME=VALUE, e.g. --set L=60");
    choice.cells.push_back(cell);
  }
  for (const std::string& name : options.options) {
    const int32_t index = OptionIndex(name);
    if (index < 0)
      Fail(command, kBadRequest, "no option \"" + name + "\"; the options are: " + OptionNames());
    choice.options.push_back(index);
  }
  const ui::CatalogueNode& part = FindPart(command, catalogue, options.part);
  choice.libraryPath = part.libraryPath;
  choice.partID = part.partID;
  choice.partName = part.name;
  if (options.rowOption && options.rowOption->count() > 0) choice.rowID = options.row;
  choice.views = options.views;
  choice.noView = options.noView;
  return choice;
}

}  // namespace qzdbs::cli
