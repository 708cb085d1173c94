// The options that choose a part and its values, shared by show and draw,
// and their translation into the choices a user makes in the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SelectionRun.h"
#include "ui/Catalogue.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace qzdbs::cli {

struct PartOptions {
  std::string part;
  std::vector<std::string> libraries;
  int32_t row = 0;
  CLI::Option* rowOption = nullptr;
  std::vector<std::string> cells;
  std::vector<std::string> views;
  bool noView = false;
  std::vector<std::string> options;
  double scale = 1;
};

// PART, --library, --row, --set, --scale; with `drawing` also --view,
// --no-view and --option.
void AddPartOptions(CLI::App& command, PartOptions& options, bool drawing);

// Checks what does not need the part (--set, --option) and finds the part;
// fails with status 2 naming what is wrong.
PartChoice MakeChoice(const std::string& command, const PartOptions& options,
                      const ui::Catalogue& catalogue);

}  // namespace qzdbs::cli
