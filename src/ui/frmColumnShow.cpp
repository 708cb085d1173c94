// The column display dialogs' logic.
#include "ui/frmColumnShow.h"

namespace qzdbs::ui {

void frmColumnShow::Load() {
  list_.Clear();
  for (int32_t col = 1; col < target_.Cols(); ++col) {
    const std::string& name = target_.TextMatrix(0, col);
    list_.Add(ui::CheckItem{"X" + name, name, col, target_.ColumnShown(col)});
  }
}

void frmColumnShow::cmdEnterShow() {
  // Items stand for columns by their position, which is the column number
  // because the list was filled in column order.
  for (int32_t i = 1; i <= list_.Count() && i < target_.Cols(); ++i)
    target_.SetColWidth(i, list_.Item(i).checked ? kShownColumnWidth : kHiddenColumnWidth);
  Close();
}

}  // namespace qzdbs::ui
