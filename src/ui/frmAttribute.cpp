// The attribute dialog's logic.
#include "ui/frmAttribute.h"

#include <cmath>

#include "compute/Computation.h"
#include "state/ComputeState.h"
#include "state/Messages.h"
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
  ComputeStructure();
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
  ForEachIndexed(properties, [&](int32_t i, clsCompute& record) {
    grid_.SetTextMatrix(i, 0, record.ParaName);
    grid_.SetTextMatrix(i, 1, record.ParaValue);
  });
}

void frmAttribute::cmdEnterAtt() {
  Unload();
}

}  // namespace qzdbs::ui
