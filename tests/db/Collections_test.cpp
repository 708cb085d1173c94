// The record collections: key schemes, duplicate keys and their messages,
// positions, removal and order.
#include <gtest/gtest.h>

#include "db/DbTest.h"
#include "db/colEntityList.h"
#include "db/colInputPara.h"
#include "db/colPartView.h"

namespace qzdbs::test {
namespace {

class CollectionsTest : public DbTest {};

TEST_F(CollectionsTest, InputParaKeysJoinRowAndParameter) {
  colInputPara c;
  EXPECT_TRUE(c.Add("L", 12, 0, ""));
  EXPECT_TRUE(c.Add("L", 12, 40, "40", 0, 1, 3));
  EXPECT_TRUE(c.Add("M", 7, 0, "M10", 1, 1, 3, 0, 5, "tag"));
  ASSERT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1)->XKey, "0->12");
  EXPECT_EQ(c.Item("3->12")->RealValue, 40);
  const auto& m = c.Item("3->7");
  EXPECT_EQ(m->StringValue, "M10");
  EXPECT_EQ(m->ParaType, 1);
  EXPECT_EQ(m->TagLong, 5);
  EXPECT_EQ(m->TagStr, "tag");
  ExpectNoBox();

  EXPECT_FALSE(c.Add("L again", 12, 1, "1"));
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item("0->12")->ParaName, "L");
  EXPECT_EQ(ExpectOneBox(MsgIcon::Exclamation, "收集零件设计参数"), kDuplicateKeyText);
}

TEST_F(CollectionsTest, PartViewKeysAndTheirDuplicateMessage) {
  colPartView c;
  EXPECT_TRUE(c.Add(7, "主视图", 44, 2));
  EXPECT_TRUE(c.Add(3, "左视图", 45));
  EXPECT_EQ(c.Item("V7")->ViewName, "主视图");
  EXPECT_EQ(c.Item("V3")->Position, 0);
  EXPECT_EQ(c.Item(2)->BasePoint, 45);
  EXPECT_FALSE(c.Add(7, "重复", 1));
  EXPECT_EQ(c.Count(), 2);
  ExpectOneBox(MsgIcon::Exclamation, "提示：收集零件视图时出错");
}

TEST_F(CollectionsTest, EntityListRefusesASecondEntityQuietly) {
  colEntityList c;
  EXPECT_TRUE(c.Add(12, 1, "线", true, 3, "O.L>1", true, true, 256, nullptr, "t", 9));
  EXPECT_FALSE(c.Add(12, 2, "other", false, 0, "", false, false, 0, nullptr, "", 0));
  ASSERT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Item("X12")->EntityName, "线");
  ExpectNoBox();
}

TEST_F(CollectionsTest, MissingItemsFailAndRemovalKeepsOrder) {
  colEntityList c;
  for (int id : {4, 2, 9, 5})
    c.Add(id, 1, "", false, 0, "", false, true, 256, nullptr, "", 0);
  EXPECT_THROW(c.Item(0), EngineError);
  EXPECT_THROW(c.Item(5), EngineError);
  EXPECT_THROW(c.Item("X3"), EngineError);
  EXPECT_THROW(c.Remove("X3"), EngineError);
  EXPECT_THROW(c.Remove(7), EngineError);

  c.Remove("X2");
  c.Remove(3);  // X5
  std::vector<std::string> keys;
  for (const auto& e : c)
    keys.push_back(e->XKey);
  EXPECT_EQ(keys, (std::vector<std::string>{"X4", "X9"}));
  EXPECT_EQ(c.Item(2)->EntityID, 9);

  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.begin() != c.end(), false);
  c.Clear();  // nothing to do on an empty list
  EXPECT_TRUE(c.Add(4, 1, "", false, 0, "", false, true, 256, nullptr, "", 0));
}

}  // namespace
}  // namespace qzdbs::test
