// The readers against a real three-part library that uses every entity type:
// positions that differ from identifiers, identifiers shared between parts,
// empty texts, Chinese names and block data: every entity reads without a
// message. What the readers give is the cases of tests/data/readers.
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

}  // namespace
}  // namespace qzdbs::test
