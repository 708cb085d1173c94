// Running the engine through the scripted selection dialog.
#include "SelectionRun.h"

#include <iostream>

#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"
#include "ui/frmPartSel.h"

namespace qzdbs::cli {

namespace {

// The message boxes as the command line shows them: title and text on
// standard error as they come, and kept for the caller.
class EchoingMessageService : public RecordingMessageService {
 public:
  explicit EchoingMessageService(bool echo) : echo_(echo) {}
  MsgResult Show(const MessageBoxRecord& box) override {
    if (echo_) std::cerr << (box.title.empty() ? "" : box.title + " ") << box.text << '\n';
    return RecordingMessageService::Show(box);
  }

 private:
  bool echo_;
};

constexpr const char* kOptionNames[ui::frmPartSel::kOptionCount] = {
    "remove-dimensions", "allow-move", "group", "make-block", "hide-background"};

}  // namespace

std::vector<ui::SelectionStep> ChoiceSteps(const PartChoice& choice) {
  namespace steps = ui::steps;
  std::vector<ui::SelectionStep> script{steps::ChoosePart(choice.libraryPath, choice.partID)};
  if (choice.rowID) script.push_back(steps::SelectRowID(*choice.rowID));
  for (const auto& [name, value] : choice.cells)
    script.push_back(steps::EditCell(name, value));
  if (choice.noView) {
    script.push_back(steps::ClearAllViews());
  } else if (choice.views.empty()) {
    script.push_back(steps::TickAllViews());
  } else {
    for (const auto& view : choice.views)
      script.push_back(steps::TickView(view));
  }
  for (int32_t option : choice.options)
    script.push_back(steps::SetOption(option, true));
  return script;
}

RunResult RunSelection(std::shared_ptr<const ui::Catalogue> catalogue, ui::DialogScript script,
                       const RunSettings& settings) {
  RunResult result;
  auto messages = std::make_shared<EchoingMessageService>(settings.printMessages);
  auto outcome = std::make_shared<ui::ScriptOutcome>();
  EngineState& engine = Engine();
  engine.messages = messages;
  engine.selectionDialog =
      ui::ScriptedDialogs(std::move(catalogue), std::move(script), outcome, settings.previewPath);

  auto component = MemoryComponent::Make();
  result.session = component->NewObject("QZdbSPart");
  result.session->Preset("DrawScale", settings.scale);
  result.session->Preset("BlockFolder", settings.blockFolder);
  IQZdbEngine qzdb;
  qzdb.QZdbSPart(result.session);
  result.generateResult = qzdb.startSPartGen();

  engine.selectionDialog = nullptr;
  result.scriptFailure = outcome->failure;
  result.messages = messages->Boxes();
  return result;
}

bool ParseAssignment(const std::string& text, std::pair<std::string, std::string>& assignment) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  assignment = {text.substr(0, equals), text.substr(equals + 1)};
  return true;
}

int32_t OptionIndex(const std::string& name) {
  for (int32_t i = 0; i < ui::frmPartSel::kOptionCount; ++i) {
    if (name == kOptionNames[i] ||
        name == ui::frmPartSel::kOptionCaptions[static_cast<size_t>(i)] ||
        name == "Che" + std::to_string(i))
      return i;
  }
  return -1;
}

std::string OptionNames() {
  std::string names;
  for (const char* name : kOptionNames)
    names += (names.empty() ? "" : ", ") + std::string(name);
  return names;
}

}  // namespace qzdbs::cli
