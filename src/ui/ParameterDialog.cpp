// The parameter dialogs' shared steps.
#include "ui/ParameterDialog.h"

#include <string>

#include "compute/Computation.h"
#include "state/Messages.h"

namespace qzdbs::ui {

bool ParameterDialog::ComputeStructure() {
  if (ComputeStructurePara()) return true;
  MsgBox(kStructureFailed, MsgIcon::Information, "提示：");
  return false;
}

void ParameterDialog::ForEachIndexed(const colCompute& records,
                                     const std::function<void(int32_t, clsCompute&)>& visit) {
  for (int32_t i = 1; i <= records.Count(); ++i) {
    std::string key;
    if (!records.getKey(i, key)) continue;
    if (clsComputePtr record = records.Item(key)) visit(i, *record);
  }
}

}  // namespace qzdbs::ui
