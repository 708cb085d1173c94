// The two dialogs that choose which columns of a parameter grid are shown:
// frmParaShow for the selection dialog's input parameters, frmStructShow for
// the structure parameters. A ticked item is a shown column (800 twips), an
// unticked one is shrunk to 5 twips.
#pragma once

#include <cstdint>
#include <string>

#include "ui/CheckList.h"
#include "ui/GridModel.h"
#include "ui/ModalDialog.h"

namespace qzdbs::ui {

class frmColumnShow : public ModalDialog {
 public:
  static constexpr const char* kEnterCaption = "确          定    ";
  static constexpr int32_t kListColumnWidth = 2420;

  virtual ~frmColumnShow() = default;

  const std::string& Caption() const { return caption_; }
  const std::string& ColumnHeading() const { return heading_; }

  // One item per column of the target grid after the first, in column
  // order: text the column's name, key "X" & name, tag the column number,
  // ticked when the column is shown.
  void Load();

  const CheckList& lvwCheckShow() const { return list_; }
  void TickItem(int32_t position, bool checked) { list_.SetChecked(position, checked); }

  // Item i sets the width of column i; then the dialog closes.
  void cmdEnterShow();
  void Close() { Unload(); }

 protected:
  frmColumnShow(GridModel& target, std::string caption, std::string heading)
      : target_(target), caption_(std::move(caption)), heading_(std::move(heading)) {}

 private:
  GridModel& target_;
  std::string caption_;
  std::string heading_;
  CheckList list_;
};

class frmParaShow : public frmColumnShow {
 public:
  static constexpr const char* kCaption = "原始参数显示控制：";
  static constexpr const char* kHeading = "参数名称";
  explicit frmParaShow(GridModel& target) : frmColumnShow(target, kCaption, kHeading) {}
};

class frmStructShow : public frmColumnShow {
 public:
  static constexpr const char* kCaption = "结构参数显示控制：";
  static constexpr const char* kHeading = "S.";
  explicit frmStructShow(GridModel& target) : frmColumnShow(target, kCaption, kHeading) {}
};

}  // namespace qzdbs::ui
