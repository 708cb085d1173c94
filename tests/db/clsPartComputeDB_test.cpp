// The definition reader: structure parameters, properties, points, entities,
// layers, identity and base points, with their failure behaviour.
#include "db/clsPartComputeDB.h"

#include <gtest/gtest.h>

#include <functional>

#include "db/DbTest.h"

namespace qzdbs::test {
namespace {

// PartID 1, with rows of PartID 2 that must never show up in its results.
const char* kPart = R"sql(
INSERT INTO QZParts VALUES (1, '六角头螺栓', 3, 1, NULL);
INSERT INTO QZParts VALUES (2, '垫圈', 8, 2, NULL);
INSERT INTO QZPartGUIDs VALUES (1, 'A1', 'B2', 'C3', 'D4');
INSERT INTO QZPartGUIDs VALUES (2, 'E5', 'F6', 'G7', 'H8');
INSERT INTO QZPartStructureParas VALUES (12, 1, 'b', 'O.L-S.k', 1, 1, 2);
INSERT INTO QZPartStructureParas VALUES (5, 1, 'k', '7', 0, 0, 1);
INSERT INTO QZPartStructureParas VALUES (6, 2, 'x', '1', 0, 1, 0);
INSERT INTO QZProperties VALUES (2, '名称');
INSERT INTO QZProperties VALUES (1, 'Mass');
INSERT INTO QZPartPrptys VALUES (1, 2, 0, '螺栓');
INSERT INTO QZPartPrptys VALUES (1, 1, 1, 'S.k*2');
INSERT INTO QZPartPrptys VALUES (2, 1, 1, '9');
INSERT INTO QZPartPoints VALUES (7, 1, 'B', '0', '0', '0', 2);
INSERT INTO QZPartPoints VALUES (3, 1, 'A', '10', 'L/2', '0', 1);
INSERT INTO QZPartPoints VALUES (8, 2, 'C', '1', '1', '1', 1);
INSERT INTO QZPartViews VALUES (31, 1, '主视图', 7, 1, NULL);
INSERT INTO QZPartViews VALUES (32, 1, '左视图', 8, 2, NULL);
INSERT INTO QZPartEntities VALUES (2, 1, 3, '弧', -1, 4, 'O.L>10', 0, 20);
INSERT INTO QZPartEntities VALUES (9, 1, 1, '线', 0, 2, '1', 1, 30);
INSERT INTO QZPartEntities VALUES (4, 1, 7, '文字', 1, 7, '', 1, 10);
INSERT INTO QZPartEntities VALUES (5, 2, 1, 'other', 0, 2, '1', 1, 5);
INSERT INTO QZPartViewEntities VALUES (1, 31, 4);
INSERT INTO QZPartViewEntities VALUES (1, 31, 9);
INSERT INTO QZPartViewEntities VALUES (1, 32, 9);
INSERT INTO QZPartViewEntities VALUES (1, 32, 2);
INSERT INTO QZPartViewEntities VALUES (2, 32, 5);
INSERT INTO QZLayer VALUES (2, '粗实线');
INSERT INTO QZLayer VALUES (7, '文字');
)sql";

class PartComputeTest : public DbTest {
 protected:
  void Load(const std::string& rows, int32_t part = 1) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    OpenShared(*library_);
    reader = std::make_unique<clsPartComputeDB>();
    reader->InitClass(part);
    ASSERT_TRUE(reader->openCnn(library_->ConnectionString()));
  }

  std::unique_ptr<clsPartComputeDB> reader;
  colCompute family, pending;
  colEntityList entities, total;

 private:
  std::unique_ptr<ScratchLibrary> library_;
};

std::vector<std::string> Keys(const colCompute& c) {
  std::vector<std::string> keys;
  for (const auto& r : c)
    keys.push_back(r->XKey);
  return keys;
}

std::vector<std::string> Keys(const colEntityList& c) {
  std::vector<std::string> keys;
  for (const auto& r : c)
    keys.push_back(r->XKey);
  return keys;
}

TEST_F(PartComputeTest, StructureParametersGoToBothCollectionsInPositionOrder) {
  Load(kPart);
  ASSERT_TRUE(reader->getStructurePara(family, pending));
  EXPECT_EQ(Keys(family), (std::vector<std::string>{"S.k", "S.b"}));
  EXPECT_EQ(Keys(pending), Keys(family));
  const auto& b = family.Item("S.b");
  EXPECT_EQ(b->ParaValue, "O.L-S.k");
  EXPECT_EQ(b->Expression, "O.L-S.k");
  EXPECT_EQ(b->IsExpression, 1);
  EXPECT_EQ(b->Visible, 1);
  EXPECT_EQ(b->isDoneCalValue, 0);
  EXPECT_EQ(b->TagStr, "S.12");
  EXPECT_NE(b, pending.Item("S.b")) << "each collection holds its own record";
  std::string key;
  ASSERT_TRUE(family.getKey("S.5", key));
  EXPECT_EQ(key, "S.k");
  ExpectNoBox();
}

TEST_F(PartComputeTest, PropertiesAreReadOnTheSharedConnection) {
  Load(kPart);
  ASSERT_TRUE(reader->getPartProperties(family, pending));
  EXPECT_EQ(Keys(family), (std::vector<std::string>{"T.Mass", "T.名称"}));
  EXPECT_EQ(Keys(pending), Keys(family));
  const auto& mass = family.Item("T.Mass");
  EXPECT_EQ(mass->ParaValue, "S.k*2");
  EXPECT_EQ(mass->IsExpression, 1);
  EXPECT_EQ(mass->Visible, 0);
  EXPECT_EQ(mass->TagStr, "T.1");
  EXPECT_EQ(family.Item("T.名称")->TagStr, "T.2");
  ExpectNoBox();
}

TEST_F(PartComputeTest, PointsGiveThreeCoordinatesEach) {
  Load(kPart);
  ASSERT_TRUE(reader->getPartPoint(family, pending));
  const std::vector<std::string> keys{"P.A.X", "P.A.Y", "P.A.Z", "P.B.X", "P.B.Y", "P.B.Z"};
  EXPECT_EQ(Keys(family), keys);
  EXPECT_EQ(Keys(pending), keys);
  const std::pair<const char*, const char*> values[] = {
      {"P.A.X", "10"}, {"P.A.Y", "L/2"}, {"P.A.Z", "0"}};
  for (const auto& [key, value] : values) {
    const auto& r = family.Item(key);
    EXPECT_EQ(r->ParaValue, value);
    EXPECT_EQ(r->Expression, value);
    EXPECT_EQ(r->IsExpression, 1);
    EXPECT_EQ(r->Visible, 1);
    EXPECT_EQ(r->isDoneCalValue, 0);
  }
  std::string key;
  ASSERT_TRUE(family.getKey("P.3.Y", key));
  EXPECT_EQ(key, "P.A.Y");
  ASSERT_TRUE(pending.getKey("P.7.Z", key));
  EXPECT_EQ(key, "P.B.Z");
  ExpectNoBox();
}

TEST_F(PartComputeTest, EntitiesInDrawingOrderWithTheirFlags) {
  Load(kPart);
  ASSERT_TRUE(reader->getPartEntity(entities, total));
  EXPECT_EQ(Keys(entities), (std::vector<std::string>{"X4", "X2", "X9"}));
  EXPECT_EQ(Keys(total), Keys(entities));
  const auto& text = entities.Item("X4");
  EXPECT_EQ(text->EntityType, 7);
  EXPECT_EQ(text->EntityName, "文字");
  EXPECT_TRUE(text->IsAssist);
  EXPECT_EQ(text->LayerID, 7);
  EXPECT_EQ(text->EntityFilter, "");
  EXPECT_TRUE(text->IsMatchProp);
  EXPECT_TRUE(text->Visible);
  EXPECT_EQ(text->Color, 256);
  EXPECT_FALSE(text->EntityPara);
  const auto& arc = entities.Item("X2");
  EXPECT_FALSE(arc->IsAssist) << "only 1 marks an auxiliary entity";
  EXPECT_FALSE(arc->IsMatchProp);
  EXPECT_EQ(arc->EntityFilter, "O.L>10");
  EXPECT_EQ(total.Item("X2")->EntityType, 0) << "the running list keeps identities only";

  colEntityList again;
  EXPECT_TRUE(reader->getPartEntity(again, total)) << "all met before";
  EXPECT_EQ(again.Count(), 0);
  ExpectNoBox();
}

TEST_F(PartComputeTest, AnEntityOfTwoViewsIsDrawnInTheFirstOnly) {
  Load(kPart);
  colEntityList first, second;
  ASSERT_TRUE(reader->getViewEntity(31, first, total));
  ASSERT_TRUE(reader->getViewEntity(32, second, total));
  EXPECT_EQ(Keys(first), (std::vector<std::string>{"X4", "X9"}));
  EXPECT_EQ(Keys(second), (std::vector<std::string>{"X2"}));
  colEntityList none;
  EXPECT_FALSE(reader->getViewEntity(99, none, total));
  ExpectNoBox();
}

TEST_F(PartComputeTest, Layers) {
  Load(kPart);
  OrderedMap<std::string> layers;
  ASSERT_TRUE(reader->getAllLayer(layers));
  ASSERT_EQ(layers.Count(), 2);
  EXPECT_EQ(*layers.Find("X2"), "粗实线");
  EXPECT_EQ(*layers.Find("X7"), "文字");
  ExpectNoBox();
}

TEST_F(PartComputeTest, PartIdentity) {
  Load(kPart);
  std::string guid = "old", name = "old";
  ASSERT_TRUE(reader->getPartCommInfo(1, guid, name));
  EXPECT_EQ(guid, "A1@B2@C3@D4");
  EXPECT_EQ(name, "六角头螺栓");
  ExpectNoBox();
}

TEST_F(PartComputeTest, BasePoints) {
  Load(kPart);
  EXPECT_EQ(reader->getBasePointName("QZParts", "PartID", 1), "A");
  EXPECT_EQ(reader->getBasePointName("QZPartViews", "PartViewID", 31), "B");
  ExpectNoBox();
}

// What a read gave: its result and how many records it collected.
std::string Gave(bool ok, int count) {
  return std::string(ok ? "true " : "false ") + std::to_string(count);
}

// Each bad library breaks one rule: the read fails, keeps what it read before the fault, and
// shows the box of the row or none.
TEST_F(PartComputeTest, BadDataFailsTheReadWithItsBox) {
  using Read = std::function<std::string(clsPartComputeDB&)>;
  const Read structure = [](clsPartComputeDB& r) {
    colCompute f, p;
    const bool ok = r.getStructurePara(f, p);
    return Gave(ok, f.Count()) + " " + std::to_string(p.Count()) +
           (f.Item("S.k") ? " k=" + f.Item("S.k")->ParaValue : "");
  };
  const Read points = [](clsPartComputeDB& r) {
    colCompute f, p;
    const bool ok = r.getPartPoint(f, p);
    return Gave(ok, f.Count());
  };
  const Read allEntities = [](clsPartComputeDB& r) {
    colEntityList e, t;
    const bool ok = r.getPartEntity(e, t);
    return Gave(ok, e.Count());
  };
  const Read view31 = [](clsPartComputeDB& r) {
    colEntityList e, t;
    const bool ok = r.getViewEntity(31, e, t);
    return Gave(ok, e.Count());
  };
  const Read layers = [](clsPartComputeDB& r) {
    OrderedMap<std::string> l;
    const bool ok = r.getAllLayer(l);
    return Gave(ok, l.Count());
  };
  const Read identity = [](clsPartComputeDB& r) {
    std::string guid = "old", name = "old";
    const bool ok = r.getPartCommInfo(1, guid, name);
    return Gave(ok, 0) + " [" + guid + name + "]";
  };
  const auto basePoint = [](const char* table, const char* field, int32_t id) {
    return Read([=](clsPartComputeDB& r) { return r.getBasePointName(table, field, id); });
  };
  const std::string twoEntityRows =
      "INSERT INTO QZPartEntities VALUES (11, 1, 1, 'bad', 0, 2, NULL, 1, 40);"
      "INSERT INTO QZPartViewEntities VALUES (1, 31, 11);";
  const std::string twiceLayer =
      "DROP TABLE QZLayer; CREATE TABLE QZLayer (LayerID LONG, Name TEXT);"
      "INSERT INTO QZLayer VALUES (1, 'a'); INSERT INTO QZLayer VALUES (1, 'b');";
  const struct {
    const char* what;
    std::string rows;  // after kPart's
    int32_t part;
    Read read;
    std::string gave;
    std::string box;  // "icon title|part of its text", or none
  } cases[] = {
      {"no parameters", "", 3, structure, "false 0 0", ""},
      {"properties without the shared connection", "", 1,
       [](clsPartComputeDB& r) {
         CloseLibraryDB();
         colCompute f, p;
         const bool ok = r.getPartProperties(f, p);
         return Gave(ok, f.Count());
       },
       "false 0", ""},
      {"two named k", "INSERT INTO QZPartStructureParas VALUES (13, 1, 'k', '8', 0, 0, 3);", 1,
       structure, "false 2 2 k=7", ""},
      {"null formula", "INSERT INTO QZPartStructureParas VALUES (13, 1, 'n', NULL, 0, 0, 3);", 1,
       structure, "false 2 2 k=7", "information getStructurePara|"},
      {"no points", "", 3, points, "false 0",
       "exclamation 提示：点表|零件点的信息表没有任何数据，系统无法正常运行"},
      {"null coordinate", "INSERT INTO QZPartPoints VALUES (9, 1, 'C', '1', NULL, '0', 3);", 1,
       points, "false 6", ""},
      {"null filter", twoEntityRows, 1, allEntities, "false 3",
       "exclamation getPartEntity->|FilterExp"},
      {"null filter in a view", twoEntityRows, 1, view31, "false 2",
       "exclamation getViewEntity->|FilterExp"},
      {"no entities", "", 3, allEntities, "false 0", ""},
      {"no layers", "DELETE FROM QZLayer;", 1, layers, "false 0",
       "exclamation 提示：图层|图层信息表没有任何数据，系统无法正常运行"},
      {"a layer number used twice", twiceLayer, 1, layers, "false 1", ""},
      {"no identity", "DELETE FROM QZPartGUIDs WHERE ID = 1;", 1, identity, "false 0 []",
       "exclamation 提示：GUID|没有发现零件的GUID，系统无法正常运行"},
      {"two identities", "INSERT INTO QZPartGUIDs VALUES (1, 'X', 'Y', 'Z', 'W');", 1, identity,
       "false 0 []", ""},
      {"base point of another part", "", 1, basePoint("QZPartViews", "PartViewID", 32), "",
       "exclamation 提示：->getBasePointName|没有发现基点名称，系统无法正常运行"},
      {"no such table", "", 1, basePoint("QZNoTable", "PartID", 1), "",
       "information 提示：->getBasePointName|QZNoTable"},
      {"two base points", "INSERT INTO QZPartPoints VALUES (3, 1, 'A2', '0', '0', '0', 3);", 1,
       basePoint("QZParts", "PartID", 1), "",
       "information 提示：->getBasePointName|存在多个基点名称，系统无法正常运行"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(kPart + c.rows, c.part);
    ClearBoxes();
    EXPECT_EQ(c.read(*reader), c.gave);
    if (c.box.empty()) {
      ExpectNoBox();
    } else {
      ASSERT_EQ(Boxes().size(), 1u);
      const MessageBoxRecord& box = Boxes().front();
      EXPECT_EQ(IconName(box.icon) + (" " + box.title) + "|", c.box.substr(0, c.box.find('|') + 1));
      EXPECT_NE(box.text.find(c.box.substr(c.box.find('|') + 1)), std::string::npos) << box.text;
    }
  }
}

TEST_F(PartComputeTest, OwnConnection) {
  clsPartComputeDB unopened;
  unopened.InitClass(1);
  EXPECT_FALSE(unopened.getStructurePara(family, pending));
  ExpectOneBox(MsgIcon::Information, "getStructurePara");

  ClearBoxes();
  EXPECT_FALSE(unopened.openCnn("Dbq=/no/such/library.db;"));
  EXPECT_FALSE(unopened.openCnn(""));
  ExpectNoBox();

  Load(kPart);
  // The definition reader does not depend on the shared connection.
  CloseLibraryDB();
  EXPECT_TRUE(reader->getStructurePara(family, pending));
}

}  // namespace
}  // namespace qzdbs::test
