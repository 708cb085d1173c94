// The readers against a real three-part library that uses every entity type:
// positions that differ from identifiers, identifiers shared between parts,
// empty texts, Chinese names and block data. What each reader gives is checked
// on small libraries beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "db/DbTest.h"
#include "db/clsPartComputeDB.h"

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

// What only a real library has: empty texts, Chinese names, a full ellipse without angles and a
// block without a type.
TEST_F(SampleLibraryTest, EmptyTextsChineseNamesAndMissingValues) {
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

  auto washer = Reader(2);
  auto ellipse = std::make_shared<colCompute>();
  ASSERT_TRUE(washer->getEntityParaDB(53, 4, ellipse));
  EXPECT_EQ(ellipse->Item("StartAngle.S")->TagStr, "S.0");
  EXPECT_EQ(ellipse->Item("EndAngle.S")->TagStr, "S.0");
  EXPECT_EQ(ellipse->Item("MajorRadius.S")->TagStr, "S.9518");
  auto block = std::make_shared<colCompute>();
  ASSERT_TRUE(washer->getEntityParaDB(55, 10, block));
  EXPECT_EQ(block->Item("BlockType.S")->ParaValue, "0");
  ExpectNoBox();
}

}  // namespace
}  // namespace qzdbs::test
