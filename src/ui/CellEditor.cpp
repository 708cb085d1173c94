// The in-place cell editor.
#include "ui/CellEditor.h"

namespace qzdbs::ui {

bool CellEditor::Printable(std::string_view key) {
  if (key.empty()) return false;
  const auto lead = static_cast<unsigned char>(key.front());
  return lead > 0x20 && lead != 0x7f;
}

bool CellEditor::Start(std::string_view key) {
  if (!grid_.HasCurrentCell()) return false;
  row_ = grid_.Row();
  col_ = grid_.Col();
  text_ = Printable(key) ? std::string(key) : grid_.TextMatrix(row_, col_);
  visible_ = true;
  changed_.Emit();
  return true;
}

void CellEditor::SetText(std::string text) {
  text_ = std::move(text);
  changed_.Emit();
}

void CellEditor::Commit() {
  if (!visible_) return;
  visible_ = false;
  // The grid's current cell, which is the edited one: the grid cannot move
  // while the box has the focus, and moving it commits first.
  if (grid_.HasCurrentCell()) grid_.SetTextMatrix(grid_.Row(), grid_.Col(), text_);
  changed_.Emit();
}

void CellEditor::Cancel() {
  if (!visible_) return;
  visible_ = false;
  changed_.Emit();
}

}  // namespace qzdbs::ui
