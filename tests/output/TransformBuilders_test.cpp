// Move, mirror, rotate and the two arrays: members, the entities they act
// on, and the checks of the arrays.
#include <gtest/gtest.h>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"

namespace qzdbs::test {
namespace {

class TransformBuildersTest : public BuilderTest {
 protected:
  static constexpr int32_t kTransform = 100;

  void SetUp() override {
    BuilderTest::SetUp();
    Point(1, {1, 2, 0});
    Point(2, {3, 4, 0});
    Point(3, {5, 6, 0});
    Struct(17, "angle", "30");
    Struct(18, "space", "12.5");
  }

  // Entity 100 of the table with these values, acting on entities 10 and 11 (list 4).
  void Transform(const std::string& table, const std::string& values) {
    Library("INSERT INTO " + table + " VALUES (7, 100, " + values +
            ", 4);"
            "INSERT INTO QZEntityIdList VALUES (7, 100, 4, 10), (7, 100, 4, 11);");
  }

  // A polar array with this item number and rotate-each flag.
  void Polar(const std::string& items, const std::string& rotateEach) {
    Struct(11, "n", items);
    Struct(12, "sweep", "360");
    Transform("QZEntTrans_PolarArray", "1, 2, 11, 12, " + rotateEach);
  }

  // A rectangular array of rows by columns.
  void Rect(const std::string& rows, const std::string& columns) {
    Struct(13, "rows", rows);
    Struct(14, "columns", columns);
    Transform("QZEntTrans_RectArray", "13, 14, 18, 18, 17");
  }
};

TEST_F(TransformBuildersTest, EachTransformSetsItsMembersThenItsEntitiesThenTheCommonOnes) {
  struct Case {
    const char* name;
    EntityType build;
    std::string table, values;
    const char* className;
    std::vector<std::string> members;
  };
  const Case cases[] = {
      {"move",
       EntityType::Move,
       "QZEntTrans_Move",
       "1, 2, -1",
       "DbMove",
       {"set bEraseOld true", "set FromPoint [1.0,2.0,0.0]", "set ToPoint [3.0,4.0,0.0]"}},
      {"mirror",
       EntityType::Mirror,
       "QZEntTrans_Mirror",
       "2, 3, 0",
       "DbMirror",
       {"set bEraseOld false", "set FromPoint [3.0,4.0,0.0]", "set ToPoint [5.0,6.0,0.0]"}},
      {"rotate",
       EntityType::Rotate,
       "QZEntTrans_Rotate",
       "3, 17, 1",
       "DbRotate",
       {"set BasePoint [5.0,6.0,0.0]", "set Rotation 30.0", "set bEraseOld true"}},
      {"rectangular array",
       EntityType::RectArray,
       "QZEntTrans_RectArray",
       "17, 17, 18, 18, 17",
       "DbRectArray",
       {"set RowNumber 30", "set ColumnNumber 30", "set RowSpace 12.5", "set ColumnSpace 12.5",
        "set ArrayAngle 30.0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Transform(c.table, c.values);
    EXPECT_TRUE(BuildEntity(c.build, kSequence, Entity(kTransform, "变换")));
    auto object = Only();
    ASSERT_TRUE(object);
    EXPECT_EQ(object->className, c.className);
    EXPECT_EQ(Lines(*object),
              Concat(Concat(c.members, {"call AddEntityID 10", "call AddEntityID 11"}),
                     CommonEntityLines(kTransform, "变换")));
    EXPECT_TRUE(Boxes().empty());
  }
}

TEST_F(TransformBuildersTest, PolarArraySetsItsMembersInItsOwnOrder) {
  Polar("6", "1");
  EXPECT_TRUE(BuildEntity(EntityType::PolarArray, kSequence, Entity(kTransform, "阵列")));
  auto array = Only();
  ASSERT_TRUE(array);
  EXPECT_EQ(array->className, "DbPolarArray");
  EXPECT_EQ(Head(*array, 7),
            (std::vector<std::string>{"set CenterPoint [1.0,2.0,0.0]",
                                      "set BasePoint [3.0,4.0,0.0]", "set ItemNumber 6",
                                      "set SweepAngle 360.0", "set isRoateEachItem true",
                                      "call AddEntityID 10", "call AddEntityID 11"}));
}

TEST_F(TransformBuildersTest, PolarArrayNeedsTwoItemsAfterRounding) {
  struct Case {
    std::string items;
    bool drawn;
  };
  for (const Case& c : {Case{"2", true}, Case{"1", false}, Case{"0", false}, Case{"-3", false},
                        Case{"1.5", true}, Case{"2.5", true}, Case{"0.5", false}}) {
    SCOPED_TRACE(c.items);
    TearDown();
    SetUp();
    Polar(c.items, "1");
    EXPECT_EQ(BuildEntity(EntityType::PolarArray, kSequence, Entity(kTransform, "阵列")), c.drawn);
    if (c.drawn) {
      auto array = Only();
      ASSERT_TRUE(array);
      EXPECT_EQ(Member(*array, "ItemNumber"), 2);  // 1.5 and 2.5 both round to 2
      EXPECT_TRUE(Boxes().empty());
    } else {
      EXPECT_TRUE(Objects().empty());
      EXPECT_EQ(BoxLines(), std::vector<std::string>{GenericFailure("OutputTransPolarArray")});
    }
  }
}

TEST_F(TransformBuildersTest, PolarArrayRotatesEachItemOnlyForExactlyOne) {
  for (const auto& [stored, rotate] : std::vector<std::pair<std::string, bool>>{
           {"1", true}, {"-1", false}, {"2", false}, {"0", false}}) {
    SCOPED_TRACE(stored);
    TearDown();
    SetUp();
    Polar("4", stored);
    EXPECT_TRUE(BuildEntity(EntityType::PolarArray, kSequence, Entity(kTransform, "阵列")));
    auto array = Only();
    ASSERT_TRUE(array);
    EXPECT_EQ(Member(*array, "isRoateEachItem"), rotate);
  }
}

TEST_F(TransformBuildersTest, RectangularArrayFailsOnlyWhenRowsAndColumnsAreBothZero) {
  struct Case {
    std::string rows, columns;
    bool drawn;
  };
  for (const Case& c : {Case{"0", "3", true}, Case{"3", "0", true}, Case{"0", "0", false},
                        Case{"0.4", "-0.4", false}}) {
    SCOPED_TRACE(c.rows + " by " + c.columns);
    TearDown();
    SetUp();
    Rect(c.rows, c.columns);
    EXPECT_EQ(BuildEntity(EntityType::RectArray, kSequence, Entity(kTransform, "阵列")), c.drawn);
    if (c.drawn) {
      auto array = Only();
      ASSERT_TRUE(array);
      EXPECT_EQ(Head(*array, 2), (std::vector<std::string>{"set RowNumber " + c.rows,
                                                           "set ColumnNumber " + c.columns}));
    } else {
      EXPECT_TRUE(Objects().empty());
      EXPECT_EQ(BoxLines(), std::vector<std::string>{GenericFailure("OutputTransRectArray")});
    }
  }
}

TEST_F(TransformBuildersTest, TransformFailures) {
  struct Case {
    const char* name;
    EntityType build;
    std::string rows;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      // The reader refuses a move that acts on nothing, with its own box.
      {"move without entities",
       EntityType::Move,
       "INSERT INTO QZEntTrans_Move VALUES (7, 100, 1, 2, 0, 4);",
       {"提示：|", GenericFailure("OutputTransMove")}},
      {"rotation not computed",
       EntityType::Rotate,
       "INSERT INTO QZEntTrans_Rotate VALUES (7, 100, 3, 99, 0, 4);"
       "INSERT INTO QZEntityIdList VALUES (7, 100, 4, 10);",
       {GenericFailure("OutputTransRotate")}},
      {"mirror point not computed",
       EntityType::Mirror,
       "INSERT INTO QZEntTrans_Mirror VALUES (7, 100, 1, 99, 0, 4);"
       "INSERT INTO QZEntityIdList VALUES (7, 100, 4, 10);",
       {GenericFailure("OutputTransMirror")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(c.rows);
    EXPECT_FALSE(BuildEntity(c.build, kSequence, Entity(kTransform, "变换")));
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(BoxLines(), c.boxes);
  }
}

}  // namespace
}  // namespace qzdbs::test
