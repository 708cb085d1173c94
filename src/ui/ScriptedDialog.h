// The selection dialog played by a script of user actions instead of a
// person at a screen: the stand-in that tests and the command line run
// startSPartGen with. Each step acts on the dialog as a user would; the
// dialogs it opens follow scripts of their own, or are closed at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "state/EngineState.h"
#include "ui/Catalogue.h"
#include "ui/SubDialogs.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"
#include "ui/frmPartSel.h"
#include "ui/frmStructPara.h"

namespace qzdbs::ui {

using SelectionStep = std::function<void(frmPartSel&)>;

struct DialogScript {
  std::vector<SelectionStep> steps;
  // What the user does in each dialog the selection dialog opens; without
  // one the dialog is closed as soon as it shows (previous step, OK).
  std::function<void(frmStructPara&)> structPara;
  std::function<void(frmAttribute&)> attribute;
  std::function<void(frmParaShow&)> paraShow;
  std::function<void(frmStructShow&)> structShow;
};

// A step that cannot do what it stands for (a row, view or column that is
// not there). The run stops there and the dialog is cancelled.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What became of a scripted run, for its caller to read afterwards.
struct ScriptOutcome {
  std::string failure;  // the ScriptError that stopped it; empty when none did
};

class ScriptedSelectionDialog : public SelectionDialog, private SubDialogs {
 public:
  // Preview pictures go to `previewPath` (the engine's usual file when empty).
  ScriptedSelectionDialog(std::shared_ptr<const Catalogue> catalogue, DialogScript script,
                          std::shared_ptr<ScriptOutcome> outcome = {},
                          std::string previewPath = {});

  // Loads the dialog, runs the steps while it stays open, and closes it as
  // the window's close would when the script ends with it still open.
  void ShowModal() override;

 private:
  void Show(frmStructPara& dialog) override;
  void Show(frmAttribute& dialog) override;
  void Show(frmParaShow& dialog) override;
  void Show(frmStructShow& dialog) override;

  std::shared_ptr<const Catalogue> catalogue_;
  DialogScript script_;
  std::shared_ptr<ScriptOutcome> outcome_;
  std::string previewPath_;
};

// A factory for the engine state's selectionDialog: every run plays the
// same script.
SelectionDialogFactory ScriptedDialogs(std::shared_ptr<const Catalogue> catalogue,
                                       DialogScript script,
                                       std::shared_ptr<ScriptOutcome> outcome = {},
                                       std::string previewPath = {});

// The user's actions on the selection dialog.
namespace steps {
SelectionStep ChoosePart(std::string libraryPath, int32_t partID);
// Selects the grid row of that RowID.
SelectionStep SelectRowID(int32_t rowID);
// Types `value` into the named column of the selected row and leaves the cell.
SelectionStep EditCell(std::string column, std::string value);
// Ticks the view named (by name, PartViewID or a part of the name).
SelectionStep TickView(std::string view);
SelectionStep TickAllViews();
SelectionStep ClearAllViews();
SelectionStep SetOption(int32_t index, bool ticked);
SelectionStep Draw();
SelectionStep Next();
SelectionStep Property();
SelectionStep ParaShow();
SelectionStep Cancel();
}  // namespace steps

}  // namespace qzdbs::ui
