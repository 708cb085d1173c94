// The text box that edits a grid cell in place: started by a key press or a
// double click on the current cell, written back into that cell unchanged
// when it loses the focus or the grid moves on.
#pragma once

#include <string>
#include <string_view>

#include "ui/GridModel.h"
#include "ui/Signal.h"

namespace qzdbs::ui {

class CellEditor {
 public:
  explicit CellEditor(GridModel& grid) : grid_(grid) {}

  // A key pressed in the grid, as the text it types (UTF-8; empty or a
  // control character for a key that types nothing). A printable key
  // replaces the cell's text with that one character; any other key, and a
  // double click (DoubleClick), starts from the cell's text. The caret goes
  // to the end either way. False when the grid has no current cell to edit.
  bool Start(std::string_view key);
  bool DoubleClick() { return Start(" "); }

  // The user typing in the box.
  void SetText(std::string text);

  // Writes the text into the grid's current cell, without any check, and
  // hides the box; nothing when the box is not shown.
  void Commit();
  // Hides the box; the cell keeps its text.
  void Cancel();

  bool Visible() const { return visible_; }
  const std::string& Text() const { return text_; }
  // The cell the box covers while it is shown.
  int32_t Row() const { return row_; }
  int32_t Col() const { return col_; }

  Signal<>& Changed() const { return changed_; }

  // Whether a key's text counts as a printable character: above the blank,
  // or the lead byte of a multibyte character.
  static bool Printable(std::string_view key);

 private:
  GridModel& grid_;
  bool visible_ = false;
  std::string text_;
  int32_t row_ = 0;
  int32_t col_ = 0;
  // Views connect through const references; connecting changes no state.
  mutable Signal<> changed_;
};

}  // namespace qzdbs::ui
