// The data of a grid control with a fixed header: its cells as text, column
// widths in twips, fixed rows and columns, the current cell and the selection.
// Rows and columns count from 0, as the header row and column are 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Signal.h"

namespace qzdbs::ui {

// Widths are in twips, the unit the dialogs are laid out in (1440 to the inch).
inline constexpr int32_t kShownColumnWidth = 800;
inline constexpr int32_t kHiddenColumnWidth = 5;
// A column narrower than this counts as hidden.
inline constexpr int32_t kShownFromWidth = 11;

class GridModel {
 public:
  enum class Change { Shape, Cells, Widths, Selection };

  explicit GridModel(int32_t rows = 1, int32_t cols = 1);

  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  // Changing the shape keeps the cells that stay inside it; new cells are
  // empty and new columns get the shown width. The current cell and the
  // selection are moved inside the new shape.
  void SetRows(int32_t rows);
  void SetCols(int32_t cols);
  // Empties every cell, keeping shape and widths.
  void Clear();

  int32_t FixedRows() const { return fixedRows_; }
  int32_t FixedCols() const { return fixedCols_; }
  void SetFixedRows(int32_t rows);
  void SetFixedCols(int32_t cols);

  // Throws std::out_of_range for a cell outside the grid.
  const std::string& TextMatrix(int32_t row, int32_t col) const;
  void SetTextMatrix(int32_t row, int32_t col, std::string text);

  int32_t ColWidth(int32_t col) const;
  void SetColWidth(int32_t col, int32_t twips);
  bool ColumnShown(int32_t col) const { return ColWidth(col) >= kShownFromWidth; }

  // The current cell, and the corner where the selection ends; the selection
  // spans from the current cell to it.
  int32_t Row() const { return row_; }
  int32_t Col() const { return col_; }
  int32_t RowSel() const { return rowSel_; }
  int32_t ColSel() const { return colSel_; }
  // Makes (row, col) current and selects up to (rowSel, colSel); each is
  // kept inside the grid's non-fixed cells when it has any.
  void Select(int32_t row, int32_t col, int32_t rowSel, int32_t colSel);
  // Whether the current cell is an editable (non-fixed) cell.
  bool HasCurrentCell() const;

  Signal<Change>& Changed() const { return changed_; }

 private:
  size_t Index(int32_t row, int32_t col) const;
  void Reshape(int32_t rows, int32_t cols);
  void KeepSelectionInside();

  int32_t rows_ = 0;
  int32_t cols_ = 0;
  int32_t fixedRows_ = 0;
  int32_t fixedCols_ = 0;
  std::vector<std::string> cells_;
  std::vector<int32_t> widths_;
  int32_t row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  // Views connect through const references; connecting changes no state.
  mutable Signal<Change> changed_;
};

}  // namespace qzdbs::ui
