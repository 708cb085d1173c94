// Whole runs of startSPartGen with the scripted stand-in of the dialog.
#include "ui/ScriptedDialog.h"

#include "SelectionHarness.h"
#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

namespace steps = ui::steps;

class ScriptedRunTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    library = SampleLibrary();
    engine.QZdbSPart(session);
  }
  int16_t Run(std::vector<ui::SelectionStep> steps) {
    ui::DialogScript script;
    script.steps = std::move(steps);
    return RunScript(std::move(script));
  }
  int16_t RunScript(ui::DialogScript script) {
    outcome = std::make_shared<ui::ScriptOutcome>();
    Engine().selectionDialog =
        ui::ScriptedDialogs(CatalogueOf({library->Path()}), std::move(script), outcome,
                            scratch.Folder() + "WMFtemp.wmf");
    return engine.startSPartGen();
  }

  std::unique_ptr<ScratchLibrary> library;
  IQZdbEngine engine;
  std::shared_ptr<ui::ScriptOutcome> outcome;
};

TEST_F(ScriptedRunTest, SuccessfulDrawReturnsOneAndClosesTheConnection) {
  const int16_t result =
      Run({steps::ChoosePart(library->Path(), 1), steps::SelectRowID(3), steps::EditCell("L", "80"),
           steps::TickView("左"), steps::SetOption(2, true), steps::Draw()});
  EXPECT_EQ(result, 1) << ::testing::PrintToString(BoxTexts());
  EXPECT_TRUE(outcome->failure.empty()) << outcome->failure;
  EXPECT_FALSE(Engine().LibraryConnection);
  EXPECT_EQ(SessionViewNames(), (std::vector<std::string>{"左视图"}));
  EXPECT_TRUE(SessionFlag("GroupPart"));
  auto inputs = Dictionary("InputParameters");
  ASSERT_EQ(inputs.size(), 5u);
  EXPECT_EQ(inputs[0], (std::pair<std::string, std::string>{"Thread", "M16"}));
  EXPECT_EQ(inputs[1], (std::pair<std::string, std::string>{"L", "80"}));
}

TEST_F(ScriptedRunTest, FailedDrawThenCancelReturnsZero) {
  library = SampleLibrary("UPDATE QZPartPoints SET PXParaExp = 'P.none.X' WHERE PartID = 1;");
  bool openAfterDraw = false;
  const int16_t result =
      Run({steps::ChoosePart(library->Path(), 1), steps::Draw(),
           [&](ui::frmPartSel& dialog) { openAfterDraw = dialog.IsLoaded(); }, steps::Cancel()});
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(openAfterDraw);
  EXPECT_TRUE(session->Views().empty());
}

TEST_F(ScriptedRunTest, DrawFromTheStructureParameterDialogReturnsOne) {
  ui::DialogScript script;
  script.steps = {steps::ChoosePart(library->Path(), 2), steps::TickAllViews(), steps::Next()};
  script.structPara = [](ui::frmStructPara& form) { form.cmdDrawStr(); };
  EXPECT_EQ(RunScript(script), 1) << ::testing::PrintToString(BoxTexts());
  EXPECT_EQ(session->Views().size(), 2u);
}

TEST_F(ScriptedRunTest, StepThatFindsNothingStopsTheRunBeforeItDraws) {
  EXPECT_EQ(Run({steps::ChoosePart(library->Path(), 1), steps::TickView("top"), steps::Draw()}), 0);
  EXPECT_EQ(outcome->failure, "no view \"top\"; the views are: \"主视图\" (31), \"左视图\" (27)");
  EXPECT_TRUE(session->Views().empty());
}

TEST_F(ScriptedRunTest, ScriptEndingWithTheDialogOpenIsACancel) {
  EXPECT_EQ(Run({steps::ChoosePart(library->Path(), 1)}), 0);
  EXPECT_TRUE(outcome->failure.empty());
  EXPECT_FALSE(Engine().LibraryConnection);
}

TEST_F(ScriptedRunTest, EditingARowlessPartIsAScriptFailure) {
  library = SampleLibrary("DELETE FROM QZParaValue WHERE PartID = 3;");
  EXPECT_EQ(Run({steps::ChoosePart(library->Path(), 3), steps::EditCell("D", "5")}), 0);
  EXPECT_EQ(outcome->failure, "cannot set D: the part has no value rows to edit");
}

}  // namespace
}  // namespace qzdbs::test
