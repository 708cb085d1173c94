// The computation of a part's values by repeated passes: how many passes a
// family gets, which records a pass tries, the order of the families and the
// message each family's failure shows.
#include "compute/Computation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PipelineHarness.h"
#include "db/LibraryDB.h"
#include "db/clsPartComputeDB.h"
#include "db/colEntityList.h"
#include "db/colPartView.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

class ComputationTest : public PipelineTest {
 protected:
  // A part with one point, so that the point family has something to read.
  static std::string Part(const std::string& rows) {
    return PartRows() + PointRow(1, "BP", "0", "0", "0", 1) + rows;
  }

  static std::string Value(const std::shared_ptr<colCompute>& family, const std::string& key) {
    auto record = family ? family->Item(key) : nullptr;
    return record ? record->ParaValue : "(missing)";
  }

  // The evaluator's box for a formula, counted over the run.
  size_t Tries(const std::string& formula) const {
    const std::string text = "计算模块：公式 " + formula + " 求解可能失败，请仔细检查！";
    return std::count_if(Boxes().begin(), Boxes().end(),
                         [&](const MessageBoxRecord& box) { return box.text.starts_with(text); });
  }
};

TEST_F(ComputationTest, AParameterDoublingOneStoredAfterItIsComputedInTheLastAllowedPass) {
  // Pass 1: A waits for B, B is finished and removed. Pass 2 computes A, pass
  // 3 removes it: three passes, the most two records may have.
  Library(Part(StructRow(10, "A", "S.B*2", 1, 1) + StructRow(20, "B", "3", 0, 2)));
  ASSERT_TRUE(ComputeStructurePara());
  const ComputeState& state = Compute();
  EXPECT_EQ(Value(state.StructParas, "S.A"), "6");
  EXPECT_EQ(Value(state.StructParas, "S.B"), "3");
  for (const char* key : {"S.A", "S.B"})
    EXPECT_EQ(state.StructParas->Item(key)->isDoneCalValue, 1) << key;
  EXPECT_EQ(state.StructPending->Count(), 0);
  EXPECT_EQ(state.PassLimit, 2);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ComputationTest, APassSkipsTheRecordAfterEachRemovalAndTheFamilyGetsNPlusOnePasses) {
  // "1/0" never evaluates and says so each time it is tried, which shows
  // the passes that reached it.
  const std::string bad = "1/0";
  const std::string given = "3";
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> records;  // formula, IsExpression
    size_t tries;
  };
  const Case cases[] = {
      {"one failing record: two passes", {{bad, 1}}, 2},
      {"first of two: three passes", {{bad, 1}, {given, 0}}, 3},
      {"after a removal: skipped in pass 1", {{given, 0}, {bad, 1}}, 2},
      // Pass 1 removes the first and tries the failing one; pass 2 removes
      // the second and skips it; passes 3 and 4 try it.
      {"after two given values", {{given, 0}, {given, 0}, {bad, 1}}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    std::string rows;
    int id = 0;
    for (const auto& [formula, isExpression] : c.records) {
      ++id;
      rows += StructRow(id, "P" + std::to_string(id), formula, isExpression, id);
    }
    Library(Part(rows));
    EXPECT_FALSE(ComputeAll());
    EXPECT_EQ(Tries(bad), c.tries);
    EXPECT_EQ(Compute().StructPending->Count(), 1) << "only the failing record is left";
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(BoxLines().back(), "警告：|计算结构参数中有错误");
  }
}

TEST_F(ComputationTest, ParametersThatUseEachOtherFailSilentlyUntilTheFamilyGivesUp) {
  Library(Part(StructRow(1, "A", "S.B+1", 1, 1) + StructRow(2, "B", "S.A+1", 1, 2) +
               PropertyRows(5, "Mass", "2", 0)));
  EXPECT_FALSE(ComputeAll());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(BoxLines()[0], "警告：|计算结构参数中有错误");
  EXPECT_EQ(Boxes()[0].icon, MsgIcon::Information);
  const ComputeState& state = Compute();
  EXPECT_EQ(state.StructPending->Count(), 2);
  for (const char* key : {"S.A", "S.B"})
    EXPECT_EQ(state.StructParas->Item(key)->isDoneCalValue, 0) << key;
  // The later families are never loaded.
  EXPECT_EQ(state.Properties->Count(), 0);
  EXPECT_EQ(state.Points->Count(), 0);
}

TEST_F(ComputationTest, APropertyThatUsesAPointFailsInEveryPass) {
  // Points are computed after the properties: the record does not exist yet,
  // and the evaluator's box has no reason to give.
  Library(Part(StructRow(1, "d", "10", 0, 1) + PropertyRows(5, "Mass", "S.d*P.BP.X", 1)));
  EXPECT_FALSE(ComputeAll());
  const std::string tried = "提示：|计算模块：公式 S.d*P.BP.X 求解可能失败，请仔细检查！\r\n";
  EXPECT_EQ(BoxLines(), (std::vector<std::string>{tried, tried, "提示：|计算零件属性中有错误"}));
  EXPECT_EQ(Boxes().back().icon, MsgIcon::Information);
  EXPECT_EQ(Value(Compute().StructParas, "S.d"), "10");
  EXPECT_EQ(Compute().Points->Count(), 0);
}

TEST_F(ComputationTest, EachFamilysFailureShowsItsOwnMessageAndStopsTheLaterFamilies) {
  struct Case {
    const char* name;
    std::string rows;
    std::string message;
    MsgIcon icon;
    bool propertiesLoaded, pointsLoaded;
  };
  const Case cases[] = {
      {"structure", StructRow(1, "A", "S.missing", 1, 1) + PropertyRows(5, "Mass", "1", 0),
       "警告：|计算结构参数中有错误", MsgIcon::Information, false, false},
      {"property", PropertyRows(5, "Mass", "T.missing", 1), "提示：|计算零件属性中有错误",
       MsgIcon::Information, true, false},
      {"point", PointRow(2, "Q", "S.missing", "0", "0", 2), "警告：|计算点表时出现错误",
       MsgIcon::Exclamation, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(Part(c.rows + PropertyRows(6, "Std", "GB", 0)));
    EXPECT_FALSE(ComputeAll());
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(BoxLines().back(), c.message);
    EXPECT_EQ(Boxes().back().icon, c.icon);
    EXPECT_EQ(Compute().Properties->Count() > 0, c.propertiesLoaded);
    EXPECT_EQ(Compute().Points->Count() > 0, c.pointsLoaded);
  }
}

// Each text is bounded by the formulas (1 MiB); so are all the texts of a
// part together: 64 copies of a 1 MiB text pass its 64 MiB.
TEST_F(ComputationTest, AllTheTextsAPartComputesTogetherAreBounded) {
  std::string rows = StructRow(1, "T0", "x", 0, 1);
  for (int i = 1; i <= 20; ++i) {
    const std::string half = "S.T" + std::to_string(i - 1);
    rows += StructRow(1 + i, "T" + std::to_string(i), half + " & " + half, 1, 1 + i);
  }
  for (int i = 1; i <= 70; ++i)
    rows += StructRow(100 + i, "C" + std::to_string(i), "S.T20 & \"\"", 1, 100 + i);
  Library(Part(rows));
  EXPECT_FALSE(ComputeStructurePara());
  ASSERT_FALSE(Boxes().empty());
  const std::string& text = Boxes().front().text;
  EXPECT_NE(text.find("64 MiB"), std::string::npos) << text;
  EXPECT_NE(text.find("的 S.C"), std::string::npos) << text;
}

TEST_F(ComputationTest, APartWithoutParametersSucceedsWithoutAPass) {
  // Only the point reader complains about an empty point table.
  Library(PartRows());
  EXPECT_TRUE(ComputeAll());
  EXPECT_EQ(BoxLines(),
            std::vector<std::string>{"提示：点表|零件点的信息表没有任何数据，系统无法正常运行"});
  EXPECT_EQ(Compute().PassLimit, 0);
  EXPECT_EQ(Compute().StructParas->Count(), 0);
  EXPECT_EQ(Compute().Properties->Count(), 0);
  EXPECT_EQ(Compute().Points->Count(), 0);
}

TEST_F(ComputationTest, LaterFamiliesUseEverythingComputedBeforeThem) {
  Library(Part(StructRow(1, "d", "O.L/4", 1, 2) + StructRow(2, "k", "7", 0, 1) +
               PropertyRows(5, "Mass", "S.d*S.k", 1) + PropertyRows(6, "Std", "GB/T 5782", 0) +
               PointRow(2, "Q", "O.L", "S.d", "T.Mass-QZDBSCA", 2)));
  // InitComp empties the design parameters: the dialog adds them afterwards.
  Design("L", "40");
  Engine().DrawScale = 2;
  ASSERT_TRUE(ComputeAll());
  EXPECT_TRUE(Boxes().empty());
  const ComputeState& state = Compute();
  EXPECT_EQ(Value(state.StructParas, "S.d"), "10");
  EXPECT_EQ(Value(state.Properties, "T.Mass"), "70");
  EXPECT_EQ(Value(state.Properties, "T.Std"), "GB/T 5782");
  EXPECT_EQ(Value(state.Points, "P.Q.X"), "40");
  EXPECT_EQ(Value(state.Points, "P.Q.Y"), "10");
  EXPECT_EQ(Value(state.Points, "P.Q.Z"), "68");
  for (const auto* family : {&state.StructParas, &state.Properties, &state.Points}) {
    for (const clsComputePtr& record : **family)
      EXPECT_EQ(record->isDoneCalValue, 1) << record->XKey;
  }
  EXPECT_EQ(state.StructPending->Count() + state.PropertiesPending->Count() +
                state.PointsPending->Count(),
            0);
}

TEST_F(ComputationTest, InitCompStartsFromEmptyAndReleaseDropsEverything) {
  Library(Part(StructRow(1, "d", "10", 0, 1) + PropertyRows(5, "Mass", "1", 0)));
  Design("L", "40");
  ChooseView(31, "主视图");
  Options({true, true, true, true, true});
  ASSERT_TRUE(ComputeAll());
  LoadAllLayers();
  ASSERT_EQ(Compute().Layers->Count(), 1);
  LoadAllLayers();  // read again, not added twice
  EXPECT_EQ(Compute().Layers->Count(), 1);

  ASSERT_TRUE(InitComp());
  ComputeState& state = Compute();
  for (const auto* family :
       {&state.DesignParas, &state.StructParas, &state.StructPending, &state.Properties,
        &state.PropertiesPending, &state.Points, &state.PointsPending}) {
    ASSERT_TRUE(*family);
    EXPECT_EQ((*family)->Count(), 0);
  }
  EXPECT_EQ(state.Views->Count(), 0);
  EXPECT_EQ(state.Layers->Count(), 0);
  EXPECT_EQ(state.Entities->Count(), 0);
  EXPECT_EQ(Engine().OutputOptions.Count(), 0);
  EXPECT_EQ(state.ComputeDB->PartID(), kPart);

  ReleaseComputeData();
  EXPECT_FALSE(state.DesignParas || state.StructParas || state.Points || state.Properties ||
               state.Views || state.Layers || state.Entities || state.ComputeDB || state.Parser);
  EXPECT_FALSE(state.CurrentView);
}

TEST_F(ComputationTest, InitCompFailsWhenTheLibraryCannotBeOpened) {
  Engine().LibraryConnectString =
      LibraryConnectionString("/nonexistent/", "/nonexistent/x.db", kLibraryPassword);
  EXPECT_FALSE(InitComp());
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace qzdbs::test
