// The structure parameter dialog's logic: the computed structure parameters
// as a three-row grid (name, formula, value) whose values the user may
// overwrite, and drawing the part with the values as they stand.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/CellEditor.h"
#include "ui/GridModel.h"
#include "ui/ParameterDialog.h"
#include "ui/SubDialogs.h"

namespace qzdbs::ui {

class frmStructPara : public ParameterDialog {
 public:
  static constexpr const char* kCaption = "结构参数结果显示：";
  static constexpr const char* kGridDescription = "结构参数表达式和运算结果参数一览表";
  static constexpr const char* kSelDisplayCaption = "显示参数    ";
  static constexpr const char* kPreFormCaption = "上 一 步    ";
  static constexpr const char* kDrawStrCaption = "绘  制  ";

  static constexpr const char* kPropertiesFailed = "计算零件属性中有错误";
  static constexpr const char* kPointsFailed = "对点表的坐标进行计算时出现错误";

  // Rows of the grid and the title column.
  static constexpr int32_t kNameRow = 0;
  static constexpr int32_t kExpressionRow = 1;
  static constexpr int32_t kValueRow = 2;
  static constexpr int32_t kTitleColumnWidth = 400;

  // `prepare` makes the computation ready again (InitComp and the selection
  // dialog's choices); it is called before a draw that follows a failed one,
  // as that failure released everything computed.
  frmStructPara(SubDialogs& dialogs, std::function<bool()> prepare);

  // Computes the structure parameters and fills the grid. False, after the
  // message, when they cannot be computed: the dialog has closed itself.
  bool Load();

  const GridModel& fgdStructPara() const { return grid_; }
  GridModel& fgdStructPara() { return grid_; }
  const CellEditor& txtEditStr() const { return editor_; }

  void GridKeyPress(std::string_view key);
  void GridDoubleClick();
  void EditorTextChanged(std::string text);
  void EditorLostFocus();
  void GridScrolled();
  // Only the value row holds the current cell: the user picks a column.
  void SelectColumn(int32_t col);

  void cmdSelDisplay();
  void cmdPreForm();
  // True when the part was drawn: this dialog and the selection dialog close.
  bool cmdDrawStr();
  // The window's own close: the same as the previous step.
  void Close() { cmdPreForm(); }

  // The grid written back, then properties and points computed: what comes
  // before the drawing. False after the message of the step that failed.
  bool ComputeResults();

  bool Drawn() const { return drawn_; }

 private:
  void FillGrid();
  void WriteBack();

  SubDialogs& dialogs_;
  std::function<bool()> prepare_;
  GridModel grid_{3, 1};
  CellEditor editor_{grid_};
  bool drawn_ = false;
  bool released_ = false;
};

}  // namespace qzdbs::ui
