// The drawing pass: what the session receives and in which order, the two
// dictionaries, chosen and default views, filters and sequence numbers, and
// the failures that stop the pass or only one view or entity.
#include "output/DrawingPass.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PipelineHarness.h"
#include "base/EngineError.h"
#include "compute/Computation.h"
#include "host/HostClasses.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

class DrawingPassTest : public PipelineTest {
 protected:
  // PartID 7 with its base point BP (10, 5, 0), points A (0, 0, 0), B (40, 0, 0),
  // C (0, 20, 0) and the views 31 (base BP) and 32 (base A).
  static std::string Part(const std::string& rows, int basePoint = 1) {
    return PartRows(basePoint) + PointRow(1, "BP", "10", "5", "0", 1) +
           PointRow(2, "A", "0", "0", "0", 2) + PointRow(3, "B", "40", "0", "0", 3) +
           PointRow(4, "C", "0", "20", "0", 4) + ViewRow(31, "主视图", 1, 1) +
           ViewRow(32, "左视图", 2, 2) + rows;
  }

  // The view's own members: the events before its first AddEntity.
  static std::vector<std::string> Head(const std::vector<RecordedEvent>& events) {
    std::vector<std::string> lines;
    for (const RecordedEvent& event : events) {
      if (event.member == "AddEntity") break;
      lines.push_back(Describe(event));
    }
    return lines;
  }

  // "op member" of each event.
  static std::vector<std::string> Members(const std::vector<RecordedEvent>& events) {
    std::vector<std::string> members;
    for (const RecordedEvent& event : events)
      members.push_back(event.op + " " + event.member);
    return members;
  }

  // The events of the dictionary the session received under `member`.
  std::vector<std::string> Dictionary(const std::string& member) const {
    std::vector<std::string> lines;
    for (const RecordedEvent& event : Run().session) {
      if (event.member != member) continue;
      EXPECT_EQ(event.value.at("class"), "DbDictionary");
      for (const auto& e : event.value.at("events"))
        lines.push_back(e.at("op").get<std::string>() + " " + e.at("member").get<std::string>() +
                        " " + e.at("value").dump());
    }
    return lines;
  }
};

TEST_F(DrawingPassTest, PartInfoReachesTheSessionInOrderBeforeTheDictionariesAndViews) {
  Library(Part(LineRows(10, 2, 3, 1) + ViewEntityRow(31, 10)));
  ChooseView(31, "主视图");
  Options({true, false, true, false, true});
  ASSERT_TRUE(ComputeAndDraw());
  const Recording run = Run();
  const std::vector<std::string> partInfo = {"set Name \"A1@B2@C3@D4\"",
                                             "set ID 7",
                                             "set DBPath \"" + LibraryPath() + "\"",
                                             "set Sequence 1",
                                             "set PartName \"测试件\"",
                                             "set BasePoint [10.0,5.0,0.0]",
                                             "set RemoveDimension true",
                                             "set AllowMove false",
                                             "set GroupPart true",
                                             "set MakeBlock false",
                                             "set HideBackground true",
                                             "call UpdatePart null"};
  const auto lines = Lines(run.session);
  ASSERT_GE(lines.size(), partInfo.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + partInfo.size()), partInfo);
  const auto members = Members(run.session);
  EXPECT_EQ(
      std::vector<std::string>(members.begin() + partInfo.size(), members.end()),
      (std::vector<std::string>{"set PartProperties", "set InputParameters", "call AddView"}));
  EXPECT_EQ(Engine().CurrentPartGUID, "A1@B2@C3@D4");
  EXPECT_EQ(Engine().CurrentPartName, "测试件");

  ASSERT_EQ(run.views.size(), 1u);
  EXPECT_EQ(
      Head(run.views[0].events),
      (std::vector<std::string>{"call Init null", "set Name \"主视图\"", "set ID 31",
                                "set AssistViewName \"主视图\"", "set BasePoint [10.0,5.0,0.0]"}));
  EXPECT_EQ(Keys(run.views[0]), std::vector<std::string>{"X1=10"});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DrawingPassTest, PropertiesAndDesignParametersGoAsTwoDictionariesEvenWhenEmpty) {
  // Properties in their stored order, computed or given; design parameters
  // through their aliases, so one whose alias is taken is not handed over.
  Library(Part(PropertyRows(6, "Std", "GB/T 5782", 0) + PropertyRows(5, "Mass", "O.L*2", 1)));
  Design("L", "40");
  Design("Thread", "M10");
  Ensure(Compute().DesignParas).Add("O", "Shadow", "1", 0, 1, 1, "", "O.1");
  ASSERT_TRUE(ComputeAndDraw());
  EXPECT_EQ(Dictionary("PartProperties"),
            (std::vector<std::string>{"call Clear null", "call Add [\"80\",\"Mass\"]",
                                      "call Add [\"GB/T 5782\",\"Std\"]", "set ID 99999998"}));
  EXPECT_EQ(Dictionary("InputParameters"),
            (std::vector<std::string>{"call Clear null", "call Add [\"40\",\"L\"]",
                                      "call Add [\"M10\",\"Thread\"]", "set ID 99999999"}));

  TearDown();
  SetUp();
  Library(Part(""));
  ASSERT_TRUE(ComputeAndDraw());
  EXPECT_EQ(Dictionary("PartProperties"),
            (std::vector<std::string>{"call Clear null", "set ID 99999998"}));
  EXPECT_EQ(Dictionary("InputParameters"),
            (std::vector<std::string>{"call Clear null", "set ID 99999999"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DrawingPassTest, WithoutAChosenViewEveryEntityGoesToTheSecondDefaultView) {
  // Entity 12 belongs to no view; the part's entities come in position order.
  Library(Part(LineRows(10, 2, 3, 2) + LineRows(11, 2, 4, 1) + LineRows(12, 3, 4, 3) +
               ViewEntityRow(31, 10)));
  ASSERT_TRUE(ComputeAndDraw());
  const Recording run = Run();
  ASSERT_EQ(run.views.size(), 2u);
  EXPECT_EQ(Head(run.views[0].events),
            (std::vector<std::string>{"call Init null", "set Name \"PartView1\"", "set ID 0",
                                      "set AssistViewName \"AssistView1\"",
                                      "set BasePoint [0.0,0.0,0.0]"}));
  EXPECT_EQ(Head(run.views[1].events),
            (std::vector<std::string>{"call Init null", "set Name \"PartView2\"", "set ID 1",
                                      "set AssistViewName \"AssistView2\"",
                                      "set BasePoint [0.0,0.0,0.0]"}));
  EXPECT_TRUE(run.views[0].objects.empty());
  EXPECT_EQ(Keys(run.views[1]), (std::vector<std::string>{"X1=11", "X2=10", "X3=12"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DrawingPassTest, AViewWithoutABasePointIsBuiltButNotHandedOver) {
  struct Case {
    const char* name;
    std::string rows;
    std::vector<std::string> boxes;
  };
  const std::string missing = "提示：|没有找到视图基点";
  const Case cases[] = {
      {"base point with an empty name",
       PointRow(5, "", "1", "1", "0", 5) + ViewRow(33, "断面", 5, 3),
       {missing}},
      {"base point not in the point table",
       ViewRow(33, "断面", 99, 3),
       {"提示：->getBasePointName|没有发现基点名称，系统无法正常运行", missing}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(Part(c.rows + LineRows(10, 2, 3, 1) + LineRows(11, 3, 4, 2) + ViewEntityRow(33, 10) +
                 ViewEntityRow(31, 11)));
    ChooseView(33, "断面");
    ChooseView(31, "主视图");
    ASSERT_TRUE(ComputeAndDraw());
    EXPECT_EQ(BoxLines(), c.boxes);
    const Recording run = Run();
    ASSERT_EQ(run.views.size(), 1u) << "only the view with a base point";
    EXPECT_EQ(Keys(run.views[0]), std::vector<std::string>{"X1=11"});
    const auto views = Host().Created("DbView");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(Keys(*views[0]), std::vector<std::string>{"X1=10"});
    EXPECT_EQ(HostValueAs<std::string>(views[0]->Get("Name")), "断面");
  }
}

TEST_F(DrawingPassTest, SequenceNumbersSkipFilteredEntitiesOnlyAndRestartInEachView) {
  // In view 31: a false filter (11, 13) takes no number; types 27 and 0
  // (12, 15) take one and build nothing; a filter that cannot be worked out
  // (14) lets the entity through after the evaluator's box.
  std::string links;
  for (int entity = 10; entity <= 16; ++entity)
    links += ViewEntityRow(31, entity);
  Library(Part(LineRows(10, 2, 3, 1) + LineRows(11, 2, 3, 2, "0") +
               EntityRow(12, 27, "d", 2, "1", 3) + LineRows(13, 2, 3, 4, "O.L>100") +
               LineRows(14, 2, 3, 5, "1/0") + EntityRow(15, 0, "z", 2, "1", 6) +
               LineRows(16, 2, 3, 7) + LineRows(17, 3, 4, 8) + links + ViewEntityRow(32, 17)));
  Design("L", "40");
  ChooseView(31, "主视图");
  ChooseView(32, "左视图");
  ASSERT_TRUE(ComputeAndDraw());
  const Recording run = Run();
  ASSERT_EQ(run.views.size(), 2u);
  EXPECT_EQ(Keys(run.views[0]), (std::vector<std::string>{"X1=10", "X3=14", "X5=16"}));
  EXPECT_EQ(Keys(run.views[1]), std::vector<std::string>{"X1=17"});
  for (const RecordedView& view : run.views) {
    for (const RecordedObject& object : view.objects) {
      auto lines = Lines(object.events);
      EXPECT_NE(std::find(lines.begin(), lines.end(), "set Sequence " + object.key.substr(1)),
                lines.end())
          << object.key;
    }
  }
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(Boxes()[0].text.starts_with("计算模块：公式 1/0 ")) << Boxes()[0].text;
}

TEST_F(DrawingPassTest, AnEntityOfTwoChosenViewsIsDrawnInTheFirstOnly) {
  Library(Part(LineRows(10, 2, 3, 1) + LineRows(11, 3, 4, 2) + ViewEntityRow(31, 10) +
               ViewEntityRow(32, 10) + ViewEntityRow(32, 11)));
  ChooseView(31, "主视图");
  ChooseView(32, "左视图");
  ASSERT_TRUE(ComputeAndDraw());
  const Recording run = Run();
  ASSERT_EQ(run.views.size(), 2u);
  EXPECT_EQ(Keys(run.views[0]), std::vector<std::string>{"X1=10"});
  EXPECT_EQ(Keys(run.views[1]), std::vector<std::string>{"X1=11"});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DrawingPassTest, AFailingBuilderDoesNotStopThePass) {
  // Entity 10 is on a layer that the layer table does not have.
  Library(Part(EntityRow(10, 1, "线10", 9, "1", 1) +
               "INSERT INTO QZEnt_Line VALUES (7, 10, 2, 3);" + LineRows(11, 3, 4, 2) +
               ViewEntityRow(31, 10) + ViewEntityRow(31, 11)));
  ChooseView(31, "主视图");
  ASSERT_TRUE(ComputeAndDraw());
  const Recording run = Run();
  ASSERT_EQ(run.views.size(), 1u);
  EXPECT_EQ(Keys(run.views[0]), std::vector<std::string>{"X2=11"});
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].title, "函数->OutputCommonEntity:");
  EXPECT_EQ(BoxLines()[1], std::string("函数->OutputEntLine:|") + kApplicationDefinedErrorText);
}

TEST_F(DrawingPassTest, FailuresOfThePartsOwnInformationStopThePass) {
  struct Case {
    const char* name;
    std::string rows;
    bool compute;  // false: the part's values were never computed
    std::vector<std::string> boxes;
    size_t sessionEvents;
  };
  const std::string noGuid = PartRows().substr(0, PartRows().find("INSERT INTO QZPartGUIDs")) +
                             "INSERT INTO QZLayer VALUES (2, '轮廓线');";
  const std::string points = PointRow(2, "A", "0", "0", "0", 2) + ViewRow(31, "主视图", 2, 1);
  const Case cases[] = {
      {"no identity",
       noGuid + PointRow(1, "BP", "0", "0", "0", 1) + points,
       true,
       {"提示：GUID|没有发现零件的GUID，系统无法正常运行",
        "提示：|零件名称和全球唯一标识符没有找到"},
       0},
      {"no part base point",
       PartRows(99) + points,
       true,
       {"提示：->getBasePointName|没有发现基点名称，系统无法正常运行", "提示：|没有找到零件的基点"},
       5},
      // Failures inside the pass that have no message of their own.
      {"base point that is not a number",
       PartRows() + PointRow(1, "BP", "\"abc\"", "0", "0", 1) + points,
       true,
       {},
       5},
      {"values not computed",
       PartRows() + PointRow(1, "BP", "0", "0", "0", 1) + points,
       false,
       {},
       5},
      {"view base point that is not a number",
       PartRows() + PointRow(1, "BP", "0", "0", "0", 1) + PointRow(2, "A", "1/2", "\"x\"", "0", 2) +
           ViewRow(31, "主视图", 2, 1),
       true,
       {},
       14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.rows);
    ChooseView(31, "主视图");
    if (c.compute) {
      ASSERT_TRUE(ComputeAll());
    }
    LoadAllLayers();
    EXPECT_FALSE(DrawPart());
    EXPECT_EQ(BoxLines(), c.boxes);
    const Recording run = Run();
    EXPECT_EQ(run.session.size(), c.sessionEvents) << ::testing::PrintToString(Lines(run.session));
    EXPECT_TRUE(run.views.empty());
  }
}

}  // namespace
}  // namespace qzdbs::test
