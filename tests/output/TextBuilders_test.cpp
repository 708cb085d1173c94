// Single-line and multiline texts: formula texts, member order and the
// tolerance step of a computed multiline text.
#include <gtest/gtest.h>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"

namespace qzdbs::test {
namespace {

class TextBuildersTest : public BuilderTest {
 protected:
  static constexpr int32_t kText = 30;

  void SetUp() override {
    BuilderTest::SetUp();
    Point(4, {10, 20, 0});
    Struct(11, "h", "3.5");
    Struct(12, "ang", "90");
  }

  // Entity 30 as a single-line text with height S.<heightID>.
  void Text(const std::string& text, int expression, int heightID = 11) {
    Library(
        "INSERT INTO QZTextStyleName VALUES (3, '仿宋');"
        "INSERT INTO QZEnt_Text VALUES (7, 30, 4, '" +
        text + "', " + std::to_string(expression) + ", " + std::to_string(heightID) +
        ", 15, 12, 0.7, 3);");
  }

  struct MTextRow {
    std::string text;
    int expression = 0;
    std::string hasCode = "1";
    std::string code = "H7";
    std::string hasValues = "1";
  };

  // Entity 30 as a multiline text whose library deviations are +0.1 and -0.2.
  void MText(const MTextRow& row) {
    Library(
        "INSERT INTO QZTextStyleName VALUES (3, '仿宋');"
        "INSERT INTO QZEnt_MText VALUES (7, 30, 4, '" +
        row.text + "', " + std::to_string(row.expression) + ", " + row.hasCode + ", '" + row.code +
        "', " + row.hasValues + ", 0.1, -0.2, -1, '（续）', 'Ø', 12, 11, 40, 1.5, 2, 3);");
  }
};

TEST_F(TextBuildersTest, TextSetsItsMembersInOrderThenTheCommonOnes) {
  Text("3*10", 1);
  EXPECT_TRUE(BuildEntity(EntityType::Text, kSequence, Entity(kText, "规格文字")));
  auto text = Only();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->className, "DbText");
  EXPECT_EQ(Lines(*text), Concat({"set TextString \"30\"", "set InsertionPoint [10.0,20.0,0.0]",
                                  "set Height 3.5", "set Rotation 90.0", "set ScaleFactor 0.7",
                                  "set ObliqueAngle 15.0", "set TextStyleName \"仿宋\""},
                                 CommonEntityLines(kText, "规格文字")));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(TextBuildersTest, TextIsComputedOnlyWhenFlaggedAndAFailedFormulaStaysAsWritten) {
  struct Case {
    std::string stored;
    int expression;
    std::string shown;
    size_t boxes;  // the evaluator's own message for a formula it cannot work out
  };
  for (const Case& c : {Case{"3*10", 1, "30", 0}, Case{"3*10", 0, "3*10", 0},
                        Case{"1/0", 1, "1/0", 1}, Case{"", 0, "", 0}}) {
    SCOPED_TRACE(c.stored);
    TearDown();
    SetUp();
    Text(c.stored, c.expression);
    EXPECT_TRUE(BuildEntity(EntityType::Text, kSequence, Entity(kText, "t")));
    auto text = Only();
    ASSERT_TRUE(text);
    EXPECT_EQ(Member(*text, "TextString"), c.shown);
    ASSERT_EQ(Boxes().size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(Boxes()[0].title, "提示：");
    }
  }
}

TEST_F(TextBuildersTest, TextWithAnUncomputedHeightFailsAndAddsNothing) {
  Text("M12", 0, 99);
  EXPECT_FALSE(BuildEntity(EntityType::Text, kSequence, Entity(kText, "t")));
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(BoxLines(), std::vector<std::string>{GenericFailure("OutputEntText")});
}

TEST_F(TextBuildersTest, MTextSetsItsMembersInOrderFromALiteralText) {
  MText({.text = "30", .expression = 0});
  EXPECT_TRUE(BuildEntity(EntityType::MText, kSequence, Entity(kText, "注释")));
  auto text = Only();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->className, "DbMText");
  // A literal text keeps the library's deviations even with both flags set.
  EXPECT_EQ(Lines(*text),
            Concat({"set TextString \"30\"", "set InsertionPoint [10.0,20.0,0.0]", "set Height 3.5",
                    "set Rotation 90.0", "set Width 40.0", "set LineSpacingFactor 1.5",
                    "set AttachmentPoint 2", "set TextStyleName \"仿宋\"", "set isHaveTolCode true",
                    "set ToleranceCode \"H7\"", "set isHaveTolVal true", "set TopTol 0.1",
                    "set BottomTol -0.2", "set isHaveFollow true", "set DimFollow \"（续）\"",
                    "set DimFront \"Ø\""},
                   CommonEntityLines(kText, "注释")));
}

TEST_F(TextBuildersTest, MTextAsksForATolerancesOnlyForAComputedTextWithBothFlags) {
  struct Case {
    const char* name;
    MTextRow row;
    std::string code;
    double upper, lower;
  };
  // H7 over 18 to 30 mm is +0.021/0, h7 is 0/-0.021; over 120 to 180 mm
  // (152, what the digits of "15*2" would give) H7 would be +0.040.
  const Case cases[] = {
      {"computed, both flags", {"15*2", 1}, "H7", 0.021, 0},
      {"literal text", {"15*2", 0}, "H7", 0.1, -0.2},
      {"no code flag", {"15*2", 1, "0"}, "H7", 0.1, -0.2},
      {"no value flag", {"15*2", 1, "1", "H7", "0"}, "H7", 0.1, -0.2},
      {"flags stored as -1", {"15*2", 1, "-1", "H7", "-1"}, "H7", 0.021, 0},
      {"nominal size from a text", {"'M' & 30", 1}, "H7", 0.021, 0},
      {"code rewritten by the call", {"15*2", 1, "1", " h7 "}, "h7", 0, -0.021},
      {"unknown code", {"15*2", 1, "1", "Q9"}, "Q9", 0.1, -0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    MTextRow row = c.row;
    for (char& ch : row.text)
      if (ch == '\'') ch = '"';
    MText(row);
    EXPECT_TRUE(BuildEntity(EntityType::MText, kSequence, Entity(kText, "t")));
    auto text = Only();
    ASSERT_TRUE(text);
    EXPECT_EQ(Member(*text, "ToleranceCode"), c.code);
    EXPECT_NEAR(Member(*text, "TopTol").get<double>(), c.upper, 1e-12);
    EXPECT_NEAR(Member(*text, "BottomTol").get<double>(), c.lower, 1e-12);
    EXPECT_TRUE(Boxes().empty());
  }
}

TEST_F(TextBuildersTest, MTextWithoutItsRowFailsWithTheReadersAndItsOwnBox) {
  Library("INSERT INTO QZTextStyleName VALUES (3, '仿宋');");
  EXPECT_FALSE(BuildEntity(EntityType::MText, kSequence, Entity(kText, "t")));
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(BoxLines(), (std::vector<std::string>{"提示：|", GenericFailure("OutputEntMText")}));
}

}  // namespace
}  // namespace qzdbs::test
