// The part selection dialog's logic, without widgets: the catalogue, the
// chosen part's parameter grid with its in-place editor, the view list, the
// preview picture, the five output options and the commands. A widget layer
// shows this state, forwards the user's actions to these members and redraws
// on Changed(); a test or the command line plays the user directly.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/clsPartSelDB.h"
#include "db/colInputPara.h"
#include "db/colPartView.h"
#include "ui/Catalogue.h"
#include "ui/CellEditor.h"
#include "ui/CheckList.h"
#include "ui/GridModel.h"
#include "ui/Signal.h"
#include "ui/SubDialogs.h"

namespace qzdbs::ui {

class frmPartSel {
 public:
  static constexpr const char* kCaption = "选择欲出库零件的信息：";
  static constexpr const char* kGridText = "原始设计参数一览表：";
  static constexpr const char* kViewListText = "请选择欲输出的零件视图：";
  static constexpr const char* kOptionsFrame = "出库选项";
  static constexpr int32_t kOptionCount = 5;
  // chkOut(0) .. chkOut(4); each goes to OutputOptions as "Che" & index.
  static constexpr std::array<const char*, kOptionCount> kOptionCaptions = {
      "去除标注", "允许移动", "零件编组", "零件做块", "背景消隐"};

  static constexpr const char* kCannotOpenLibrary = "无法打开用户指定的数据库！";
  static constexpr const char* kInitCompFailed = "InitComp初始化数据计算集合时出错";
  static constexpr const char* kNoViewChosen = "没有选择视图，系统将输出零件所有实体";

  // Grid layout, in twips.
  static constexpr const char* kHeaderCorner = "   O.";
  static constexpr int32_t kRowIDColumnWidth = 500;

  enum class Button { SelAllView, DelAllView, Next, Property, ParaShow, Draw, Cancel };
  static constexpr int32_t kButtonCount = 7;
  // "cmd_Draw", ... and the caption as stored, padding included.
  static const char* ControlName(Button button);
  static const char* Caption(Button button);

  enum class Change { Part, Picture, Buttons, Options, Closed };

  // Loads the dialog: CurrentPartID becomes -1 and the tree shows the
  // catalogue (a message the catalogue left is shown). The preview pictures
  // are written to `previewPath`, by default the engine's preview file.
  frmPartSel(std::shared_ptr<const Catalogue> catalogue, SubDialogs& dialogs,
             std::string previewPath = {});
  ~frmPartSel();
  frmPartSel(const frmPartSel&) = delete;
  frmPartSel& operator=(const frmPartSel&) = delete;

  const Catalogue& Tree() const { return *catalogue_; }

  // A part node chosen in the tree: the library is reopened when the folder,
  // the file or the part changed or the connection is closed, then the part
  // is loaded. False when the library could not be opened.
  bool ChoosePart(const std::string& libraryPath, int32_t partID);
  bool ChoosePart(const CatalogueNode& node);
  void InitForm(int32_t SelPartID, const std::string& DBName);

  // The grid and its editor.
  const GridModel& fgd_InputPara() const { return grid_; }
  GridModel& fgd_InputPara() { return grid_; }
  const CellEditor& txtEdit() const { return editor_; }
  CellEditor& txtEdit() { return editor_; }
  // A key pressed in the grid, as the text it types; a double click.
  void GridKeyPress(std::string_view key);
  void GridDoubleClick();
  void EditorTextChanged(std::string text);
  // The editor losing the focus, the grid scrolling, the current cell
  // moving: each writes the edit back first.
  void EditorLostFocus();
  // Keys in the editor: Enter writes the edit back, Escape drops it, Tab
  // (back: Shift+Tab) writes it back and moves to the next cell of the row.
  void EditorEnter();
  void EditorEscape();
  void EditorTab(bool back);
  void GridScrolled();
  void SelectCell(int32_t row, int32_t col);
  // A whole value row selected, as a click on its row header does.
  void SelectRow(int32_t row);
  // The selection drawn on from the current cell to (row, col), as a
  // Shift+click or a drag does; the row where it ends is the row drawn.
  void ExtendSelection(int32_t row, int32_t col);
  // Whether the text can go into the column: a numeric column takes a number
  // or nothing, and a number below zero only where some value row is not
  // above zero (a length is never negative; a deviation may be).
  enum class Typed { Fits, NotANumber, Negative };
  Typed CheckTyped(int32_t col, const std::string& text) const;
  // Why the text cannot go into the column; empty when it can. Writing an
  // edit back checks it: a refused text is shown in a message and the cell
  // keeps its text.
  std::string RefusedValue(int32_t col, const std::string& text) const;

  // The view list.
  const CheckList& lvw_PartVeiw() const { return views_; }
  // A click on the list; 0 when no item is under the pointer.
  void ClickView(int32_t position);
  void CheckView(int32_t position, bool checked);

  // The preview: the picture file shown, empty when the viewer is clear. The
  // revision grows with every picture shown, as the file is rewritten in place.
  const std::string& PicturePath() const { return picturePath_; }
  uint64_t PictureRevision() const { return pictureRevision_; }

  // chkOut(index): ticked or not.
  bool chkOut(int32_t index) const;
  void SetChkOut(int32_t index, bool ticked);

  bool Enabled(Button button) const;

  // The commands. A disabled button does nothing.
  void cmd_SelAllView();
  void cmd_DelAllView();
  // True when the part was drawn (the dialog has then closed).
  bool cmd_Draw();
  void cmdNext();
  void cmdProperty();
  void cmdParaShow();
  void cmd_Cancel();
  // The window's own close: the same as Cancel.
  void Close() { cmd_Cancel(); }

  bool IsLoaded() const { return loaded_; }
  Signal<Change>& Changed() const { return changed_; }

  // What InitForm read: definitions in grid order, values keyed
  // RowID & "->" & ParaID, views, and the value rows of the grid.
  const colInputPara& ParaNames() const { return paraNames_; }
  const colInputPara& ParaValues() const { return *paraValues_; }
  const colPartView& PartViews() const { return partViews_; }
  const std::vector<int32_t>& RowIDs() const { return rowIDs_; }

  // Collecting the choices into the computation: the ticked views (true
  // when any was ticked), the design parameters of the selected row, the
  // options "Che0".."Che4".
  bool CollectViews();
  void CollectDesignParas();
  void CollectOptions();
  // InitComp, then the three collections; false after the message when
  // InitComp fails. What Next does before the structure parameter dialog,
  // and what that dialog does again before it draws after a failed draw.
  bool PrepareComputation();

 private:
  void LoadPartData();
  void FillGridHeader();
  void FillGridRows();
  void ShowPartPicture();
  void ShowViewPicture(int32_t partViewID);
  void FillViewList();
  void UpdateButtons();
  void ShowPicture(bool written);
  void Unload(bool notify = true);
  // Writes the edit back unless RefusedValue refuses it; false then.
  bool CommitEdit();

  std::shared_ptr<const Catalogue> catalogue_;
  SubDialogs& dialogs_;
  std::string previewPath_;

  clsPartSelDB reader_;
  colInputPara paraNames_;
  std::shared_ptr<const colInputPara> paraValues_ = std::make_shared<colInputPara>();
  colPartView partViews_;
  std::vector<int32_t> rowIDs_;
  std::string lastLibraryPath_;
  std::string lastLibraryFolder_;

  GridModel grid_;
  CellEditor editor_{grid_};
  CheckList views_;
  std::string picturePath_;
  uint64_t pictureRevision_ = 0;
  std::array<bool, kOptionCount> options_{};
  std::array<bool, kButtonCount> enabled_{};
  bool loaded_ = true;
  // Views connect through const references; connecting changes no state.
  mutable Signal<Change> changed_;
};

}  // namespace qzdbs::ui
