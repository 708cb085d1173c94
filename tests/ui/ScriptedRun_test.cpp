// Whole runs of startSPartGen with the scripted stand-in of the dialog: the
// result and the views handed over follow where the script leaves the dialog.
#include "ui/ScriptedDialog.h"

#include "SelectionHarness.h"
#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

namespace steps = ui::steps;
using Inputs = std::vector<std::pair<std::string, std::string>>;

using ScriptedRunTest = SelectionTest;

TEST_F(ScriptedRunTest, ResultAndViewsFollowTheScript) {
  bool openAfterDraw = false;
  const auto drawFromStructPara = [](ui::frmStructPara& form) { form.cmdDrawStr(); };
  const struct {
    const char* what;
    std::string sql;
    int32_t part;
    std::vector<ui::SelectionStep> steps;
    std::function<void(ui::frmStructPara&)> structPara;
    int16_t result;
    std::string failure = {};
    std::vector<std::string> views = {};
    Inputs inputs = {};  // the first ones handed over
  } rows[] = {
      {"draw",
       "",
       1,
       {steps::SelectRowID(3), steps::EditCell("L", "80"), steps::TickView("左"),
        steps::SetOption(2, true), steps::Draw()},
       {},
       1,
       "",
       {"左视图"},
       {{"Thread", "M16"}, {"L", "80"}}},
      {"failed draw, then cancel",
       "UPDATE QZPartPoints SET PXParaExp = 'P.none.X' WHERE PartID = 1;",
       1,
       {steps::Draw(), [&](ui::frmPartSel& dialog) { openAfterDraw = dialog.IsLoaded(); },
        steps::Cancel()},
       {},
       0},
      {"draw from the structure parameters",
       "",
       2,
       {steps::TickAllViews(), steps::Next()},
       drawFromStructPara,
       1,
       "",
       {"主视图", "剖视图"}},
      {"a step that finds nothing stops the run before it draws",
       "",
       1,
       {steps::TickView("top"), steps::Draw()},
       {},
       0,
       "no view \"top\"; the views are: \"主视图\" (31), \"左视图\" (27)"},
      {"the script ends with the dialog open: a cancel", "", 1, {}, {}, 0},
      {"editing a rowless part",
       "DELETE FROM QZParaValue WHERE PartID = 3;",
       3,
       {steps::EditCell("D", "5")},
       {},
       0,
       "cannot set D: the part has no value rows to edit"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto library = SampleLibrary(row.sql);
    session = component->NewObject("QZdbSPart");
    session->Preset("DrawScale", 1.0);
    session->Preset("BlockFolder", scratch.Folder());
    IQZdbEngine engine;
    engine.QZdbSPart(session);
    ui::DialogScript script;
    script.steps = {steps::ChoosePart(library->Path(), row.part)};
    script.steps.insert(script.steps.end(), row.steps.begin(), row.steps.end());
    script.structPara = row.structPara;
    auto outcome = std::make_shared<ui::ScriptOutcome>();
    Engine().selectionDialog = ui::ScriptedDialogs(CatalogueOf({library->Path()}), script, outcome,
                                                   scratch.Folder() + "WMFtemp.wmf");
    EXPECT_EQ(engine.startSPartGen(), row.result) << ::testing::PrintToString(BoxTexts());
    EXPECT_EQ(outcome->failure, row.failure);
    EXPECT_FALSE(Engine().LibraryConnection);
    EXPECT_EQ(SessionViewNames(), row.views);
    const Inputs inputs = Dictionary("InputParameters");
    EXPECT_EQ(Inputs(inputs.begin(), inputs.begin() + std::min(inputs.size(), row.inputs.size())),
              row.inputs);
  }
  EXPECT_TRUE(openAfterDraw);
}

}  // namespace
}  // namespace qzdbs::test
