// The selection dialog's logic: loading a part into the grid, the view list
// and the picture; editing; the reopen decision; collecting the choices; Draw.
#include "ui/frmPartSel.h"

#include <filesystem>

#include "SelectionHarness.h"
#include "compute/Computation.h"
#include "db/recordset/Connection.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

using ui::frmPartSel;
using Button = frmPartSel::Button;

class PartSelTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    library = SampleLibrary();
    dialog = OpenDialog({library->Path()});
  }
  // The grid's texts of one row, from column 0.
  std::vector<std::string> GridRow(int32_t row) const {
    std::vector<std::string> texts;
    const auto& grid = dialog->fgd_InputPara();
    for (int32_t c = 0; c < grid.Cols(); ++c)
      texts.push_back(grid.TextMatrix(row, c));
    return texts;
  }
  std::vector<int32_t> Widths() const {
    std::vector<int32_t> widths;
    const auto& grid = dialog->fgd_InputPara();
    for (int32_t c = 0; c < grid.Cols(); ++c)
      widths.push_back(grid.ColWidth(c));
    return widths;
  }
  int32_t ColumnOf(const std::string& name) const {
    const auto& grid = dialog->fgd_InputPara();
    for (int32_t c = 1; c < grid.Cols(); ++c)
      if (grid.TextMatrix(0, c) == name) return c;
    ADD_FAILURE() << "no column " << name;
    return 1;
  }

  std::unique_ptr<ScratchLibrary> library;
  std::unique_ptr<frmPartSel> dialog;
};

TEST_F(PartSelTest, LoadLeavesNoPartAndOnlyCancelUsable) {
  EXPECT_EQ(Engine().CurrentPartID, -1);
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(0, 0), "");  // no heading without a part
  for (Button button : {Button::SelAllView, Button::DelAllView, Button::Next, Button::Property,
                        Button::ParaShow, Button::Draw})
    EXPECT_FALSE(dialog->Enabled(button)) << frmPartSel::ControlName(button);
  EXPECT_TRUE(dialog->Enabled(Button::Cancel));
  // Draw before a part is chosen cannot be pressed.
  EXPECT_FALSE(dialog->cmd_Draw());
  EXPECT_TRUE(dialog->IsLoaded());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(PartSelTest, ChosenPartFillsGridViewsPictureAndButtons) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  EXPECT_EQ(Engine().CurrentPartID, 1);
  EXPECT_EQ(Engine().LibraryPath, library->Path());
  EXPECT_EQ(Engine().LibraryConnectString, library->ConnectionString());

  // Columns in the definitions' order; the hidden parameter P is 5 twips wide.
  EXPECT_EQ(GridRow(0), (std::vector<std::string>{"   O.", "Thread", "L", "s", "k", "P"}));
  EXPECT_EQ(Widths(), (std::vector<int32_t>{500, 800, 800, 800, 800, 5}));
  const auto& grid = dialog->fgd_InputPara();
  ASSERT_EQ(grid.Rows(), 4);
  EXPECT_EQ(GridRow(1), (std::vector<std::string>{"1", "M10", "40", "16", "6.4", "1.5"}));
  EXPECT_EQ(GridRow(3), (std::vector<std::string>{"3", "M16", "30", "24", "10", "2"}));
  // Row 1 is selected across every parameter column.
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.RowSel(), 1);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.ColSel(), 5);

  const auto& views = dialog->lvw_PartVeiw();
  ASSERT_EQ(views.Count(), 2);
  EXPECT_EQ(views.Item(1).key, "V31");
  EXPECT_EQ(views.Item(1).text, "主视图");
  EXPECT_EQ(views.Item(1).tag, 31);
  EXPECT_EQ(views.Item(2).text, "左视图");
  EXPECT_FALSE(views.Item(1).checked || views.Item(2).checked);

  // The part's picture was written and is shown.
  EXPECT_EQ(dialog->PicturePath(), scratch.Folder() + "WMFtemp.wmf");
  EXPECT_GT(std::filesystem::file_size(dialog->PicturePath()), 0u);

  for (Button button : {Button::SelAllView, Button::DelAllView, Button::Next, Button::Property,
                        Button::ParaShow, Button::Draw})
    EXPECT_TRUE(dialog->Enabled(button)) << frmPartSel::ControlName(button);
  EXPECT_TRUE(views.Enabled());
  EXPECT_TRUE(Boxes().empty()) << BoxTexts().front();
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 3));  // the flange has no part picture
  EXPECT_TRUE(dialog->PicturePath().empty());
}

TEST_F(PartSelTest, PartWithoutViewsDisablesTheViewButtonsAndStillDrawsEverything) {
  library = SampleLibrary("DELETE FROM QZPartViews WHERE PartID = 3;");
  dialog = OpenDialog({library->Path()});
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 3));
  EXPECT_FALSE(dialog->Enabled(Button::SelAllView));
  EXPECT_FALSE(dialog->Enabled(Button::DelAllView));
  EXPECT_FALSE(dialog->lvw_PartVeiw().Enabled());
  EXPECT_EQ(dialog->lvw_PartVeiw().Count(), 0);
  EXPECT_TRUE(dialog->Enabled(Button::Draw));

  ASSERT_TRUE(dialog->cmd_Draw()) << ::testing::PrintToString(BoxTexts());
  // With no view chosen the drawing pass makes its two default views.
  EXPECT_EQ(SessionViewNames(), (std::vector<std::string>{"PartView1", "PartView2"}));
  EXPECT_GT(session->Views().back()->Entities().size(), 0u);
}

TEST_F(PartSelTest, PartWithoutRowsOrParametersShowsNothingOfThePartBeforeAndNoEditor) {
  struct Case {
    const char* name;
    const char* sql;
    int32_t partID;
    std::vector<std::string> header;
    bool hasRows;
  };
  const Case cases[] = {
      {"washer without value rows",
       "DELETE FROM QZParaValue WHERE PartID = 2;",
       2,
       {"   O.", "Size", "d1", "d2", "h", "rho"},
       false},
      {"flange without parameters",
       "DELETE FROM QZPartInputParas WHERE PartID = 3;",
       3,
       {"   O."},
       true},
      {"bolt without value rows",
       "DELETE FROM QZParaValue WHERE PartID = 1;",
       1,
       {"   O.", "Thread", "L", "s", "k", "P"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    library = SampleLibrary(c.sql);
    dialog = OpenDialog({library->Path()});
    // The bolt first, so that the part must replace its rows and columns.
    ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
    ASSERT_TRUE(dialog->ChoosePart(library->Path(), c.partID));
    dialog->GridKeyPress("5");  // the header row is not edited
    EXPECT_FALSE(dialog->txtEdit().Visible());
    EXPECT_EQ(GridRow(0), c.header);
    EXPECT_EQ(dialog->RowIDs().empty(), !c.hasRows);
    EXPECT_EQ(dialog->fgd_InputPara().Rows(), static_cast<int32_t>(dialog->RowIDs().size()) + 1);
    ASSERT_TRUE(dialog->PrepareComputation());
    EXPECT_EQ(Compute().DesignParas->Count(), 0);
  }
}

TEST_F(PartSelTest, TypingFiveReplacesTheCellAndDrawHandsFive) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  const int32_t l = ColumnOf("L");
  dialog->SelectCell(2, l);
  dialog->GridKeyPress("5");
  EXPECT_TRUE(dialog->txtEdit().Visible());
  EXPECT_EQ(dialog->txtEdit().Text(), "5");
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(2, l), "50");  // not yet written
  dialog->EditorLostFocus();
  EXPECT_FALSE(dialog->txtEdit().Visible());
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(2, l), "5");

  dialog->cmd_SelAllView();
  ASSERT_TRUE(dialog->cmd_Draw()) << ::testing::PrintToString(BoxTexts());
  auto inputs = Dictionary("InputParameters");
  EXPECT_EQ(inputs, (decltype(inputs){
                        {"Thread", "M12"}, {"L", "5"}, {"s", "18"}, {"k", "7.5"}, {"P", "1.75"}}));
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(Engine().GenerateResult, 1);
}

TEST_F(PartSelTest, EditorStartsFromTheKeyOrFromTheCell) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  struct Case {
    const char* key;  // what the key types; nullptr for a double click
    const char* text;
  };
  const Case cases[] = {
      {"7", "7"}, {"螺", "螺"}, {nullptr, "M10"}, {"\r", "M10"}, {"", "M10"}, {" ", "M10"},
  };
  for (const Case& c : cases) {
    dialog->SelectCell(1, 1);
    if (c.key) {
      dialog->GridKeyPress(c.key);
    } else {
      dialog->GridDoubleClick();
    }
    EXPECT_EQ(dialog->txtEdit().Text(), c.text) << (c.key ? c.key : "double click");
    // Moving to another cell writes the edit back first.
    dialog->SelectCell(1, 2);
    EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), c.text);
    dialog->fgd_InputPara().SetTextMatrix(1, 1, "M10");
  }
}

// A numeric column takes a number or nothing; what it refuses is said in a
// message and the cell keeps its text.
TEST_F(PartSelTest, EditorChecksTypedTextAgainstTheColumn) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  struct Case {
    const char* column;
    const char* typed;
    bool taken;
  };
  const Case cases[] = {
      {"s", "abc", false}, {"s", "12abc", false}, {"s", " 12.5 ", true},
      {"s", "1e3", true},  {"s", "", true},       {"Thread", "abc", true},
  };
  for (const Case& c : cases) {
    const int32_t col = ColumnOf(c.column);
    const std::string before = dialog->fgd_InputPara().TextMatrix(3, col);
    const size_t boxes = BoxTexts().size();
    dialog->SelectCell(3, col);
    dialog->GridKeyPress("a");
    dialog->EditorTextChanged(c.typed);
    dialog->GridScrolled();
    EXPECT_FALSE(dialog->txtEdit().Visible()) << c.typed;
    EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(3, col), c.taken ? c.typed : before) << c.typed;
    ASSERT_EQ(BoxTexts().size(), boxes + (c.taken ? 0 : 1)) << c.typed;
    if (!c.taken) {
      EXPECT_EQ(BoxTexts().back(),
                "提示： 参数 s 只接受数字，“" + std::string(c.typed) + "”不是数字。");
    }
    dialog->fgd_InputPara().SetTextMatrix(3, col, before);
  }
}

TEST_F(PartSelTest, DesignParametersComeFromTheRowWhereTheSelectionEnds) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  dialog->fgd_InputPara().Select(1, 1, 3, 5);
  ASSERT_TRUE(dialog->PrepareComputation());
  const colCompute& design = *Compute().DesignParas;
  ASSERT_EQ(design.Count(), 5);
  auto thread = design.Item("O.Thread");
  ASSERT_TRUE(thread);
  EXPECT_EQ(thread->ParaValue, "M16");
  EXPECT_EQ(thread->isDoneCalValue, 1);
  EXPECT_EQ(thread->IsExpression, 0);
  EXPECT_EQ(thread->TagStr, "O.1");
  EXPECT_EQ(thread->Visible, 1);
  auto pitch = design.Item("O.P");
  ASSERT_TRUE(pitch);
  EXPECT_EQ(pitch->Visible, 0);
  EXPECT_EQ(pitch->TagStr, "O.5");
  std::string key;
  EXPECT_TRUE(design.getKey("o.2", key));
  EXPECT_EQ(key, "O.L");
}

// The same part reloads on the open connection; another part, or a part of
// another library, reopens; a library that cannot be opened keeps the part.
TEST_F(PartSelTest, LibraryIsReopenedForAnotherPartOnly) {
  auto other = SampleLibrary(
      "UPDATE QZParaValue SET StrValue = 'M20' WHERE PartID = 1 AND RowID = 1;", "other.qzlib");
  dialog = OpenDialog({library->Path(), other->Path()});
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  // A reopen would build the connection string afresh.
  Engine().LibraryConnection->ConnectionString += "Marker=kept;";
  dialog->fgd_InputPara().SetTextMatrix(1, 1, "edited");
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnectString, "Marker"), "kept");
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), "M10");
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 2));
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnectString, "Marker"), "");

  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  ASSERT_TRUE(dialog->ChoosePart(other->Path(), 1));
  EXPECT_EQ(Engine().LibraryPath, other->Path());
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnection->ConnectionString, "Dbq"),
            other->Path());
  EXPECT_EQ(Engine().LibraryConnectString, other->ConnectionString());
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), "M20");

  EXPECT_FALSE(dialog->ChoosePart(scratch.Folder() + "missing.qzlib", 2));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： 无法打开用户指定的数据库！"}));
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Information);
  EXPECT_EQ(GridRow(1)[1], "M20");
  EXPECT_EQ(Engine().CurrentPartID, 1);
}

TEST_F(PartSelTest, ViewButtonsTickAndUntickEverything) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  dialog->cmd_SelAllView();
  for (const auto& item : dialog->lvw_PartVeiw().Items())
    EXPECT_TRUE(item.checked) << item.text;
  EXPECT_TRUE(Boxes().empty());
  dialog->cmd_DelAllView();
  for (const auto& item : dialog->lvw_PartVeiw().Items())
    EXPECT_FALSE(item.checked) << item.text;
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： 没有选择视图，系统将输出零件所有实体"}));
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Exclamation);
}

TEST_F(PartSelTest, ClickOnATickedViewShowsItsPicture) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  const uint64_t partPicture = dialog->PictureRevision();
  dialog->ClickView(1);  // not ticked: nothing is shown
  EXPECT_EQ(dialog->lvw_PartVeiw().Selected(), 1);
  EXPECT_EQ(dialog->PictureRevision(), partPicture);
  dialog->CheckView(1, true);
  EXPECT_EQ(dialog->PictureRevision(), partPicture);  // ticking alone shows nothing
  dialog->ClickView(1);
  EXPECT_EQ(dialog->PictureRevision(), partPicture + 1);
  EXPECT_FALSE(dialog->PicturePath().empty());
  // A ticked view without a picture clears the viewer.
  dialog->CheckView(2, true);
  dialog->ClickView(2);
  EXPECT_TRUE(dialog->PicturePath().empty());
  // A click beside the items keeps the selected one.
  dialog->ClickView(0);
  EXPECT_EQ(dialog->lvw_PartVeiw().Selected(), 2);
}

TEST_F(PartSelTest, TickedViewsAndOptionsReachTheSession) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  dialog->CheckView(2, true);
  dialog->SetChkOut(0, true);
  dialog->SetChkOut(3, true);
  ASSERT_TRUE(dialog->cmd_Draw()) << ::testing::PrintToString(BoxTexts());
  EXPECT_EQ(SessionViewNames(), (std::vector<std::string>{"左视图"}));
  EXPECT_TRUE(SessionFlag("RemoveDimension"));
  EXPECT_FALSE(SessionFlag("AllowMove"));
  EXPECT_FALSE(SessionFlag("GroupPart"));
  EXPECT_TRUE(SessionFlag("MakeBlock"));
  EXPECT_FALSE(SessionFlag("HideBackground"));
  const auto& options = Engine().OutputOptions;
  ASSERT_EQ(options.Count(), 5);
  EXPECT_EQ(options.At(1)->first, "Che0");
  EXPECT_EQ(options.At(5)->first, "Che4");
}

TEST_F(PartSelTest, FailedDrawLeavesTheDialogOpenWithResultZero) {
  library = SampleLibrary(
      "UPDATE QZPartStructureParas SET Expression = 'S.nothing*2' "
      "WHERE PartID = 1 AND Name = 'b';");
  dialog = OpenDialog({library->Path()});
  Engine().GenerateResult = 1;
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  EXPECT_FALSE(dialog->cmd_Draw());
  EXPECT_TRUE(dialog->IsLoaded());
  EXPECT_EQ(Engine().GenerateResult, 0);
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(BoxTexts().back(), "警告： 计算结构参数中有错误");
  // Everything computed was released.
  EXPECT_FALSE(Compute().StructParas);
  EXPECT_FALSE(Compute().ComputeDB);
  EXPECT_TRUE(session->Views().empty());
}

TEST_F(PartSelTest, InitCompFailureIsReportedAndTheDialogStays) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  // The shared connection keeps the file; the computation's own connection
  // cannot find it any more.
  std::filesystem::remove(library->File());
  messages->Clear();
  EXPECT_FALSE(dialog->cmd_Draw());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： InitComp初始化数据计算集合时出错"}));
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Exclamation);
  EXPECT_TRUE(dialog->IsLoaded());
  messages->Clear();
  dialog->cmdNext();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： InitComp初始化数据计算集合时出错"}));
  EXPECT_EQ(dialogs.shown, 0);
}

TEST_F(PartSelTest, CancelClosesWithoutTouchingTheResult) {
  Engine().GenerateResult = 1;
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  int closed = 0;
  dialog->Changed().Connect([&](frmPartSel::Change change) {
    if (change == frmPartSel::Change::Closed) ++closed;
  });
  dialog->cmd_Cancel();
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(Engine().GenerateResult, 1);
  EXPECT_EQ(dialog->ParaNames().Count(), 0);
  // A closed dialog takes no more commands.
  EXPECT_FALSE(dialog->cmd_Draw());
  EXPECT_FALSE(dialog->ChoosePart(library->Path(), 1));
}

TEST_F(PartSelTest, CatalogueMessageIsShownOnLoad) {
  dialog = OpenDialog({library->Path(), scratch.Folder() + "absent.qzlib"});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Information);
  EXPECT_NE(Boxes().front().text.find("absent.qzlib"), std::string::npos) << Boxes().front().text;
  EXPECT_EQ(dialog->Tree().Libraries().size(), 1u);
}

}  // namespace
}  // namespace qzdbs::test
