// The structure parameter dialog's logic.
#include "ui/frmStructPara.h"

#include <exception>

#include "compute/Computation.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"
#include "ui/clsWaitCursor.h"
#include "ui/frmColumnShow.h"

namespace qzdbs::ui {

frmStructPara::frmStructPara(SubDialogs& dialogs, std::function<bool()> prepare)
    : dialogs_(dialogs), prepare_(std::move(prepare)) {}

bool frmStructPara::Load() {
  clsWaitCursor wait;
  if (!ComputeStructure()) {
    Unload();
    return false;
  }
  FillGrid();
  return true;
}

void frmStructPara::FillGrid() {
  colCompute& structure = Ensure(Compute().StructParas);
  const int32_t count = structure.Count();
  grid_.SetRows(3);
  grid_.SetCols(count + 1);
  grid_.SetFixedRows(2);
  grid_.SetFixedCols(1);
  grid_.Clear();
  grid_.SetTextMatrix(kNameRow, 0, "  S.");
  grid_.SetTextMatrix(kExpressionRow, 0, "Exp");
  grid_.SetTextMatrix(kValueRow, 0, "Cal");
  grid_.SetColWidth(0, kTitleColumnWidth);
  ForEachIndexed(structure, [&](int32_t i, clsCompute& record) {
    grid_.SetTextMatrix(kNameRow, i, record.ParaName);
    grid_.SetTextMatrix(kExpressionRow, i, record.Expression);
    grid_.SetTextMatrix(kValueRow, i, record.ParaValue);
    grid_.SetColWidth(i, record.Visible == 0 ? kHiddenColumnWidth : kShownColumnWidth);
  });
  grid_.Select(kValueRow, 1, kValueRow, 1);
}

void frmStructPara::GridKeyPress(std::string_view key) {
  if (IsLoaded()) editor_.Start(key);
}

void frmStructPara::GridDoubleClick() {
  if (IsLoaded()) editor_.DoubleClick();
}

void frmStructPara::EditorTextChanged(std::string text) {
  if (editor_.Visible()) editor_.SetText(std::move(text));
}

void frmStructPara::EditorLostFocus() {
  editor_.Commit();
}

void frmStructPara::GridScrolled() {
  editor_.Commit();
}

void frmStructPara::SelectColumn(int32_t col) {
  editor_.Commit();
  grid_.Select(kValueRow, col, kValueRow, col);
}

void frmStructPara::cmdSelDisplay() {
  if (!IsLoaded()) return;
  editor_.Commit();
  // The grid has a column for each structure parameter; it also outlives
  // the collection that a failed draw released.
  if (grid_.Cols() < 2) return;
  frmStructShow show(grid_);
  show.Load();
  dialogs_.Show(show);
}

void frmStructPara::cmdPreForm() {
  editor_.Commit();
  Unload();
}

void frmStructPara::WriteBack() {
  colCompute& structure = Ensure(Compute().StructParas);
  for (int32_t i = 1; i < grid_.Cols(); ++i) {
    if (clsComputePtr record = structure.Item("S." + grid_.TextMatrix(kNameRow, i)))
      record->ParaValue = grid_.TextMatrix(kValueRow, i);
  }
}

bool frmStructPara::ComputeResults() {
  if (released_) {
    // The failed draw released the computation: compute the structure
    // parameters again, then let the values in the grid stand over them.
    if (!prepare_ || !prepare_() || !ComputeStructure()) return false;
    released_ = false;
  }
  WriteBack();
  if (!ComputePartProperties()) {
    MsgBox(kPropertiesFailed, MsgIcon::Information, "提示：");
    return false;
  }
  if (!ComputePartPoints()) {
    MsgBox(kPointsFailed, MsgIcon::Exclamation, "警告：");
    return false;
  }
  return true;
}

bool frmStructPara::cmdDrawStr() {
  if (!IsLoaded()) return false;
  editor_.Commit();
  clsWaitCursor wait;
  if (!ComputeResults()) return false;
  bool drawn = false;
  try {
    LoadAllLayers();
    drawn = DrawPart();
  } catch (const std::exception& failure) {
    MsgBox(failure.what(), MsgIcon::Exclamation, "提示：");
  }
  ReleaseComputeData();
  Engine().GenerateResult = drawn ? 1 : 0;
  if (drawn) {
    drawn_ = true;
    Unload();
  } else {
    released_ = true;
  }
  return drawn;
}

}  // namespace qzdbs::ui
