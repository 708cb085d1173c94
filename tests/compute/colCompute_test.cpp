// Keyed parameter collections: keys, aliases, positions and removal.
#include "state/colCompute.h"

#include <gtest/gtest.h>

#include "base/EngineError.h"

namespace qzdbs {
namespace {

TEST(colCompute, SharedAliasResolvesToTheFirstRecord) {
  colCompute c;
  c.Add("A", "X", "1", 0, 0, 0, "", "P.3.X");
  c.Add("B", "X", "2", 0, 0, 0, "", "p.3.x");
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.IndexCount(), 1);
  std::string key;
  ASSERT_TRUE(c.getKey("P.3.X", key));
  EXPECT_EQ(key, "A.X");
  // Removing the second holder keeps the first one's alias.
  c.Remove("B.X");
  ASSERT_TRUE(c.getKey("P.3.X", key));
  EXPECT_EQ(key, "A.X");
}

TEST(colCompute, PositionsAreOneBasedAndMoveDownAfterRemove) {
  colCompute c;
  EXPECT_FALSE(c.Item(1));
  for (const char* name : {"a", "b", "c", "d"})
    c.Add("S", name, name, 0, 0, 0, "", std::string("S.") + name);
  EXPECT_FALSE(c.Item(0));
  EXPECT_FALSE(c.Item(5));
  EXPECT_EQ(c.Item(1)->ParaName, "a");
  c.Remove(2);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(2)->ParaName, "c");
  // A walk upward that removes as it goes skips the record after each removal.
  std::vector<std::string> visited;
  for (int32_t i = 1; i <= c.Count(); ++i) {
    visited.push_back(c.Item(i)->ParaName);
    c.Remove(i);
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"a", "d"}));
  ASSERT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Item(1)->ParaName, "c");
}

// Small collections are searched in order and large ones through an index;
// both must keep the same rules, also across removals that cross the size
// where one gives way to the other.
TEST(colCompute, SmallAndLargeCollectionsKeepTheSameRules) {
  for (int count : {5, 17, 60}) {
    SCOPED_TRACE(count);
    colCompute c;
    for (int i = 1; i <= count; ++i)
      ASSERT_TRUE(c.Add("S", "P" + std::to_string(i), std::to_string(i), 0, 0, 0, "",
                        "S." + std::to_string(i)));
    // A duplicate key is refused, keeps the first record and registers no alias.
    EXPECT_FALSE(c.Add("S", "P3", "x", 0, 0, 0, "", "S.dup"));
    EXPECT_EQ(c.Item("S.P3")->ParaValue, "3");
    std::string unchanged = "unchanged";
    EXPECT_FALSE(c.getKey("S.dup", unchanged));
    EXPECT_EQ(unchanged, "unchanged");
    for (int i = count; i >= 1; i -= 3)
      c.Remove("S.P" + std::to_string(i));
    int expectedCount = 0;
    for (int i = 1; i <= count; ++i) {
      const std::string key = "S.P" + std::to_string(i);
      const bool removed = (count - i) % 3 == 0;
      expectedCount += removed ? 0 : 1;
      EXPECT_EQ(c.Item(key) == nullptr, removed) << key;
      std::string found;
      EXPECT_EQ(c.getKey("s." + std::to_string(i), found), !removed) << "aliases ignore case";
      if (!removed) {
        EXPECT_EQ(found, key);
      }
      EXPECT_FALSE(c.Item("s.p" + std::to_string(i))) << "keys do not ignore case";
    }
    ASSERT_EQ(c.Count(), expectedCount);
    for (int32_t position = 1; position <= c.Count(); ++position)
      EXPECT_EQ(c.Item(c.Item(position)->XKey), c.Item(position)) << position;
  }
}

TEST(colCompute, AliasIndexKeepsItsOwnOrder) {
  colCompute c;
  c.Add("S", "a", "", 0, 0, 0, "", "S.2");
  c.Add("S", "b", "", 0, 0, 0);  // empty alias
  c.Add("S", "c", "", 0, 0, 0, "", "S.1");
  c.Add("S", "d", "", 0, 0, 0);  // second empty alias: dropped
  std::vector<std::string> keys;
  std::string key;
  for (int32_t i = 1; c.getKey(i, key); ++i)
    keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"S.a", "S.b", "S.c"}));
}

TEST(colCompute, RemoveOfMissingRecordOrMissingAliasIsAnError) {
  colCompute c;
  EXPECT_THROW(c.Remove("S.none"), EngineError);
  EXPECT_THROW(c.Remove(1), EngineError);
  c.Add("S", "a", "", 0, 0, 0, "", "S.1");
  c.Item("S.a")->TagStr = "S.99";  // alias changed behind the index's back
  EXPECT_THROW(c.Remove("S.a"), EngineError);
  EXPECT_EQ(c.Count(), 1);
}

TEST(colCompute, RecordsAreSharedIterateInOrderAndClearEmptiesStoreAndIndex) {
  colCompute c;
  c.Add("S", "b", "1", 0, 0, 0, "", "S.1");
  c.Add("S", "a", "2", 0);
  c.Item("S.a")->ParaValue = "changed";
  std::vector<std::string> seen;
  for (const auto& r : c)
    seen.push_back(r->ParaName + "=" + r->ParaValue);
  EXPECT_EQ(seen, (std::vector<std::string>{"b=1", "a=changed"}));
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  std::string key = "kept";
  EXPECT_FALSE(c.getKey(1, key));
  EXPECT_EQ(key, "kept");
  EXPECT_TRUE(c.Add("S", "b", "", 0, 0, 0, "", "S.1"));
}

}  // namespace
}  // namespace qzdbs
