// Attribute lists, block definitions and references, groups and hatches.
#include <gtest/gtest.h>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"

namespace qzdbs::test {
namespace {

class BlockBuildersTest : public BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    Point(4, {10, 20, 0});
    Struct(11, "rot", "45");
    Struct(12, "scale", "2");
  }

  static constexpr const char* kBlock =
      "INSERT INTO QZEnt_BlockDefine VALUES (7, 40, 5);"
      "INSERT INTO QZEnt_BlockGlobal VALUES (5, 'SYM_ROUGH', -1, NULL, X'515A42');";

  // Entity 41 referring to block entity 40, its attribute list 9.
  static std::string Insert(int insertPoint, int rotation) {
    return std::string(kBlock) + "INSERT INTO QZEnt_BlockReference VALUES (7, 41, " +
           std::to_string(insertPoint) + ", " + std::to_string(rotation) + ", 12, 40, 9);";
  }
};

TEST_F(BlockBuildersTest, AttributesAreWorkedOutThenListedInTheirOrder) {
  Library(
      "INSERT INTO QZEnt_Attribute VALUES (7, 50, '长度', '15*2', 1, '0');"
      "INSERT INTO QZEnt_Attribute VALUES (7, 50, '材料', 'Q235', 0, NULL);"
      "INSERT INTO QZEnt_Attribute VALUES (7, 50, '坏公式', '1/0', 1, '');");
  EXPECT_TRUE(BuildEntity(EntityType::Attribute, kSequence, Entity(50, "属性")));
  auto list = Only();
  ASSERT_TRUE(list);
  EXPECT_EQ(list->className, "DbDictionary");
  // A formula that cannot be worked out keeps its text as the value.
  EXPECT_EQ(Lines(*list), Concat({"call Clear null", "call Add [\"30\",\"长度\"]",
                                  "call Add [\"Q235\",\"材料\"]", "call Add [\"1/0\",\"坏公式\"]"},
                                 CommonObjectLines(50, "属性")));
  ASSERT_EQ(Boxes().size(), 1u);  // the evaluator's, for 1/0
  EXPECT_EQ(Boxes()[0].title, "提示：");
}

TEST_F(BlockBuildersTest, BlockDefinitionTakesItsNameAndFlagAndIdentityOnly) {
  Library(kBlock);
  EXPECT_TRUE(
      BuildEntity(EntityType::BlockDefinition, kSequence, Entity(40, "粗糙度块", /*layer=*/77)));
  auto block = Only();
  ASSERT_TRUE(block);
  EXPECT_EQ(block->className, "DbBlockDefinition");
  // Not drawable: an unknown layer does not matter.
  EXPECT_EQ(Lines(*block), Concat({"set BlockName \"SYM_ROUGH\"", "set hasAttribute true"},
                                  CommonObjectLines(40, "粗糙度块")));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BlockBuildersTest, BlockReferenceSetsItsMembersThenItsAttributeEntities) {
  Library(Insert(4, 11) +
          "INSERT INTO QZEntityIdList VALUES (7, 41, 9, 50);"
          "INSERT INTO QZEntityIdList VALUES (7, 41, 9, 52);");
  EXPECT_TRUE(BuildEntity(EntityType::BlockReference, kSequence, Entity(41, "粗糙度")));
  auto insert = Only();
  ASSERT_TRUE(insert);
  EXPECT_EQ(insert->className, "DbBlockReference");
  EXPECT_EQ(Lines(*insert), Concat({"set InsertPoint [10.0,20.0,0.0]", "set Rotation 45.0",
                                    "set ScaleFactor 2.0", "set BlockName \"SYM_ROUGH\"",
                                    "set hasAttribute true", "call ClearAttributeIDs null",
                                    "call AddAttributeID 50", "call AddAttributeID 52"},
                                   CommonEntityLines(41, "粗糙度")));
}

TEST_F(BlockBuildersTest, BlockReferenceWithoutAttributesOnlyClearsItsList) {
  Library(Insert(4, 11));
  EXPECT_TRUE(BuildEntity(EntityType::BlockReference, kSequence, Entity(41, "粗糙度")));
  auto insert = Only();
  ASSERT_TRUE(insert);
  EXPECT_EQ(Head(*insert, 7),
            (std::vector<std::string>{"set InsertPoint [10.0,20.0,0.0]", "set Rotation 45.0",
                                      "set ScaleFactor 2.0", "set BlockName \"SYM_ROUGH\"",
                                      "set hasAttribute true", "call ClearAttributeIDs null",
                                      "set ID 41"}));
}

TEST_F(BlockBuildersTest, BlockReferenceFailures) {
  struct Case {
    const char* name;
    int insertPoint, rotation;
    std::string box;
  };
  // An unknown insertion point has no failure text; an unknown rotation is
  // the application-defined error.
  const Case cases[] = {{"insertion point", 99, 11, "函数->OutputEntInsert:|"},
                        {"rotation", 4, 99, GenericFailure("OutputEntInsert")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(Insert(c.insertPoint, c.rotation));
    EXPECT_FALSE(BuildEntity(EntityType::BlockReference, kSequence, Entity(41, "粗糙度")));
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(BoxLines(), std::vector<std::string>{c.box});
  }
}

TEST_F(BlockBuildersTest, GroupIsNamedAfterItsEntityAndListsEveryMember) {
  Library(
      "INSERT INTO QZEnt_Group VALUES (7, 60, 3);"
      "INSERT INTO QZEntityIdList VALUES (7, 60, 3, 12);"
      "INSERT INTO QZEntityIdList VALUES (7, 60, 3, 10);"
      "INSERT INTO QZEntityIdList VALUES (7, 60, 3, 11);"
      "INSERT INTO QZEntityIdList VALUES (7, 60, 4, 99);");
  EXPECT_TRUE(BuildEntity(EntityType::Group, kSequence, Entity(60, "头部", /*layer=*/77)));
  auto group = Only();
  ASSERT_TRUE(group);
  EXPECT_EQ(group->className, "DbGroup");
  EXPECT_EQ(Lines(*group),
            Concat({"set GroupName \"头部\"", "call ClearEntityIDs null", "call AddEntityID 12",
                    "call AddEntityID 10", "call AddEntityID 11"},
                   CommonObjectLines(60, "头部")));
}

TEST_F(BlockBuildersTest, HatchSortsItsBoundaryEntitiesIntoOuterAndInnerLoops) {
  struct Case {
    const char* name;
    std::string rows;  // QZEntityIdList rows of entity 70; outer list 1, inner list 2
    std::vector<std::string> loops;
  };
  const Case cases[] = {
      {"two outer, one inner",
       "(7, 70, 1, 21), (7, 70, 2, 23), (7, 70, 1, 22)",
       {"call AddOuterLoopEntity 21", "call AddInnerLoopEntity 23", "call AddOuterLoopEntity 22"}},
      {"inner only",
       "(7, 70, 2, 23), (7, 70, 2, 24)",
       {"call AddInnerLoopEntity 23", "call AddInnerLoopEntity 24"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    Library(
        "INSERT INTO QZPatternName VALUES (8, 'ANSI31');"
        "INSERT INTO QZEnt_Hatch VALUES (7, 70, 8, -1, 1.5, 45, 1, 2);"
        "INSERT INTO QZEntityIdList VALUES " +
        c.rows + ";");
    EXPECT_TRUE(BuildEntity(EntityType::Hatch, kSequence, Entity(70, "剖面线")));
    auto hatch = Only();
    ASSERT_TRUE(hatch);
    EXPECT_EQ(hatch->className, "DbHatch");
    // PatternIsDoubled counts only when it is exactly 1.
    EXPECT_EQ(Lines(*hatch), Concat(Concat({"set PatternName \"ANSI31\"", "set PatternAngle 45.0",
                                            "set PatternIsDoubled false", "set PatternScale 1.5",
                                            "call ClearOuterLoop null", "call ClearInnerLoop null"},
                                           c.loops),
                                    CommonEntityLines(70, "剖面线")));
  }
}

}  // namespace
}  // namespace qzdbs::test
