// The dimension kinds through their common record, and the leader.
#include <gtest/gtest.h>

#include <algorithm>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"

namespace qzdbs::test {
namespace {

class DimensionBuildersTest : public BuilderTest {
 protected:
  static constexpr int32_t kDim = 80;

  void SetUp() override {
    BuilderTest::SetUp();
    for (int n = 1; n <= 6; ++n)
      Point(n, {double(n), 10.0 * n, 0});
    Struct(11, "r", "12.5");
  }

  // The common style and text record of dimension 80, text at point 6.
  static std::string Common(const std::string& text, int expression, int tolCode, int tolValue) {
    return "INSERT INTO QZEnt_DimCommonStyle VALUES (7, 80, 1, 0, 0, 0, 0, 0, 0, 1, -1, 1, 1);"
           "INSERT INTO QZEnt_DimCommonText VALUES (7, 80, 6, '" +
           text + "', " + std::to_string(expression) + ", 0, 0, " + std::to_string(tolCode) +
           ", 'h6', " + std::to_string(tolValue) + ", 0, 0, 0, '', '', 'mm', 0, 2);";
  }

  // Point n as the host receives it.
  static std::string Coords(int n) {
    return "[" + std::to_string(n) + ".0," + std::to_string(10 * n) + ".0,0.0]";
  }
};

TEST_F(DimensionBuildersTest, EachKindSetsItsDefiningMembersInOrderBeforeTheCommonOnes) {
  struct Case {
    const char* name;
    EntityType build;
    std::string row;
    const char* className;
    std::vector<std::string> members;
  };
  const Case cases[] = {
      {"rotated",
       EntityType::DimRotated,
       "INSERT INTO QZEnt_DimRotated VALUES (7, 80, 1, 2, 3, 30)",
       "DbRotatedDimension",
       {"set DimLinePoint " + Coords(1), "set ExtLine1Point " + Coords(2),
        "set ExtLine2Point " + Coords(3), "set Rotation 30.0"}},
      {"aligned",
       EntityType::DimAligned,
       "INSERT INTO QZEnt_DimAligned VALUES (7, 80, 1, 2, 3)",
       "DbAlignedDimension",
       {"set DimLinePoint " + Coords(1), "set ExtLine1Point " + Coords(2),
        "set ExtLine2Point " + Coords(3)}},
      {"diametric",
       EntityType::DimDiametric,
       "INSERT INTO QZEnt_DimDiametric VALUES (7, 80, 4, 11)",
       "DbDiametricDimension",
       {"set CenterPoint " + Coords(4), "set Radius 12.5"}},
      {"radial",
       EntityType::DimRadial,
       "INSERT INTO QZEnt_DimRadial VALUES (7, 80, 4, 11)",
       "DbRadialDimension",
       {"set CenterPoint " + Coords(4), "set Radius 12.5"}},
      {"three-point angular",
       EntityType::Dim3PointAngular,
       "INSERT INTO QZEnt_Dim3PointAngular VALUES (7, 80, 1, 2, 3, 4)",
       "Db3PointAngularDimension",
       {"set AngleVertPoint " + Coords(1), "set ArcPoint " + Coords(4),
        "set ExtLine1EndPoint " + Coords(2), "set ExtLine2EndPoint " + Coords(3)}},
      {"two-line angular",
       EntityType::Dim2LineAngular,
       "INSERT INTO QZEnt_Dim2LineAngular VALUES (7, 80, 1, 2, 3, 4, 5)",
       "Db2LineAngularDimension",
       {"set ArcPoint " + Coords(5), "set ExtLine1StartPoint " + Coords(1),
        "set ExtLine1EndPoint " + Coords(2), "set ExtLine2StartPoint " + Coords(3),
        "set ExtLine2EndPoint " + Coords(4)}},
      {"ordinate",
       EntityType::DimOrdinate,
       "INSERT INTO QZEnt_DimOrdinate VALUES (7, 80, 1, 2, 3, 1)",
       "DbOrdinateDimension",
       {"set DefiningPoint " + Coords(1), "set LeaderEndPoint " + Coords(3),
        "set Origin " + Coords(2), "set useXYAxis 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.row + ";" + Common("", 0, 0, 0));
    EXPECT_TRUE(BuildEntity(c.build, kSequence, Entity(kDim, "尺寸")));
    auto dimension = Only();
    ASSERT_TRUE(dimension);
    EXPECT_EQ(dimension->className, c.className);
    EXPECT_EQ(Head(*dimension, c.members.size() + 1), Concat(c.members, {"set DimType 1"}));
    auto lines = Lines(*dimension);
    auto common = CommonEntityLines(kDim, "尺寸");
    ASSERT_GE(lines.size(), common.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - common.size(), lines.end()), common);
    EXPECT_TRUE(Boxes().empty());
  }
}

TEST_F(DimensionBuildersTest, RotatedDimensionTakesTextStyleAndArrowsFromItsCommonRecord) {
  Library("INSERT INTO QZEnt_DimRotated VALUES (7, 80, 1, 2, 3, 0);" + Common("", 0, 1, 1));
  EXPECT_TRUE(BuildEntity(EntityType::DimRotated, kSequence, Entity(kDim, "长度")));
  auto dimension = Only();
  ASSERT_TRUE(dimension);
  // An empty text is the measured value ("<>"); a literal text never asks
  // for a tolerance.
  EXPECT_EQ(Lines(*dimension), Concat({"set DimLinePoint " + Coords(1),
                                       "set ExtLine1Point " + Coords(2),
                                       "set ExtLine2Point " + Coords(3),
                                       "set Rotation 0.0",
                                       "set DimType 1",
                                       "set DimStyleName \"QZ_GBDIM\"",
                                       "set Normal [0.0,0.0,1.0]",
                                       "set Elevation 0.0",
                                       "set TextPosition " + Coords(6),
                                       "set TextString \"<>\"",
                                       "set Measurement 0.0",
                                       "set isHaveTolCode true",
                                       "set str_DimTolNo \"h6\"",
                                       "set isHaveTolVal true",
                                       "set fTopTol 0.0",
                                       "set fBottomTol 0.0",
                                       "set str_TolUnit \"mm\"",
                                       "set isHaveFollow false",
                                       "set str_DimFollow \"\"",
                                       "set isRectText false",
                                       "set dimdec 2",
                                       "set iOutIndex 0",
                                       "set iInIndex 0",
                                       "set isHasLAngle false",
                                       "set dLAngle 0.0",
                                       "set DimJust 0",
                                       "set DimDad 0",
                                       "set isRotateText false",
                                       "set TextRotation 0.0",
                                       "set HasFirstArr true",
                                       "set HasSecondArr true",
                                       "set HasFirstLine true",
                                       "set HasSecondLine true"},
                                      CommonEntityLines(kDim, "长度")));
}

TEST_F(DimensionBuildersTest, ToleranceIsCalculatedOnlyForAComputedTextWithBothFlagsAtOne) {
  struct Case {
    int expression, tolCode, tolValue;
    bool calculated;
  };
  for (const Case& c :
       {Case{1, 1, 1, true}, Case{0, 1, 1, false}, Case{1, -1, 1, false}, Case{1, 1, 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.expression << c.tolCode << c.tolValue);
    TearDown();
    SetUp();
    Library("INSERT INTO QZEnt_DimRadial VALUES (7, 80, 4, 11);" +
            Common("6*2", c.expression, c.tolCode, c.tolValue));
    EXPECT_TRUE(BuildEntity(EntityType::DimRadial, kSequence, Entity(kDim, "半径")));
    auto dimension = Only();
    ASSERT_TRUE(dimension);
    EXPECT_EQ(Member(*dimension, "TextString"), c.expression ? "12" : "6*2");
    auto lines = Lines(*dimension);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "call CalcTolerance false"),
              c.calculated ? 1 : 0);
  }
}

TEST_F(DimensionBuildersTest, DimensionWithoutItsCommonRecordFailsAndAddsNothing) {
  Library("INSERT INTO QZEnt_DimRotated VALUES (7, 80, 1, 2, 3, 0);");
  EXPECT_FALSE(BuildEntity(EntityType::DimRotated, kSequence, Entity(kDim, "长度")));
  EXPECT_TRUE(Objects().empty());
  // The common record's reader, then the common operation, then the builder.
  EXPECT_EQ(BoxLines(),
            (std::vector<std::string>{"提示：|", GenericFailure("OutputCommonDimension"),
                                      GenericFailure("OutputEntDimRotated")}));
}

TEST_F(DimensionBuildersTest, DimensionOnALayerMissingFromTheLayerTableGivesThreeBoxes) {
  Library("INSERT INTO QZEnt_DimRadial VALUES (7, 80, 4, 11);" + Common("", 0, 0, 0));
  EXPECT_FALSE(BuildEntity(EntityType::DimRadial, kSequence, Entity(kDim, "半径", /*layer=*/9)));
  EXPECT_TRUE(Objects().empty());
  const auto boxes = BoxLines();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(Boxes()[0].title, "函数->OutputCommonEntity:");
  EXPECT_EQ(std::vector<std::string>(boxes.begin() + 1, boxes.end()),
            (std::vector<std::string>{GenericFailure("OutputCommonDimension"),
                                      GenericFailure("OutputEntDimRadial")}));
}

TEST_F(DimensionBuildersTest, DimensionWithAnUncomputedPointFails) {
  Library("INSERT INTO QZEnt_DimAligned VALUES (7, 80, 1, 2, 99);" + Common("", 0, 0, 0));
  EXPECT_FALSE(BuildEntity(EntityType::DimAligned, kSequence, Entity(kDim, "长度")));
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(BoxLines(), std::vector<std::string>{GenericFailure("OutputEntDimAligned")});
}

TEST_F(DimensionBuildersTest, LeaderHasItsVerticesWhateverTheNumberOfAnnotatedEntities) {
  // Points listed out of order: position decides. Annotation list 5.
  const std::string leader =
      "INSERT INTO QZEnt_Leader VALUES (7, 90, 6, 5, 1, -1);"
      "INSERT INTO QZPartPointIdList VALUES (7, 90, 6, 3, 2), (7, 90, 6, 1, 1);";
  const std::vector<std::string> drawn =
      Concat({"set AnnotationID 30", "set LeaderType 1", "set hasHookLine true",
              "call AddVertex " + Coords(1), "call AddVertex " + Coords(3)},
             CommonEntityLines(90, "引线"));
  // Only the first annotated entity reaches the host; the others must not
  // be taken for a vertex.
  for (const char* annotations :
       {"(7, 90, 5, 30)", "(7, 90, 5, 30), (7, 90, 5, 31)",
        "(7, 90, 5, 30), (7, 90, 5, 31), (7, 90, 5, 32)",
        "(7, 90, 5, 30), (7, 90, 5, 31), (7, 90, 5, 32), (7, 90, 5, 33)"}) {
    SCOPED_TRACE(annotations);
    TearDown();
    SetUp();
    Library(leader + "INSERT INTO QZEntityIdList VALUES " + annotations + ";");
    EXPECT_TRUE(BuildEntity(EntityType::Leader, kSequence, Entity(90, "引线")));
    auto object = Only();
    ASSERT_TRUE(object);
    EXPECT_EQ(object->className, "DbLeader");
    EXPECT_EQ(Lines(*object), drawn);
    EXPECT_TRUE(Boxes().empty());
  }
}

TEST_F(DimensionBuildersTest, LeaderWithAnUncomputedVertexFails) {
  Library(
      "INSERT INTO QZEnt_Leader VALUES (7, 90, 6, 5, 1, 0);"
      "INSERT INTO QZPartPointIdList VALUES (7, 90, 6, 1, 1), (7, 90, 6, 99, 2);"
      "INSERT INTO QZEntityIdList VALUES (7, 90, 5, 30);");
  EXPECT_FALSE(BuildEntity(EntityType::Leader, kSequence, Entity(90, "引线")));
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(BoxLines(), std::vector<std::string>{GenericFailure("OutputEntDimLeader")});
}

}  // namespace
}  // namespace qzdbs::test
