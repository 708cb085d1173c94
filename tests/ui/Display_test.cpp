// The parameter display dialog over the selection grid, and the attribute
// dialog.
#include "SelectionHarness.h"
#include "state/ComputeState.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"

namespace qzdbs::test {
namespace {

class DisplayTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    library = SampleLibrary(
        "UPDATE QZPartStructureParas SET Expression = 'S.none*2' "
        "WHERE PartID = 2 AND Name = 'area';");
    dialog = OpenDialog({library->Path()});
  }
  std::vector<std::pair<std::string, std::string>> Rows(const ui::frmAttribute& form) const {
    std::vector<std::pair<std::string, std::string>> rows;
    const auto& grid = form.fgd_PartDes();
    for (int32_t r = 1; r < grid.Rows(); ++r)
      rows.emplace_back(grid.TextMatrix(r, 0), grid.TextMatrix(r, 1));
    return rows;
  }

  std::unique_ptr<ScratchLibrary> library;
  std::unique_ptr<ui::frmPartSel> dialog;
};

TEST_F(DisplayTest, HiddenParameterComesUpUncheckedAndOkShowsIt) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  dialogs.onParaShow = [&](ui::frmParaShow& show) {
    EXPECT_EQ(show.Caption(), "原始参数显示控制：");
    EXPECT_EQ(show.ColumnHeading(), "参数名称");
    const auto& list = show.lvwCheckShow();
    ASSERT_EQ(list.Count(), 5);
    std::vector<std::string> texts;
    for (const auto& item : list.Items())
      texts.push_back(item.text + (item.checked ? "+" : "-"));
    EXPECT_EQ(texts, (std::vector<std::string>{"Thread+", "L+", "s+", "k+", "P-"}));
    show.TickItem(5, true);
    show.TickItem(1, false);
    show.cmdEnterShow();
  };
  dialog->cmdParaShow();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(dialog->fgd_InputPara().ColWidth(5), 800);
  EXPECT_EQ(dialog->fgd_InputPara().ColWidth(1), 5);
  // The width is only what the grid shows: the parameter keeps its Visible.
  ASSERT_TRUE(dialog->PrepareComputation());
  EXPECT_EQ(Compute().DesignParas->Item("O.P")->Visible, 0);
}

TEST_F(DisplayTest, AttributesListEveryPropertyOfTheSelectedRow) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  dialog->SelectRow(2);
  bool shown = false;
  dialogs.onAttribute = [&](ui::frmAttribute& form) {
    shown = true;
    const auto& grid = form.fgd_PartDes();
    EXPECT_EQ(grid.TextMatrix(0, 0), "属性名称");
    EXPECT_EQ(grid.TextMatrix(0, 1), "属性内容");
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(Rows(form),
              (std::vector<std::pair<std::string, std::string>>{{"名称", "六角头螺栓"},
                                                                {"Designation", "Bolt M12x50"},
                                                                {"Mass", "44.39"},
                                                                {"Material", "钢 8.8级"}}));
    // A third and three fifths of the dialog's inner width less 10 twips.
    EXPECT_EQ(form.GridLeft(), 5);
    EXPECT_EQ(form.GridWidth(), 5390);
    EXPECT_EQ(grid.ColWidth(0), 1797);
    EXPECT_EQ(grid.ColWidth(1), 3234);
  };
  dialog->cmdProperty();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Boxes().empty()) << BoxTexts().front();

  // A unit, from the library's Unit column or from the end of the name,
  // follows the value.
  for (const char* units :
       {"ALTER TABLE QZProperties ADD COLUMN Unit TEXT; "
        "UPDATE QZProperties SET Unit = 'g' WHERE PropertyName = 'Mass';",
        "UPDATE QZProperties SET PropertyName = 'Mass（g）' WHERE PropertyName = 'Mass';",
        "UPDATE QZProperties SET PropertyName = 'Mass [g]' WHERE PropertyName = 'Mass';"}) {
    library = SampleLibrary(units);
    dialog = OpenDialog({library->Path()});
    ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
    dialog->SelectRow(2);
    dialogs.onAttribute = [&](ui::frmAttribute& form) {
      EXPECT_EQ(Rows(form)[2], (std::pair<std::string, std::string>{"Mass", "44.39 g"})) << units;
    };
    dialog->cmdProperty();
  }
}

TEST_F(DisplayTest, AttributesGoOnAfterFailedStructureParameters) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 2));
  dialogs.onAttribute = [&](ui::frmAttribute& form) {
    auto rows = Rows(form);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"Designation", "Lock washer M8"}));
    // The mass needs the failed S.area: it keeps the formula read from the library.
    EXPECT_EQ(rows[2],
              (std::pair<std::string, std::string>{"Mass", "Round(S.area*O.h*O.rho/1000, 3)"}));
  };
  dialog->cmdProperty();
  std::vector<std::string> wanted = {"提示： 在结构参数计算中发生错误",
                                     "提示： 在零件属性计算中发生错误"};
  std::vector<std::string> dialogBoxes;
  for (const auto& text : BoxTexts())
    if (text == wanted[0] || text == wanted[1]) dialogBoxes.push_back(text);
  EXPECT_EQ(dialogBoxes, wanted);
}

// Without parameters no parameter display opens; without properties the
// attributes show only their headings.
TEST_F(DisplayTest, PartWithoutParametersOrPropertiesShowsNoneOfThem) {
  library = SampleLibrary(
      "DELETE FROM QZPartInputParas WHERE PartID = 3; DELETE FROM QZPartPrptys WHERE PartID = 3;");
  dialog = OpenDialog({library->Path()});
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 3));
  dialog->cmdParaShow();
  EXPECT_EQ(dialogs.shown, 0);
  int rows = -1;
  dialogs.onAttribute = [&](ui::frmAttribute& form) { rows = form.fgd_PartDes().Rows(); };
  dialog->cmdProperty();
  EXPECT_EQ(rows, 1);
}

}  // namespace
}  // namespace qzdbs::test
