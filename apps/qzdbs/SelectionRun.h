// One run of the engine as a user at the selection dialog would make it:
// choose the part, select the row, edit cells, tick views, set options, and
// then whatever the command does (Draw, or look at the computed values).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/MessageService.h"
#include "host/memory/MemoryHost.h"
#include "ui/Catalogue.h"
#include "ui/ScriptedDialog.h"

namespace qzdbs::cli {

struct PartChoice {
  std::string libraryPath;
  int32_t partID = 0;
  std::string partName;                                    // as the catalogue shows it
  std::optional<int32_t> rowID;                            // the grid's first row when not given
  std::vector<std::pair<std::string, std::string>> cells;  // parameter name, value typed
  std::vector<std::string> views;  // names, PartViewIDs or parts of names; empty: every view
  bool noView = false;             // every view unticked instead
  std::vector<int32_t> options;    // chkOut indices to tick
};

// The session's settings and where the run writes its files.
struct RunSettings {
  double scale = 1;
  std::string blockFolder;  // ends with a separator
  std::string previewPath;
  bool printMessages = true;  // message boxes to standard error as they come
};

struct RunResult {
  int16_t generateResult = 0;
  std::string scriptFailure;  // a row, view or parameter that is not there
  std::shared_ptr<MemoryObject> session;
  std::vector<MessageBoxRecord> messages;
};

// The steps up to the command's own: choose, row, cells, views, options.
std::vector<ui::SelectionStep> ChoiceSteps(const PartChoice& choice);

// Runs startSPartGen on a new memory host session with the script.
RunResult RunSelection(std::shared_ptr<const ui::Catalogue> catalogue, ui::DialogScript script,
                       const RunSettings& settings);

// Parses NAME=VALUE; false when there is no '=' or no name.
bool ParseAssignment(const std::string& text, std::pair<std::string, std::string>& assignment);

// The chkOut index of an option given by its key ("Che3"), its caption
// ("零件做块") or its English name ("make-block"); -1 when none matches.
int32_t OptionIndex(const std::string& name);
// The English names, in chkOut order, for help texts and messages.
std::string OptionNames();

}  // namespace qzdbs::cli
