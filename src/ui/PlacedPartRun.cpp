// Drawing a placed part again through the scripted selection dialog.
#include "ui/PlacedPartRun.h"

#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"
#include "ui/ScriptedDialog.h"
#include "ui/frmPartSel.h"

namespace qzdbs::ui {

PlacedPartDrawing DrawPlacedPart(const PlacedPart& part, const std::string& blockFolder) {
  PlacedPartDrawing result;
  auto catalogue = std::make_shared<Catalogue>();
  if (!catalogue->Load({part.library})) {
    result.failure = catalogue->Message();
    return result;
  }
  DialogScript script;
  script.steps.push_back(steps::ChoosePart(part.library, part.partID));
  script.steps.push_back([&part](frmPartSel& dialog) {
    // A part without value rows has no cells to type into.
    if (dialog.fgd_InputPara().Rows() < 2) return;
    for (const auto& [name, value] : part.values)
      steps::EditCell(name, value)(dialog);
  });
  if (part.views.empty()) script.steps.push_back(steps::ClearAllViews());
  for (const std::string& view : part.views)
    script.steps.push_back(steps::TickView(view));
  for (size_t i = 0; i < part.options.size(); ++i)
    script.steps.push_back(steps::SetOption(static_cast<int32_t>(i), part.options[i]));
  script.steps.push_back(steps::Draw());

  EngineState& engine = Engine();
  const auto savedDialog = engine.selectionDialog;
  const auto savedMessages = engine.messages;
  auto messages = std::make_shared<RecordingMessageService>();
  auto outcome = std::make_shared<ScriptOutcome>();
  engine.messages = messages;
  engine.selectionDialog = ScriptedDialogs(catalogue, std::move(script), outcome);
  auto component = MemoryComponent::Make();
  result.session = component->NewObject("QZdbSPart");
  result.session->Preset("DrawScale", part.scale);
  result.session->Preset("BlockFolder", blockFolder);
  IQZdbEngine qzdb;
  qzdb.QZdbSPart(result.session);
  const int16_t drawn = qzdb.startSPartGen();
  engine.selectionDialog = savedDialog;
  engine.messages = savedMessages;

  if (drawn == 1 && outcome->failure.empty()) return result;
  result.failure = part.name + ": " + (outcome->failure.empty() ? "not drawn" : outcome->failure);
  for (const auto& box : messages->Boxes())
    if (box.text != frmPartSel::kNoViewChosen) result.failure += "\n" + box.text;
  return result;
}

}  // namespace qzdbs::ui
