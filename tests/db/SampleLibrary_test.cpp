// The readers against a real three-part library that uses every entity type:
// positions that differ from identifiers, identifiers shared between parts,
// empty texts, Chinese names, pictures and block data.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "db/DbTest.h"
#include "db/clsPartComputeDB.h"
#include "db/clsPartSelDB.h"

namespace qzdbs::test {
namespace {

class SampleLibraryTest : public DbTest {
 protected:
  static void SetUpTestSuite() { library_ = std::make_unique<ScratchLibrary>(SampleLibrarySql()); }
  static void TearDownTestSuite() { library_.reset(); }
  void SetUp() override {
    DbTest::SetUp();
    OpenShared(*library_);
    Engine().BlockFolder = blocks_.Folder();
  }
  std::unique_ptr<clsPartComputeDB> Reader(int32_t part) {
    auto reader = std::make_unique<clsPartComputeDB>();
    reader->InitClass(part);
    EXPECT_TRUE(reader->openCnn(library_->ConnectionString()));
    return reader;
  }
  static const ScratchLibrary& Library() { return *library_; }
  std::string Out(const char* name) const { return (blocks_.Path() / name).string(); }

 private:
  static std::unique_ptr<ScratchLibrary> library_;
  ScratchDir blocks_;
};

std::unique_ptr<ScratchLibrary> SampleLibraryTest::library_;

template <typename Collection>
std::vector<std::string> Keys(const Collection& c) {
  std::vector<std::string> keys;
  for (const auto& r : c)
    keys.push_back(r->XKey);
  return keys;
}

TEST_F(SampleLibraryTest, EveryEntityOfEveryPartReadsWithoutAMessage) {
  const std::string before = ReadText(Library().File());
  int32_t read = 0;
  for (int32_t part : {1, 2, 3}) {
    auto reader = Reader(part);
    colEntityList entities, total;
    ASSERT_TRUE(reader->getPartEntity(entities, total));
    for (const auto& entity : entities) {
      SCOPED_TRACE("PartID " + std::to_string(part) + " " + entity->XKey + " " +
                   entity->EntityName);
      auto params = std::make_shared<colCompute>();
      ASSERT_TRUE(reader->getEntityParaDB(entity->EntityID, entity->EntityType, params));
      EXPECT_GT(params->Count(), 0);
      if (entity->EntityType >= 15 && entity->EntityType <= 21) {
        auto common = std::make_shared<colCompute>();
        ASSERT_TRUE(reader->getEntityParaDB(entity->EntityID, 27, common));
        EXPECT_EQ(common->Count(), 28);
      }
      ++read;
    }
  }
  EXPECT_EQ(read, 34 + 25 + 28);
  ExpectNoBox();
  EXPECT_EQ(ReadText(Library().File()), before) << "the library file is never changed";

  const std::pair<const char*, uintmax_t> blocks[] = {
      {"MARK_STRENGTH.DWG", 700}, {"SYM_ROUGHNESS.DWG", 1200}, {"FLANGE_TAG.DWG", 450}};
  for (const auto& [name, size] : blocks)
    EXPECT_EQ(std::filesystem::file_size(Out(name)), size);
}

TEST_F(SampleLibraryTest, SelectionOfTheBolt) {
  clsPartSelDB sel;
  sel.InitClassData(1);
  colInputPara names, data;
  ASSERT_TRUE(sel.getInputParaName(names));
  std::vector<std::string> columns;
  for (const auto& p : names)
    columns.push_back(p->ParaName);
  EXPECT_EQ(columns, (std::vector<std::string>{"Thread", "L", "s", "k", "P"}));
  EXPECT_EQ(names.Item(5)->Visible, 0);

  ASSERT_TRUE(sel.getInputParaData(data, names));
  std::vector<int32_t> rows;
  ASSERT_TRUE(sel.getParaRows(rows));
  EXPECT_EQ(rows, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(data.Count(), 15);
  const auto& thread = data.Item("1->470");
  EXPECT_EQ(thread->StringValue, "M10");
  EXPECT_EQ(thread->RealValue, 10);

  colPartView views;
  ASSERT_TRUE(sel.getPartView(views));
  EXPECT_EQ(Keys(views), (std::vector<std::string>{"V31", "V27"}));
  EXPECT_EQ(views.Item("V31")->ViewName, "主视图");

  ASSERT_TRUE(sel.getThisPart());
  const std::string picture = Out("WMFtemp.wmf");
  ASSERT_TRUE(sel.getPartGraphic(picture));
  EXPECT_EQ(ReadText(picture).substr(0, 4), "\xD7\xCD\xC6\x9A") << "a placeable metafile";
  ASSERT_TRUE(sel.getPartViewGraphic(31, picture));
  EXPECT_FALSE(sel.getPartViewGraphic(27, picture)) << "view 27 has no picture";
  EXPECT_FALSE(sel.getPartViewGraphic(44, picture)) << "view 44 is the washer's";
  ExpectNoBox();
}

TEST_F(SampleLibraryTest, DefinitionOfTheWasher) {
  auto reader = Reader(2);
  colCompute structure, pending;
  ASSERT_TRUE(reader->getStructurePara(structure, pending));
  ASSERT_EQ(structure.Count(), 17);
  EXPECT_EQ(structure.Item(1)->XKey, "S.rm") << "Position order, not identifier order";
  EXPECT_EQ(structure.Item(1)->TagStr, "S.9976");
  EXPECT_EQ(structure.Item(17)->XKey, "S.a360");

  colCompute properties, propertiesPending;
  ASSERT_TRUE(reader->getPartProperties(properties, propertiesPending));
  EXPECT_EQ(Keys(properties),
            (std::vector<std::string>{"T.名称", "T.Designation", "T.Mass", "T.Material"}));
  EXPECT_EQ(properties.Item("T.名称")->ParaValue, "外齿锁紧垫圈");

  colCompute points, pointsPending;
  ASSERT_TRUE(reader->getPartPoint(points, pointsPending));
  EXPECT_EQ(points.Item(1)->XKey, "P.C1.X");
  EXPECT_EQ(points.Item(4)->ParaValue, "-S.r2-4");

  OrderedMap<std::string> layers;
  ASSERT_TRUE(reader->getAllLayer(layers));
  EXPECT_EQ(layers.Count(), 7);
  EXPECT_EQ(*layers.Find("X6"), "剖面线");

  std::string guid, name;
  ASSERT_TRUE(reader->getPartCommInfo(2, guid, name));
  EXPECT_EQ(guid, "A7C05E12@33F0@4B8C@8E61D2C4A9F0");
  EXPECT_EQ(name, "外齿锁紧垫圈");
  EXPECT_EQ(reader->getBasePointName("QZParts", "PartID", 2), "C1");
  EXPECT_EQ(reader->getBasePointName("QZPartViews", "PartViewID", 58), "C3");

  // The full ellipse has no angles.
  auto ellipse = std::make_shared<colCompute>();
  ASSERT_TRUE(reader->getEntityParaDB(53, 4, ellipse));
  EXPECT_EQ(ellipse->Item("StartAngle.S")->TagStr, "S.0");
  EXPECT_EQ(ellipse->Item("EndAngle.S")->TagStr, "S.0");
  EXPECT_EQ(ellipse->Item("MajorRadius.S")->TagStr, "S.9518");

  // The block without a type is stored with type 0.
  auto block = std::make_shared<colCompute>();
  ASSERT_TRUE(reader->getEntityParaDB(55, 10, block));
  EXPECT_EQ(block->Item("BlockType.S")->ParaValue, "0");
  ExpectNoBox();
}

TEST_F(SampleLibraryTest, ViewsOfTheBoltShareTheirText) {
  auto reader = Reader(1);
  colEntityList front, left, total;
  ASSERT_TRUE(reader->getViewEntity(31, front, total));
  ASSERT_TRUE(reader->getViewEntity(27, left, total));
  EXPECT_TRUE(front.Contains("X15"));
  EXPECT_FALSE(left.Contains("X15")) << "drawn in the first view only";
  EXPECT_FALSE(front.Contains("X14"));
  EXPECT_FALSE(left.Contains("X14")) << "the construction line is in no view";
  EXPECT_EQ(front.Count() + left.Count(), 33);
  EXPECT_EQ(front.Item(1)->EntityID, 39) << "drawing order is Position order";

  colEntityList all, allTotal;
  ASSERT_TRUE(reader->getPartEntity(all, allTotal));
  EXPECT_EQ(all.Count(), 34);
  EXPECT_TRUE(all.Item("X14")->IsAssist);
  EXPECT_EQ(all.Item("X17")->EntityFilter, "O.L>S.b");
}

TEST_F(SampleLibraryTest, EmptyTextsAndChineseNames) {
  auto bolt = Reader(1);
  auto dimension = std::make_shared<colCompute>();
  ASSERT_TRUE(bolt->getEntityParaDB(20, 27, dimension));
  EXPECT_EQ(dimension->Item("TextString.S")->ParaValue, "");
  EXPECT_EQ(dimension->Item("str_DimTolNo.S")->ParaValue, "");
  auto diameter = std::make_shared<colCompute>();
  ASSERT_TRUE(bolt->getEntityParaDB(11, 27, diameter));
  EXPECT_EQ(diameter->Item("TextString.S")->ParaValue, "S.d");
  EXPECT_EQ(diameter->Item("TextString.S")->IsExpression, 1);
  EXPECT_EQ(diameter->Item("str_DimTolNo.S")->ParaValue, "6g");

  auto flange = Reader(3);
  auto attributes = std::make_shared<colCompute>();
  ASSERT_TRUE(flange->getEntityParaDB(51, 9, attributes));
  EXPECT_EQ(Keys(*attributes), (std::vector<std::string>{"Attribute.标准", "Attribute.PN"}));
  EXPECT_EQ(attributes->Item("Attribute.标准")->ParaValue, "HG/T 20592");
  EXPECT_EQ(attributes->Item("Attribute.PN")->TagStr, "PN16");
  ExpectNoBox();
}

}  // namespace
}  // namespace qzdbs::test
