// The sample library's catalogue: one root, folders by kind, every part exactly once; and the
// properties and views every part carries.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

TEST(LibraryCatalogue, OneRootFoldersUnderItAndEveryPartOnce) {
  std::vector<Row> nodes = SampleLibrary().Query(
      "SELECT NodeID, NodeName, FatherID, Position, NodeType, PartID "
      "FROM QZPartDirectory");
  std::map<long long, Row> byId;
  for (const Row& n : nodes) {
    EXPECT_TRUE(byId.emplace(n.Int("NodeID"), n).second) << "NodeID repeated";
  }
  std::vector<long long> roots;
  std::map<long long, int> partNodes;
  std::map<long long, std::set<long long>> positions;
  for (const Row& n : nodes) {
    SCOPED_TRACE(n.Text("NodeName"));
    long long type = n.Int("NodeType");
    ASSERT_TRUE(type >= 0 && type <= 2);
    EXPECT_FALSE(n.Text("NodeName").empty());
    EXPECT_TRUE(positions[n.Int("FatherID")].insert(n.Int("Position")).second)
        << "two siblings at one position";
    if (type == 0) {
      roots.push_back(n.Int("NodeID"));
      EXPECT_EQ(n.Int("FatherID"), 0);
      continue;
    }
    ASSERT_TRUE(byId.count(n.Int("FatherID"))) << "father missing";
    const Row& father = byId.at(n.Int("FatherID"));
    if (type == 1) {
      EXPECT_EQ(n.Int("PartID"), 0);
      EXPECT_EQ(father.Int("NodeType"), 0) << "folders sit under the root";
      // "螺栓 (Bolts)": the Chinese name and the English one in parentheses.
      EXPECT_NE(n.Text("NodeName").find(" ("), std::string::npos);
    } else {
      EXPECT_EQ(father.Int("NodeType"), 1) << "parts sit in a folder";
      ++partNodes[n.Int("PartID")];
    }
  }
  EXPECT_EQ(roots.size(), 1u);
  std::vector<Row> parts = SampleLibrary().Query("SELECT PartID, Name FROM QZParts");
  EXPECT_EQ(partNodes.size(), parts.size());
  for (const Row& p : parts) {
    SCOPED_TRACE(p.Text("Name"));
    EXPECT_EQ(partNodes[p.Int("PartID")], 1);
  }
  // Every folder holds at least one part.
  EXPECT_EQ(SampleLibrary().Count("SELECT COUNT(*) FROM QZPartDirectory f WHERE NodeType = 1 "
                                  "AND NOT EXISTS (SELECT 1 FROM QZPartDirectory c WHERE "
                                  "c.FatherID = f.NodeID AND c.NodeType = 2)"),
            0);
}

TEST(LibraryCatalogue, EveryPartHasItsPropertiesViewsAndBasePoint) {
  const char* required[] = {"名称", "标准", "等效标准", "规格", "标记", "材料", "性能等级", "质量"};
  std::vector<Row> parts = SampleLibrary().Query("SELECT PartID, Name FROM QZParts");
  ASSERT_GE(parts.size(), 60u);
  for (const Row& p : parts) {
    std::string id = std::to_string(p.Int("PartID"));
    SCOPED_TRACE(p.Text("Name"));
    std::map<std::string, Row> props;
    for (Row& r : SampleLibrary().Query(
             "SELECT q.PropertyName, p.IsExpression, p.Value FROM QZPartPrptys p JOIN "
             "QZProperties q ON q.PropertyID = p.PropertyID WHERE p.PartID = " +
             id)) {
      props[r.Text("PropertyName")] = r;
    }
    for (const char* name : required)
      EXPECT_TRUE(props.count(name)) << name;
    // Size, marking and mass are computed; the standard names its edition ("GB/T 5782-2016").
    EXPECT_EQ(props["规格"].Int("IsExpression"), 1);
    EXPECT_EQ(props["标记"].Int("IsExpression"), 1);
    EXPECT_EQ(props["质量"].Int("IsExpression"), 1);
    EXPECT_NE(props["质量"].Text("Value").find("S.V"), std::string::npos);
    EXPECT_EQ(props["标准"].Int("IsExpression"), 0);
    EXPECT_EQ(props["标准"].Text("Value").rfind("GB/T ", 0), 0u);
    EXPECT_NE(props["标准"].Text("Value").find('-'), std::string::npos);
    EXPECT_GE(SampleLibrary().Count("SELECT COUNT(*) FROM QZPartViews WHERE PartID = " + id), 2);
    EXPECT_EQ(SampleLibrary().Count("SELECT COUNT(*) FROM QZPartPoints t JOIN QZParts p ON "
                                    "p.PartID = t.PartID AND p.BasePoint = t.PointID WHERE "
                                    "p.PartID = " +
                                    id),
              1);
  }
}

TEST(LibraryCatalogue, LayersForEveryRole) {
  std::set<std::string> names;
  for (const Row& r : SampleLibrary().Query("SELECT Name FROM QZLayer")) {
    names.insert(r.Text("Name"));
  }
  for (const char* layer : {"01 粗实线", "02 细实线", "05 细点画线", "04 细虚线", "10 剖面线", "08 尺寸线",
                            "11 文字"}) {
    EXPECT_TRUE(names.count(layer)) << layer;
  }
  // Dimensions and leaders on the dimension layer, hatches on the hatch layer, axes and
  // centre lines on the centre line layer.
  EXPECT_EQ(SampleLibrary().Count(
                "SELECT COUNT(*) FROM QZPartEntities e JOIN QZLayer l ON l.LayerID = e.LayerID "
                "WHERE (e.EntityType BETWEEN 14 AND 21 AND l.Name <> '08 尺寸线') OR "
                "(e.EntityType = 13 AND l.Name <> '10 剖面线') OR "
                "((e.Name LIKE '%中心线%' OR e.Name LIKE '轴线%') AND l.Name <> '05 细点画线')"),
            0);
}

}  // namespace
}  // namespace qzdbs::test
