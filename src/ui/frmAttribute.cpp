// The attribute dialog's logic.
#include "ui/frmAttribute.h"

#include <cmath>

#include "compute/Computation.h"
#include "db/PropertyUnits.h"
#include "db/recordset/Connection.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
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
  const auto& connection = Engine().LibraryConnection;
  const auto units = connection && connection->State() == db::ObjectState::Open
                         ? db::PropertyUnits(*connection)
                         : std::map<std::string, std::string>{};
  ForEachIndexed(properties, [&](int32_t i, clsCompute& record) {
    const auto [name, value] = db::ShownProperty(record.ParaName, record.ParaValue, units);
    grid_.SetTextMatrix(i, 0, name);
    grid_.SetTextMatrix(i, 1, value);
  });
}

void frmAttribute::cmdEnterAtt() {
  Unload();
}

}  // namespace qzdbs::ui
