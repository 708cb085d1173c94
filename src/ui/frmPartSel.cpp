// The part selection dialog's logic.
#include "ui/frmPartSel.h"

#include <exception>
#include <unordered_map>

#include "base/NumberText.h"
#include "compute/Computation.h"
#include "db/LibraryDB.h"
#include "db/SaveFieldToFile.h"
#include "db/recordset/Connection.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"
#include "ui/clsWaitCursor.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"
#include "ui/frmStructPara.h"

namespace qzdbs::ui {

namespace {

struct ButtonText {
  const char* control;
  const char* caption;
};

// In Button order. Captions are kept padded as the dialog stores them.
constexpr ButtonText kButtons[] = {
    {"cmd_SelAllView", "全部选择    "}, {"cmd_DelAllView", "全部清除    "},
    {"cmdNext", "下一步    "},          {"cmdProperty", "零件属性    "},
    {"cmdParaShow", "显示参数    "},    {"cmd_Draw", "绘  制  "},
    {"cmd_Cancel", "取  消  "},
};

size_t At(frmPartSel::Button button) {
  return static_cast<size_t>(button);
}

void ShowFailure(const std::exception& failure) {
  MsgBox(failure.what(), MsgIcon::Exclamation, "提示：");
}

}  // namespace

const char* frmPartSel::ControlName(Button button) {
  return kButtons[At(button)].control;
}

const char* frmPartSel::Caption(Button button) {
  return kButtons[At(button)].caption;
}

frmPartSel::frmPartSel(std::shared_ptr<const Catalogue> catalogue, SubDialogs& dialogs,
                       std::string previewPath)
    : catalogue_(catalogue ? std::move(catalogue) : std::make_shared<const Catalogue>()),
      dialogs_(dialogs),
      previewPath_(previewPath.empty() ? PreviewPicturePath() : std::move(previewPath)) {
  Engine().CurrentPartID = -1;
  grid_.SetFixedRows(1);
  grid_.SetFixedCols(1);
  grid_.SetColWidth(0, kRowIDColumnWidth);
  // The corner's heading comes with the first part's headings: an empty
  // grid shows no cell of its own.
  // Until a part is chosen only Cancel can be used.
  enabled_[At(Button::Cancel)] = true;
  if (!catalogue_->Message().empty()) MsgBox(catalogue_->Message(), MsgIcon::Information, "");
}

frmPartSel::~frmPartSel() {
  // Whoever listened may be gone by now: no notification.
  Unload(false);
}

bool frmPartSel::ChoosePart(const CatalogueNode& node) {
  if (node.kind != CatalogueNode::Kind::Part) return false;
  return ChoosePart(node.libraryPath, node.partID);
}

bool frmPartSel::ChoosePart(const std::string& libraryPath, int32_t partID) {
  if (!loaded_) return false;
  CommitEdit();
  const std::string folder = LibraryFolder(libraryPath);
  const auto& connection = Engine().LibraryConnection;
  const bool reopen = folder != lastLibraryFolder_ || !connection ||
                      connection->State() != db::ObjectState::Open ||
                      libraryPath != lastLibraryPath_ || partID != Engine().CurrentPartID;
  if (reopen) {
    if (!OpenLibraryDB(folder, libraryPath, kLibraryPassword)) {
      MsgBox(kCannotOpenLibrary, MsgIcon::Information, "提示：");
      return false;
    }
    lastLibraryFolder_ = folder;
    lastLibraryPath_ = libraryPath;
  }
  InitForm(partID, lastLibraryPath_);
  return true;
}

void frmPartSel::InitForm(int32_t SelPartID, const std::string& DBName) {
  clsWaitCursor wait;
  EngineState& engine = Engine();
  engine.CurrentPartID = SelPartID;
  engine.LibraryPath = DBName;
  engine.LibraryConnectString =
      engine.LibraryConnection ? engine.LibraryConnection->ConnectionString : std::string();
  reader_.InitClassData(SelPartID);
  LoadPartData();
  FillGridHeader();
  FillGridRows();
  ShowPartPicture();
  FillViewList();
  UpdateButtons();
  changed_.Emit(Change::Part);
}

void frmPartSel::LoadPartData() {
  paraNames_.Clear();
  partViews_.Clear();
  // The reader leaves the list alone when the part has no value rows; the
  // previous part's rows must not stay.
  rowIDs_.clear();
  reader_.getInputParaName(paraNames_);
  paraValues_ = reader_.SharedInputParaData(paraNames_);
  reader_.getParaRows(rowIDs_);
  reader_.getPartView(partViews_);
  reader_.getThisPart();
}

void frmPartSel::FillGridHeader() {
  // Every cell is emptied first: a value the library does not have shows as
  // an empty cell, never as the text of the part shown before.
  grid_.Clear();
  grid_.SetColWidth(0, kRowIDColumnWidth);
  grid_.SetTextMatrix(0, 0, kHeaderCorner);
  // A part without parameters shows no parameter columns at all, so that
  // Draw cannot take the previous part's columns for this one's.
  grid_.SetCols(paraNames_.Count() + 1);
  for (int32_t c = 1; c <= paraNames_.Count(); ++c) {
    const auto& definition = paraNames_.Item(c);
    grid_.SetTextMatrix(0, c, definition->ParaName);
    grid_.SetColWidth(c, definition->Visible == 1 ? kShownColumnWidth : kHiddenColumnWidth);
  }
}

void frmPartSel::FillGridRows() {
  grid_.SetRows(static_cast<int32_t>(rowIDs_.size()) + 1);
  if (rowIDs_.empty() || paraNames_.Count() == 0) return;
  // Each stored value goes to its row's and its parameter's cell; a value the
  // row lacks leaves its cell empty.
  std::unordered_map<int32_t, int32_t> gridRows;
  for (int32_t r = 1; r <= static_cast<int32_t>(rowIDs_.size()); ++r)
    gridRows.emplace(rowIDs_[static_cast<size_t>(r - 1)], r);
  std::unordered_map<int32_t, int32_t> gridCols;
  for (int32_t c = 1; c <= paraNames_.Count(); ++c)
    gridCols.emplace(paraNames_.Item(c)->ParaID, c);
  for (const auto& value : *paraValues_) {
    const auto row = gridRows.find(value->RowID);
    const auto col = gridCols.find(value->ParaID);
    if (row == gridRows.end() || col == gridCols.end()) continue;
    const auto& definition = paraNames_.Item(col->second);
    if (definition->ParaType == 0) {
      grid_.SetTextMatrix(row->second, col->second, FormatNumber(value->RealValue));
    } else if (definition->ParaType == 1) {
      grid_.SetTextMatrix(row->second, col->second, value->StringValue);
    }
  }
  for (const auto& [rowID, r] : gridRows)
    grid_.SetTextMatrix(r, 0, std::to_string(rowID));
  grid_.Select(1, 1, 1, grid_.Cols() - 1);
}

void frmPartSel::ShowPicture(bool written) {
  if (written) {
    picturePath_ = previewPath_;
    ++pictureRevision_;
  } else {
    picturePath_.clear();
  }
  changed_.Emit(Change::Picture);
}

void frmPartSel::ShowPartPicture() {
  try {
    ShowPicture(reader_.getPartGraphic(previewPath_));
  } catch (const std::exception& failure) {
    ShowFailure(failure);
  }
}

void frmPartSel::ShowViewPicture(int32_t partViewID) {
  try {
    ShowPicture(reader_.getPartViewGraphic(partViewID, previewPath_));
  } catch (const std::exception& failure) {
    ShowFailure(failure);
  }
}

void frmPartSel::FillViewList() {
  views_.Clear();
  try {
    for (const auto& view : partViews_)
      views_.Add(CheckItem{view->XKey, view->ViewName, view->PartViewID, false});
  } catch (const std::exception&) {
    // What was added stays; the rest of the list is left out.
  }
}

void frmPartSel::UpdateButtons() {
  for (Button button : {Button::ParaShow, Button::Property, Button::Next, Button::Draw})
    enabled_[At(button)] = true;
  const bool hasViews = partViews_.Count() > 0;
  enabled_[At(Button::SelAllView)] = hasViews;
  enabled_[At(Button::DelAllView)] = hasViews;
  views_.SetEnabled(hasViews);
  changed_.Emit(Change::Buttons);
}

bool frmPartSel::Enabled(Button button) const {
  return loaded_ && enabled_[At(button)];
}

void frmPartSel::GridKeyPress(std::string_view key) {
  if (loaded_) editor_.Start(key);
}

void frmPartSel::GridDoubleClick() {
  if (loaded_) editor_.DoubleClick();
}

void frmPartSel::EditorTextChanged(std::string text) {
  if (editor_.Visible()) editor_.SetText(std::move(text));
}

void frmPartSel::EditorLostFocus() {
  CommitEdit();
}

void frmPartSel::EditorEnter() {
  CommitEdit();
}

void frmPartSel::EditorEscape() {
  editor_.Cancel();
}

void frmPartSel::EditorTab(bool back) {
  if (!editor_.Visible()) return;
  const int32_t row = editor_.Row();
  const int32_t col = editor_.Col() + (back ? -1 : 1);
  if (!CommitEdit()) return;
  if (col >= grid_.FixedCols() && col < grid_.Cols()) grid_.Select(row, col, row, col);
}

frmPartSel::Typed frmPartSel::CheckTyped(int32_t col, const std::string& text) const {
  if (col < 1 || col > paraNames_.Count() || paraNames_.Item(col)->ParaType != 0)
    return Typed::Fits;
  if (text.find_first_not_of(" \t") == std::string::npos) return Typed::Fits;
  const std::optional<double> number = ParseNumber(text);
  if (!number) return Typed::NotANumber;
  if (*number >= 0 || grid_.Rows() < 2) return Typed::Fits;
  for (int32_t r = 1; r < grid_.Rows(); ++r) {
    const std::optional<double> stored = ParseNumber(grid_.TextMatrix(r, col));
    if (!stored || *stored <= 0) return Typed::Fits;
  }
  return Typed::Negative;
}

std::string frmPartSel::RefusedValue(int32_t col, const std::string& text) const {
  switch (CheckTyped(col, text)) {
    case Typed::NotANumber:
      return "参数 " + grid_.TextMatrix(0, col) + " 只接受数字，“" + text + "”不是数字。";
    case Typed::Negative:
      return "参数 " + grid_.TextMatrix(0, col) + " 的各行都大于零，不接受负数“" + text + "”。";
    case Typed::Fits:
      break;
  }
  return {};
}

bool frmPartSel::CommitEdit() {
  if (!editor_.Visible()) return true;
  const std::string refused = RefusedValue(editor_.Col(), editor_.Text());
  if (refused.empty()) {
    editor_.Commit();
    return true;
  }
  editor_.Cancel();
  MsgBox(refused, MsgIcon::Exclamation, "提示：");
  return false;
}

void frmPartSel::ExtendSelection(int32_t row, int32_t col) {
  CommitEdit();
  grid_.Select(grid_.Row(), grid_.Col(), row, col);
}

void frmPartSel::GridScrolled() {
  CommitEdit();
}

void frmPartSel::SelectCell(int32_t row, int32_t col) {
  CommitEdit();
  grid_.Select(row, col, row, col);
}

void frmPartSel::SelectRow(int32_t row) {
  CommitEdit();
  grid_.Select(row, 1, row, grid_.Cols() - 1);
}

void frmPartSel::ClickView(int32_t position) {
  if (!loaded_ || !views_.Enabled()) return;
  if (position >= 1 && position <= views_.Count()) views_.Select(position);
  const int32_t selected = views_.Selected();
  if (selected != 0 && views_.Item(selected).checked) ShowViewPicture(views_.Item(selected).tag);
}

void frmPartSel::CheckView(int32_t position, bool checked) {
  if (loaded_ && views_.Enabled()) views_.SetChecked(position, checked);
}

bool frmPartSel::chkOut(int32_t index) const {
  return options_.at(static_cast<size_t>(index));
}

void frmPartSel::SetChkOut(int32_t index, bool ticked) {
  options_.at(static_cast<size_t>(index)) = ticked;
  changed_.Emit(Change::Options);
}

void frmPartSel::cmd_SelAllView() {
  if (!Enabled(Button::SelAllView)) return;
  CommitEdit();
  views_.SetAllChecked(true);
}

void frmPartSel::cmd_DelAllView() {
  if (!Enabled(Button::DelAllView)) return;
  CommitEdit();
  views_.SetAllChecked(false);
  MsgBox(kNoViewChosen, MsgIcon::Exclamation, "提示：");
}

bool frmPartSel::CollectViews() {
  ComputeState& state = Compute();
  if (!state.Views) state.Views = std::make_shared<colPartView>();
  bool any = false;
  for (const CheckItem& item : views_.Items()) {
    if (!item.checked) continue;
    const auto& view = partViews_.Item(item.key);
    state.Views->Add(view->PartViewID, item.text, view->BasePoint);
    any = true;
  }
  return any;
}

void frmPartSel::CollectDesignParas() {
  if (grid_.Cols() < 2 || grid_.Rows() < 2) return;
  colCompute& design = Ensure(Compute().DesignParas);
  const int32_t row = grid_.RowSel();
  for (int32_t c = 1; c < grid_.Cols(); ++c) {
    design.Add("O", grid_.TextMatrix(0, c), grid_.TextMatrix(row, c), 0, 1,
               paraNames_.Item(c)->Visible, "", "O." + std::to_string(c), 0);
  }
}

void frmPartSel::CollectOptions() {
  auto& options = Engine().OutputOptions;
  for (int32_t i = 0; i < kOptionCount; ++i) {
    const std::string key = "Che" + std::to_string(i);
    const bool ticked = options_[static_cast<size_t>(i)];
    if (bool* present = options.Find(key)) {
      *present = ticked;
    } else {
      options.Insert(key, ticked);
    }
  }
}

bool frmPartSel::PrepareComputation() {
  if (!InitComp()) {
    MsgBox(kInitCompFailed, MsgIcon::Exclamation, "提示：");
    return false;
  }
  CollectViews();
  CollectDesignParas();
  CollectOptions();
  return true;
}

bool frmPartSel::cmd_Draw() {
  if (!Enabled(Button::Draw)) return false;
  CommitEdit();
  clsWaitCursor wait;
  if (!PrepareComputation()) return false;
  bool drawn = false;
  try {
    if (ComputeAll()) {
      LoadAllLayers();
      drawn = DrawPart();
    }
  } catch (const std::exception& failure) {
    // The computation and the drawing pass report their own failures; what
    // escapes them (the host failing) is shown here rather than ending the run.
    ShowFailure(failure);
  }
  ReleaseComputeData();
  if (drawn) Unload();
  Engine().GenerateResult = drawn ? 1 : 0;
  return drawn;
}

void frmPartSel::cmdNext() {
  if (!Enabled(Button::Next)) return;
  CommitEdit();
  if (!PrepareComputation()) return;
  frmStructPara next(dialogs_, [this] { return PrepareComputation(); });
  if (next.Load()) dialogs_.Show(next);
  // A draw from the structure parameter dialog closes this dialog too.
  if (next.Drawn()) Unload();
}

void frmPartSel::cmdProperty() {
  if (!Enabled(Button::Property)) return;
  CommitEdit();
  InitComp();
  CollectDesignParas();
  frmAttribute attributes;
  attributes.Load();
  dialogs_.Show(attributes);
}

void frmPartSel::cmdParaShow() {
  if (!Enabled(Button::ParaShow)) return;
  CommitEdit();
  if (paraNames_.Count() < 1) return;
  frmParaShow show(grid_);
  show.Load();
  dialogs_.Show(show);
}

void frmPartSel::cmd_Cancel() {
  Unload();
}

void frmPartSel::Unload(bool notify) {
  if (!loaded_) return;
  loaded_ = false;
  if (notify) editor_.Commit();
  reader_ = clsPartSelDB();
  paraNames_.Clear();
  paraValues_ = std::make_shared<colInputPara>();
  partViews_.Clear();
  picturePath_.clear();
  if (notify) changed_.Emit(Change::Closed);
}

}  // namespace qzdbs::ui
