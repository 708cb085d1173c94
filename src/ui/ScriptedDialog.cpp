// The scripted stand-in of the selection dialog.
#include "ui/ScriptedDialog.h"

#include "state/EngineState.h"
#include "ui/NameLookup.h"

namespace qzdbs::ui {

ScriptedSelectionDialog::ScriptedSelectionDialog(std::shared_ptr<const Catalogue> catalogue,
                                                 DialogScript script,
                                                 std::shared_ptr<ScriptOutcome> outcome,
                                                 std::string previewPath)
    : catalogue_(std::move(catalogue)),
      script_(std::move(script)),
      outcome_(outcome ? std::move(outcome) : std::make_shared<ScriptOutcome>()),
      previewPath_(std::move(previewPath)) {}

void ScriptedSelectionDialog::ShowModal() {
  frmPartSel dialog(catalogue_, *this, previewPath_);
  try {
    for (const auto& step : script_.steps) {
      if (!dialog.IsLoaded()) break;
      step(dialog);
    }
  } catch (const ScriptError& failure) {
    outcome_->failure = failure.what();
  } catch (const LookupError& failure) {
    outcome_->failure = failure.what();
  }
  if (dialog.IsLoaded()) dialog.Close();
}

void ScriptedSelectionDialog::Show(frmStructPara& dialog) {
  if (script_.structPara) script_.structPara(dialog);
  if (dialog.IsLoaded()) dialog.Close();
}

void ScriptedSelectionDialog::Show(frmAttribute& dialog) {
  if (script_.attribute) script_.attribute(dialog);
  dialog.Close();
}

void ScriptedSelectionDialog::Show(frmParaShow& dialog) {
  if (script_.paraShow) script_.paraShow(dialog);
  dialog.Close();
}

void ScriptedSelectionDialog::Show(frmStructShow& dialog) {
  if (script_.structShow) script_.structShow(dialog);
  dialog.Close();
}

SelectionDialogFactory ScriptedDialogs(std::shared_ptr<const Catalogue> catalogue,
                                       DialogScript script, std::shared_ptr<ScriptOutcome> outcome,
                                       std::string previewPath) {
  return [=] {
    return std::make_unique<ScriptedSelectionDialog>(catalogue, script, outcome, previewPath);
  };
}

namespace steps {

namespace {

// The first character of a UTF-8 text: what its first key press typed.
std::string FirstCharacter(const std::string& text) {
  if (text.empty()) return {};
  const auto lead = static_cast<unsigned char>(text.front());
  size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return text.substr(0, std::min(length, text.size()));
}

std::string PartName(const frmPartSel& dialog) {
  const EngineState& engine = Engine();
  for (const auto* part : dialog.Tree().Parts())
    if (part->partID == engine.CurrentPartID && part->libraryPath == engine.LibraryPath)
      return part->name;
  return "PartID " + std::to_string(engine.CurrentPartID);
}

}  // namespace

SelectionStep ChoosePart(std::string libraryPath, int32_t partID) {
  return [=](frmPartSel& dialog) {
    if (!dialog.ChoosePart(libraryPath, partID))
      throw ScriptError("cannot open the library " + libraryPath);
  };
}

SelectionStep SelectRowID(int32_t rowID) {
  return [=](frmPartSel& dialog) {
    const GridModel& grid = dialog.fgd_InputPara();
    std::string rows;
    for (int32_t r = 1; r < grid.Rows(); ++r) {
      if (grid.TextMatrix(r, 0) == std::to_string(rowID)) {
        dialog.SelectRow(r);
        return;
      }
      rows += (rows.empty() ? "" : ", ") + grid.TextMatrix(r, 0);
    }
    throw ScriptError("no value row " + std::to_string(rowID) +
                      "; the rows are: " + (rows.empty() ? "none" : rows));
  };
}

SelectionStep EditCell(std::string column, std::string value) {
  return [=](frmPartSel& dialog) {
    const GridModel& grid = dialog.fgd_InputPara();
    if (grid.Rows() < 2)
      throw ScriptError("cannot set " + column + ": the part has no value rows to edit");
    std::vector<NamedItem> columns;
    for (int32_t c = 1; c < grid.Cols(); ++c)
      columns.push_back({grid.TextMatrix(0, c), std::nullopt});
    const auto col =
        static_cast<int32_t>(FindNamed(columns, column, Match::Whole, "parameter", "parameters")) +
        1;
    const int32_t row = grid.RowSel();
    if (const frmPartSel::Typed typed = dialog.CheckTyped(col, value);
        typed != frmPartSel::Typed::Fits)
      throw ScriptError("part \"" + PartName(dialog) + "\", row " + grid.TextMatrix(row, 0) +
                        ", column " + column + ": \"" + value +
                        (typed == frmPartSel::Typed::NotANumber
                             ? "\" is not a number; the column takes a number or nothing"
                             : "\" is below zero, where every value row of the column is above"));
    dialog.SelectCell(row, col);
    dialog.GridKeyPress(FirstCharacter(value));
    dialog.EditorTextChanged(value);
    dialog.EditorLostFocus();
  };
}

SelectionStep TickView(std::string view) {
  return [=](frmPartSel& dialog) {
    const CheckList& list = dialog.lvw_PartVeiw();
    std::vector<NamedItem> views;
    for (const CheckItem& item : list.Items())
      views.push_back({item.text, item.tag});
    const size_t at = FindNamed(views, view, Match::Fragment, "view", "views");
    if (!list.Enabled()) throw ScriptError("the part has no views to tick");
    dialog.CheckView(static_cast<int32_t>(at) + 1, true);
  };
}

SelectionStep TickAllViews() {
  return [](frmPartSel& dialog) { dialog.cmd_SelAllView(); };
}

SelectionStep ClearAllViews() {
  return [](frmPartSel& dialog) { dialog.cmd_DelAllView(); };
}

SelectionStep SetOption(int32_t index, bool ticked) {
  return [=](frmPartSel& dialog) { dialog.SetChkOut(index, ticked); };
}

SelectionStep Draw() {
  return [](frmPartSel& dialog) { dialog.cmd_Draw(); };
}

SelectionStep Next() {
  return [](frmPartSel& dialog) { dialog.cmdNext(); };
}

SelectionStep Property() {
  return [](frmPartSel& dialog) { dialog.cmdProperty(); };
}

SelectionStep ParaShow() {
  return [](frmPartSel& dialog) { dialog.cmdParaShow(); };
}

SelectionStep Cancel() {
  return [](frmPartSel& dialog) { dialog.cmd_Cancel(); };
}

}  // namespace steps

}  // namespace qzdbs::ui
