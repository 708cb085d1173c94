// The attribute dialog's logic.
#include "ui/frmAttribute.h"

#include <cmath>
#include <string>

#include "compute/Computation.h"
#include "compute/ComputeState.h"
#include "engine/MessageService.h"
#include "ui/clsWaitCursor.h"

namespace qzdbs::ui {

void frmAttribute::Load() {
  clsWaitCursor wait;
  grid_.SetCols(2);
  grid_.SetFixedCols(1);
  grid_.SetTextMatrix(0, 0, kNameHeading);
  grid_.SetTextMatrix(0, 1, kValueHeading);
  // Properties that do not need a failed structure parameter are still worth
  // listing, so a failure here does not stop the dialog.
  if (!ComputeStructurePara()) MsgBox(kStructureFailed, MsgIcon::Information, "提示：");
  if (!ComputePartProperties()) MsgBox(kPropertiesFailed, MsgIcon::Information, "提示：");
  FillGrid();
}

void frmAttribute::FillGrid() {
  const double width = GridWidth();
  grid_.SetColWidth(0, static_cast<int32_t>(std::lround(width / 3)));
  grid_.SetColWidth(1, static_cast<int32_t>(std::lround(width * 3 / 5)));
  colCompute& properties = Ensure(Compute().Properties);
  grid_.SetRows(properties.Count() + 1);
  grid_.SetFixedRows(1);
  for (int32_t i = 1; i <= properties.Count(); ++i) {
    std::string key;
    if (!properties.getKey(i, key)) continue;
    if (clsComputePtr record = properties.Item(key)) {
      grid_.SetTextMatrix(i, 0, record->ParaName);
      grid_.SetTextMatrix(i, 1, record->ParaValue);
    }
  }
}

void frmAttribute::cmdEnterAtt() {
  if (!loaded_) return;
  loaded_ = false;
  changed_.Emit(Change::Closed);
}

}  // namespace qzdbs::ui
