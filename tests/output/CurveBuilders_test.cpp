// Lines, circles, arcs, ellipses and polylines: the members each sets and in
// which order, and how each fails.
#include <gtest/gtest.h>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"

namespace qzdbs::test {
namespace {

class CurveBuildersTest : public BuilderTest {
 protected:
  static constexpr int32_t kCurve = 60;

  void SetUp() override {
    BuilderTest::SetUp();
    Point(1, {1, 2, 0});
    Point(2, {4, 6, 0});
    Point(3, {10, 20, 0});
    Point(4, {1, 0, 0});
    Point(5, {0, 0, 5});
    Struct(11, "r", "12.5");
    Struct(12, "a0", "30");
    Struct(13, "a1", "150");
    Struct(14, "ra", "8");
    Struct(15, "rb", "3");
  }

  struct Drawn {
    const char* name;
    const char* builderName;
    EntityType build;
    std::string rows;
    const char* className;
    std::vector<std::string> members;  // before the common ones
  };

  // One correct entity 60 of each kind; vertex lists are stored out of order.
  static std::vector<Drawn> EachKind() {
    const std::string center = "set CenterPoint [10.0,20.0,0.0]";
    return {
        {"line",
         "OutputEntLine",
         EntityType::Line,
         "INSERT INTO QZEnt_Line VALUES (7, 60, 1, 2);",
         "DbLine",
         {"set StartPoint [1.0,2.0,0.0]", "set EndPoint [4.0,6.0,0.0]"}},
        {"circle",
         "OutputEntCircle",
         EntityType::Circle,
         "INSERT INTO QZEnt_Circle VALUES (7, 60, 3, 11);",
         "DbCircle",
         {center, "set Radius 12.5"}},
        {"arc",
         "OutputEntArc",
         EntityType::Arc,
         "INSERT INTO QZEnt_Arc VALUES (7, 60, 3, 11, 12, 13);",
         "DbArc",
         {center, "set Radius 12.5", "set StartAngle 30.0", "set EndAngle 150.0"}},
        // A full ellipse reads no angles: none stored here, and none set.
        {"full ellipse",
         "OutputEntEllipse",
         EntityType::Ellipse,
         "INSERT INTO QZEnt_Ellipse VALUES (7, 60, 3, 14, 15, NULL, NULL, 4, 5, 0);",
         "DbEllipse",
         {center, "set MajorAxis [1.0,0.0,0.0]", "set MinorAxis [0.0,0.0,0.0]",
          "set MajorRadius 8.0", "set MinorRadius 3.0"}},
        {"full ellipse with stored angles",
         "OutputEntEllipse",
         EntityType::Ellipse,
         "INSERT INTO QZEnt_Ellipse VALUES (7, 60, 3, 14, 15, 12, 13, 4, 5, -1);",
         "DbEllipse",
         {center, "set MajorAxis [1.0,0.0,0.0]", "set MinorAxis [0.0,0.0,0.0]",
          "set MajorRadius 8.0", "set MinorRadius 3.0"}},
        // The minor axis is always the zero point, whatever point the row names.
        {"elliptical arc",
         "OutputEntEllipse",
         EntityType::Ellipse,
         "INSERT INTO QZEnt_Ellipse VALUES (7, 60, 3, 14, 15, 12, 13, 4, 5, 1);",
         "DbEllipse",
         {center, "set StartAngle 30.0", "set EndAngle 150.0", "set MajorAxis [1.0,0.0,0.0]",
          "set MinorAxis [0.0,0.0,0.0]", "set MajorRadius 8.0", "set MinorRadius 3.0"}},
        {"2D polyline",
         "OutputEntLWPline",
         EntityType::Polyline,
         "INSERT INTO QZEnt_2dPolyline VALUES (7, 60, 6, 2, 0.5, 1);"
         "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 2, 2), (7, 60, 6, 1, 1), "
         "(7, 60, 6, 3, 3);",
         "DbPolyline",
         {"set PlineType 2", "set ConstantWidth 0.5", "set isClosed true",
          "call AddVertex [1.0,2.0,0.0]", "call AddVertex [4.0,6.0,0.0]",
          "call AddVertex [10.0,20.0,0.0]"}},
        {"3D polyline",
         "OutputEnt3dPolyline",
         EntityType::Polyline3d,
         "INSERT INTO QZEnt_3dPolyline VALUES (7, 60, 6, 1, 0);"
         "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 1, 2), (7, 60, 6, 5, 1);",
         "Db3dPolyline",
         {"set PlineType 1", "set isClosed false", "call AddVertex [0.0,0.0,5.0]",
          "call AddVertex [1.0,2.0,0.0]"}},
    };
  }
};

TEST_F(CurveBuildersTest, EachKindSetsItsMembersInOrderThenTheCommonOnes) {
  for (const Drawn& c : EachKind()) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.rows);
    EXPECT_TRUE(BuildEntity(c.build, kSequence, Entity(kCurve, "曲线")));
    auto object = Only();
    ASSERT_TRUE(object);
    EXPECT_EQ(object->className, c.className);
    EXPECT_EQ(Lines(*object), Concat(c.members, CommonEntityLines(kCurve, "曲线")));
    EXPECT_TRUE(Boxes().empty()) << BoxLines()[0];
  }
}

TEST_F(CurveBuildersTest, ALayerMissingFromTheLayerTableGivesTwoBoxesAndNoObject) {
  for (const Drawn& c : EachKind()) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.rows);
    EXPECT_FALSE(BuildEntity(c.build, kSequence, Entity(kCurve, "曲线", /*layer=*/9)));
    EXPECT_TRUE(Objects().empty());
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].title, "函数->OutputCommonEntity:");
    EXPECT_EQ(Boxes()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(BoxLines()[1], GenericFailure(c.builderName));
  }
}

TEST_F(CurveBuildersTest, Failures) {
  struct Case {
    const char* name;
    EntityType build;
    std::string rows;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      // A line whose row cannot be read is left out without a word; every
      // other curve says so.
      {"line without its row", EntityType::Line, "", {}},
      {"circle without its row", EntityType::Circle, "", {GenericFailure("OutputEntCircle")}},
      {"arc without its row", EntityType::Arc, "", {GenericFailure("OutputEntArc")}},
      {"ellipse without its row", EntityType::Ellipse, "", {GenericFailure("OutputEntEllipse")}},
      {"2D polyline without vertices",
       EntityType::Polyline,
       "INSERT INTO QZEnt_2dPolyline VALUES (7, 60, 6, 2, 0.5, 1);",
       {GenericFailure("OutputEntLWPline")}},
      {"3D polyline without its row",
       EntityType::Polyline3d,
       "",
       {GenericFailure("OutputEnt3dPolyline")}},
      // References to values that were never computed.
      {"line end point",
       EntityType::Line,
       "INSERT INTO QZEnt_Line VALUES (7, 60, 1, 99);",
       {GenericFailure("OutputEntLine")}},
      {"circle radius",
       EntityType::Circle,
       "INSERT INTO QZEnt_Circle VALUES (7, 60, 3, 99);",
       {GenericFailure("OutputEntCircle")}},
      {"arc end angle",
       EntityType::Arc,
       "INSERT INTO QZEnt_Arc VALUES (7, 60, 3, 11, 12, 99);",
       {GenericFailure("OutputEntArc")}},
      {"elliptical arc without angles",
       EntityType::Ellipse,
       "INSERT INTO QZEnt_Ellipse VALUES (7, 60, 3, 14, 15, NULL, NULL, 4, 5, 1);",
       {GenericFailure("OutputEntEllipse")}},
      {"ellipse major axis",
       EntityType::Ellipse,
       "INSERT INTO QZEnt_Ellipse VALUES (7, 60, 3, 14, 15, NULL, NULL, 99, 5, 0);",
       {GenericFailure("OutputEntEllipse")}},
      // A vertex that names no computed point ends the loop with an empty box.
      {"2D polyline vertex",
       EntityType::Polyline,
       "INSERT INTO QZEnt_2dPolyline VALUES (7, 60, 6, 2, 0.5, 1);"
       "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 1, 1), (7, 60, 6, 99, 2);",
       {"函数->OutputEntLWPline:|"}},
      {"3D polyline vertex",
       EntityType::Polyline3d,
       "INSERT INTO QZEnt_3dPolyline VALUES (7, 60, 6, 1, 0);"
       "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 99, 1), (7, 60, 6, 1, 2);",
       {"函数->OutputEnt3dPolyline:|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.rows);
    EXPECT_FALSE(BuildEntity(c.build, kSequence, Entity(kCurve, "曲线")));
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(BoxLines(), c.boxes);
    for (const MessageBoxRecord& box : Boxes()) {
      EXPECT_EQ(box.icon, MsgIcon::Critical);
      EXPECT_EQ(box.buttons, MsgButtons::OK);
    }
  }
}

TEST_F(CurveBuildersTest, APolylinesFixedKeysFailWithTheirOwnDescription) {
  // Unlike a vertex, a fixed key that does not convert shows why.
  for (const char* row : {"INSERT INTO QZEnt_2dPolyline VALUES (7, 60, 6, 'x', 0.5, 1);",
                          "INSERT INTO QZEnt_2dPolyline VALUES (7, 60, 6, 2, 0.5, 'maybe');"}) {
    SCOPED_TRACE(row);
    TearDown();
    SetUp();
    Library(std::string(row) + "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 1, 1);");
    EXPECT_FALSE(BuildEntity(EntityType::Polyline, kSequence, Entity(kCurve, "曲线")));
    EXPECT_TRUE(Objects().empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, "函数->OutputEntLWPline:");
    EXPECT_FALSE(Boxes()[0].text.empty());
    EXPECT_NE(Boxes()[0].text, kApplicationDefinedErrorText);
  }
}

TEST_F(CurveBuildersTest, ClosedFlagAcceptsNumbersAndTruthWords) {
  // A flag, not a test of 1 or of 0: 2 and TRUE are both true.
  const std::pair<const char*, const char*> cases[] = {
      {"0", "false"}, {"2", "true"}, {"'TRUE'", "true"}, {"'False'", "false"}};
  for (const auto& [stored, shown] : cases) {
    SCOPED_TRACE(stored);
    TearDown();
    SetUp();
    Library(std::string("INSERT INTO QZEnt_3dPolyline VALUES (7, 60, 6, 1, ") + stored +
            ");"
            "INSERT INTO QZPartPointIdList VALUES (7, 60, 6, 1, 1);");
    EXPECT_TRUE(BuildEntity(EntityType::Polyline3d, kSequence, Entity(kCurve, "曲线")));
    auto object = Only();
    ASSERT_TRUE(object);
    EXPECT_EQ(Member(*object, "isClosed").dump(), shown);
  }
}

}  // namespace
}  // namespace qzdbs::test
