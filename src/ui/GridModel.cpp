// The grid's data.
#include "ui/GridModel.h"

#include <algorithm>
#include <stdexcept>

namespace qzdbs::ui {

GridModel::GridModel(int32_t rows, int32_t cols) {
  Reshape(rows, cols);
}

void GridModel::Reshape(int32_t rows, int32_t cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  std::vector<std::string> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int32_t r = 0; r < std::min(rows, rows_); ++r) {
    for (int32_t c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<size_t>(r) * cols + c] = std::move(cells_[Index(r, c)]);
  }
  cells_ = std::move(cells);
  widths_.resize(static_cast<size_t>(cols), kShownColumnWidth);
  rows_ = rows;
  cols_ = cols;
  fixedRows_ = std::min(fixedRows_, rows_);
  fixedCols_ = std::min(fixedCols_, cols_);
  KeepSelectionInside();
}

void GridModel::SetRows(int32_t rows) {
  Reshape(rows, cols_);
  changed_.Emit(Change::Shape);
}

void GridModel::SetCols(int32_t cols) {
  Reshape(rows_, cols);
  changed_.Emit(Change::Shape);
}

void GridModel::Clear() {
  for (auto& cell : cells_)
    cell.clear();
  changed_.Emit(Change::Cells);
}

void GridModel::SetFixedRows(int32_t rows) {
  fixedRows_ = std::clamp(rows, 0, rows_);
  KeepSelectionInside();
  changed_.Emit(Change::Shape);
}

void GridModel::SetFixedCols(int32_t cols) {
  fixedCols_ = std::clamp(cols, 0, cols_);
  KeepSelectionInside();
  changed_.Emit(Change::Shape);
}

size_t GridModel::Index(int32_t row, int32_t col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
    throw std::out_of_range("grid cell (" + std::to_string(row) + ", " + std::to_string(col) +
                            ") outside " + std::to_string(rows_) + " x " + std::to_string(cols_));
  return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
}

const std::string& GridModel::TextMatrix(int32_t row, int32_t col) const {
  return cells_[Index(row, col)];
}

void GridModel::SetTextMatrix(int32_t row, int32_t col, std::string text) {
  cells_[Index(row, col)] = std::move(text);
  changed_.Emit(Change::Cells);
}

int32_t GridModel::ColWidth(int32_t col) const {
  if (col < 0 || col >= cols_) throw std::out_of_range("grid column " + std::to_string(col));
  return widths_[static_cast<size_t>(col)];
}

void GridModel::SetColWidth(int32_t col, int32_t twips) {
  if (col < 0 || col >= cols_) throw std::out_of_range("grid column " + std::to_string(col));
  widths_[static_cast<size_t>(col)] = twips;
  changed_.Emit(Change::Widths);
}

void GridModel::KeepSelectionInside() {
  // A grid with no movable cell keeps its current cell at the header corner.
  auto clampRow = [&](int32_t r) {
    return rows_ > fixedRows_ ? std::clamp(r, fixedRows_, rows_ - 1) : 0;
  };
  auto clampCol = [&](int32_t c) {
    return cols_ > fixedCols_ ? std::clamp(c, fixedCols_, cols_ - 1) : 0;
  };
  row_ = clampRow(row_);
  rowSel_ = clampRow(rowSel_);
  col_ = clampCol(col_);
  colSel_ = clampCol(colSel_);
}

void GridModel::Select(int32_t row, int32_t col, int32_t rowSel, int32_t colSel) {
  row_ = row;
  col_ = col;
  rowSel_ = rowSel;
  colSel_ = colSel;
  KeepSelectionInside();
  changed_.Emit(Change::Selection);
}

bool GridModel::HasCurrentCell() const {
  return rows_ > fixedRows_ && cols_ > fixedCols_ && row_ >= fixedRows_ && col_ >= fixedCols_;
}

}  // namespace qzdbs::ui
