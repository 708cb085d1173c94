// The attribute dialog's logic: the part's properties computed from the
// chosen design parameters and listed by name and value.
#pragma once

#include <cstdint>

#include "ui/GridModel.h"
#include "ui/ParameterDialog.h"

namespace qzdbs::ui {

class frmAttribute : public ParameterDialog {
 public:
  static constexpr const char* kCaption = "零件属性";
  static constexpr const char* kNameHeading = "属性名称";
  static constexpr const char* kValueHeading = "属性内容";
  static constexpr const char* kEnterCaption = "确          定    ";
  static constexpr const char* kPropertiesFailed = "在零件属性计算中发生错误";
  // The dialog's inner width as laid out, in twips.
  static constexpr int32_t kDefaultInnerWidth = 5400;
  static constexpr int32_t kGridMargin = 5;

  explicit frmAttribute(int32_t innerWidth = kDefaultInnerWidth) : innerWidth_(innerWidth) {}

  // Computes the structure parameters (going on after a failure), then the
  // properties, and fills the grid with one row per property.
  void Load();

  const GridModel& fgd_PartDes() const { return grid_; }
  // Where the grid sits in the dialog, in twips.
  int32_t GridLeft() const { return kGridMargin; }
  int32_t GridWidth() const { return innerWidth_ - 2 * kGridMargin; }

  void cmdEnterAtt();
  void Close() { cmdEnterAtt(); }

 private:
  void FillGrid();

  int32_t innerWidth_;
  GridModel grid_{1, 2};
};

}  // namespace qzdbs::ui
