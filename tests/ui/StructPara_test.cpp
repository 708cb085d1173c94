// The structure parameter dialog reached with Next, and the structure
// display dialog it opens.
#include "ui/frmStructPara.h"

#include "SelectionHarness.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/TestPaths.h"
#include "ui/frmColumnShow.h"

namespace qzdbs::test {
namespace {

using ui::frmStructPara;

// A session whose UpdatePart fails a given number of times, as a host that
// refuses a part does: the drawing pass then fails.
class RefusingSession : public HostObject {
 public:
  RefusingSession(std::shared_ptr<MemoryObject> inner, int refusals)
      : inner_(std::move(inner)), refusals_(refusals) {}
  const std::string& ClassName() const override { return inner_->ClassName(); }
  void Set(std::string_view member, HostValue value) override {
    inner_->Set(member, std::move(value));
  }
  HostValue Get(std::string_view member) const override { return inner_->Get(member); }
  void Call(std::string_view member, std::vector<HostValue>& args) override {
    if (member == "UpdatePart" && refusals_ > 0) {
      --refusals_;
      throw HostError("the host refused the part");
    }
    inner_->Call(member, args);
  }
  std::shared_ptr<HostComponent> Component() const override { return inner_->Component(); }

 private:
  std::shared_ptr<MemoryObject> inner_;
  int refusals_;
};

class StructParaTest : public SelectionTest {
 protected:
  void Choose(int32_t partID, const std::string& extraSql = {}) {
    library = SampleLibrary(extraSql);
    dialog = OpenDialog({library->Path()});
    ASSERT_TRUE(dialog->ChoosePart(library->Path(), partID));
  }
  // The column of a structure parameter in the dialog's grid.
  static int32_t ColumnOf(const frmStructPara& form, const std::string& name) {
    const auto& grid = form.fgdStructPara();
    for (int32_t c = 1; c < grid.Cols(); ++c)
      if (grid.TextMatrix(frmStructPara::kNameRow, c) == name) return c;
    ADD_FAILURE() << "no column " << name;
    return 1;
  }
  std::string Property(const std::string& name) const {
    for (const auto& [key, value] : Dictionary("PartProperties"))
      if (key == name) return value;
    return "(none)";
  }

  std::unique_ptr<ScratchLibrary> library;
  std::unique_ptr<ui::frmPartSel> dialog;
};

TEST_F(StructParaTest, GridHoldsNameFormulaAndValueOfEachParameter) {
  Choose(1);
  bool checked = false;
  dialogs.onStructPara = [&](frmStructPara& form) {
    checked = true;
    const auto& grid = form.fgdStructPara();
    const int32_t count = Compute().StructParas->Count();
    ASSERT_EQ(grid.Rows(), 3);
    ASSERT_EQ(grid.Cols(), count + 1);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "  S.");
    EXPECT_EQ(grid.TextMatrix(1, 0), "Exp");
    EXPECT_EQ(grid.TextMatrix(2, 0), "Cal");
    EXPECT_EQ(grid.ColWidth(0), 400);
    const int32_t b = ColumnOf(form, "b");
    EXPECT_EQ(grid.TextMatrix(1, b), "IIf(O.L<=125, 2*S.d+6, 2*S.d+12)");
    EXPECT_EQ(grid.TextMatrix(2, b), "26");  // M10 x 40
    EXPECT_EQ(grid.ColWidth(b), 800);
    EXPECT_EQ(grid.ColWidth(ColumnOf(form, "a360")), 5);  // Visible 0
    // Only values can be edited.
    EXPECT_EQ(grid.Row(), 2);
    const_cast<ui::GridModel&>(grid).Select(0, 1, 0, 1);
    EXPECT_EQ(grid.Row(), 2);
  };
  dialog->cmdNext();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(dialog->IsLoaded());  // back from the previous step
  EXPECT_TRUE(Compute().StructParas) << "going back releases nothing";
}

TEST_F(StructParaTest, TypedValueReachesPropertiesButNotOtherStructureParameters) {
  Choose(1);
  dialog->cmd_SelAllView();
  dialogs.onStructPara = [&](frmStructPara& form) {
    form.SelectColumn(ColumnOf(form, "d"));
    form.GridKeyPress("2");
    form.EditorTextChanged("20");
    EXPECT_TRUE(form.cmdDrawStr()) << ::testing::PrintToString(BoxTexts());
    EXPECT_FALSE(form.IsLoaded());
  };
  dialog->cmdNext();
  EXPECT_FALSE(dialog->IsLoaded()) << "a draw from the next step closes the selection dialog";
  EXPECT_EQ(Engine().GenerateResult, 1);
  // Mass = Round(Pi*S.d^2/4*O.L*0.00785, 2) with d typed as 20 and L 40.
  EXPECT_EQ(Property("Mass"), "98.65");
  EXPECT_EQ(SessionViewNames(), (std::vector<std::string>{"主视图", "左视图"}));
}

TEST_F(StructParaTest, DoubleClickEditsTheOldValueAndHiddenColumnsAreWrittenBackToo) {
  Choose(1);
  dialogs.onStructPara = [&](frmStructPara& form) {
    form.SelectColumn(ColumnOf(form, "d"));
    form.GridDoubleClick();
    EXPECT_EQ(form.txtEditStr().Text(), "10");
    form.EditorLostFocus();
    form.SelectColumn(ColumnOf(form, "a360"));
    form.GridKeyPress("7");
    form.GridScrolled();
    ASSERT_TRUE(form.ComputeResults());
    EXPECT_EQ(Compute().StructParas->Item("S.a360")->ParaValue, "7");
    EXPECT_EQ(Compute().StructParas->Item("S.d")->ParaValue, "10");
  };
  dialog->cmdNext();
}

TEST_F(StructParaTest, FailingStructureParametersCloseTheDialogAtOnce) {
  Choose(1, "UPDATE QZPartStructureParas SET Expression = 'S.none+1' WHERE Name = 'd';");
  dialog->cmdNext();
  EXPECT_EQ(dialogs.shown, 0);
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(BoxTexts().back(), "提示： 在结构参数计算中发生错误");
  EXPECT_EQ(Boxes().back().icon, MsgIcon::Information);
  EXPECT_TRUE(dialog->IsLoaded());
}

TEST_F(StructParaTest, FailingPropertiesOrPointsStopTheDrawWithTheirMessage) {
  struct Case {
    const char* sql;
    const char* box;
    MsgIcon icon;
  };
  const Case cases[] = {
      {"UPDATE QZPartPrptys SET Value = 'T.none*2' WHERE PartID = 1 AND PropertyID = 3;",
       "提示： 计算零件属性中有错误", MsgIcon::Information},
      {"UPDATE QZPartPoints SET PXParaExp = 'P.none.X' WHERE PartID = 1 AND Name = 'AXE';",
       "警告： 对点表的坐标进行计算时出现错误", MsgIcon::Exclamation},
  };
  for (const Case& c : cases) {
    messages->Clear();
    Choose(1, c.sql);
    dialogs.onStructPara = [&](frmStructPara& form) {
      EXPECT_FALSE(form.cmdDrawStr());
      EXPECT_TRUE(form.IsLoaded());
      ASSERT_FALSE(Boxes().empty());
      EXPECT_EQ(BoxTexts().back(), c.box);
      EXPECT_EQ(Boxes().back().icon, c.icon);
    };
    dialog->cmdNext();
    EXPECT_TRUE(dialog->IsLoaded());
  }
}

TEST_F(StructParaTest, SecondDrawAfterAFailedOneRecomputesAndKeepsTheTypedValues) {
  Choose(1);
  auto refusing = std::make_shared<RefusingSession>(session, 1);
  Engine().session = QZdbSPart(refusing);
  dialog->cmd_SelAllView();
  dialogs.onStructPara = [&](frmStructPara& form) {
    form.SelectColumn(ColumnOf(form, "d"));
    form.GridKeyPress("2");
    form.EditorTextChanged("20");
    EXPECT_FALSE(form.cmdDrawStr());
    EXPECT_EQ(Engine().GenerateResult, 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(Compute().StructParas) << "a failed draw releases the computation";
    EXPECT_TRUE(form.cmdDrawStr()) << ::testing::PrintToString(BoxTexts());
  };
  dialog->cmdNext();
  EXPECT_EQ(Engine().GenerateResult, 1);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(Property("Mass"), "98.65");
  EXPECT_EQ(SessionViewNames().size(), 2u);
}

TEST_F(StructParaTest, StructureDisplayChecksShownColumnsAndSetsWidths) {
  Choose(1);
  dialogs.onStructPara = [&](frmStructPara& form) {
    const int32_t d = ColumnOf(form, "d");
    const int32_t a360 = ColumnOf(form, "a360");
    dialogs.onStructShow = [&](ui::frmStructShow& show) {
      EXPECT_EQ(show.Caption(), "结构参数显示控制：");
      EXPECT_EQ(show.ColumnHeading(), "S.");
      const auto& list = show.lvwCheckShow();
      ASSERT_EQ(list.Count(), form.fgdStructPara().Cols() - 1);
      EXPECT_EQ(list.Item(d).text, "d");
      EXPECT_EQ(list.Item(d).key, "Xd");
      EXPECT_EQ(list.Item(d).tag, d);
      EXPECT_TRUE(list.Item(d).checked);
      EXPECT_FALSE(list.Item(a360).checked);
      show.TickItem(d, false);
      show.TickItem(a360, true);
      show.cmdEnterShow();
      EXPECT_FALSE(show.IsLoaded());
    };
    form.cmdSelDisplay();
    EXPECT_EQ(form.fgdStructPara().ColWidth(d), 5);
    EXPECT_EQ(form.fgdStructPara().ColWidth(a360), 800);
  };
  dialog->cmdNext();
  EXPECT_EQ(dialogs.shown, 2);
}

TEST_F(StructParaTest, PartWithoutStructureParametersHasOnlyTheTitleColumnAndDraws) {
  // A part of one line between two points and no structure parameters.
  ScratchLibrary plate(SchemaSql() + ReadText(TestDataDir() / "libraries" / "plate-library.sql"));
  dialog = OpenDialog({plate.Path()});
  ASSERT_TRUE(dialog->ChoosePart(plate.Path(), 9));
  dialogs.onStructPara = [&](frmStructPara& form) {
    EXPECT_EQ(form.fgdStructPara().Cols(), 1);
    form.cmdSelDisplay();
    EXPECT_EQ(dialogs.shown, 1) << "no structure display without parameters";
    EXPECT_TRUE(form.cmdDrawStr()) << ::testing::PrintToString(BoxTexts());
  };
  dialog->cmdNext();
  EXPECT_EQ(Engine().GenerateResult, 1);
  ASSERT_EQ(session->Views().size(), 2u);
  EXPECT_EQ(session->Views().back()->Entities().size(), 1u);
}

}  // namespace
}  // namespace qzdbs::test
