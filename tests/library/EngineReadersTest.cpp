// The engine's own readers take the sample library as it is: every selection read, every
// definition read and every entity's parameters of every part, with no message box, and the
// library file unchanged.
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"
#include "base/MessageService.h"
#include "db/LibraryDB.h"
#include "db/clsPartComputeDB.h"
#include "db/clsPartSelDB.h"
#include "db/colInputPara.h"
#include "db/colPartView.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class EngineReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    messages_ = std::make_shared<RecordingMessageService>();
    Engine().messages = messages_;
    blocks_ = std::filesystem::temp_directory_path() / "qzdbs-library-blocks";
    std::filesystem::create_directories(blocks_);
    Engine().BlockFolder = blocks_.string() + "/";
    path_ = SampleLibraryPath().string();
    folder_ = LibraryFolder(path_);
    ASSERT_TRUE(OpenLibraryDB(folder_, path_, kLibraryPassword));
  }
  void TearDown() override {
    CloseLibraryDB();
    Engine().messages.reset();
    Engine().BlockFolder.clear();
    std::filesystem::remove_all(blocks_);
  }
  void ExpectNoBox() const {
    for (const MessageBoxRecord& box : messages_->Boxes()) {
      ADD_FAILURE() << "message box " << box.title << " " << box.text;
    }
  }

  std::string path_, folder_;
  std::filesystem::path blocks_;
  std::shared_ptr<RecordingMessageService> messages_;
};

TEST_F(EngineReaders, SelectionReadsOfEveryPart) {
  for (const Row& part : SampleLibrary().Query("SELECT PartID, Name FROM QZParts")) {
    SCOPED_TRACE(part.Text("Name"));
    const auto id = static_cast<int32_t>(part.Int("PartID"));
    clsPartSelDB sel;
    sel.InitClassData(id);
    colInputPara names, data;
    ASSERT_TRUE(sel.getInputParaName(names));
    ASSERT_TRUE(sel.getInputParaData(data, names));
    std::vector<int32_t> rows;
    ASSERT_TRUE(sel.getParaRows(rows));
    EXPECT_EQ(static_cast<long long>(rows.size()),
              SampleLibrary().Count("SELECT COUNT(DISTINCT RowID) FROM QZParaValue WHERE "
                                    "PartID = " +
                                    std::to_string(id)));
    EXPECT_EQ(data.Count(), names.Count() * static_cast<int32_t>(rows.size()));
    colPartView views;
    ASSERT_TRUE(sel.getPartView(views));
    EXPECT_GE(views.Count(), 2);
    EXPECT_TRUE(sel.getThisPart());
  }
  ExpectNoBox();
}

TEST_F(EngineReaders, DefinitionReadsAndEveryEntitysParameters) {
  const std::string before = FileText(path_);
  long long read = 0;
  for (const Row& part : SampleLibrary().Query("SELECT PartID, Name FROM QZParts")) {
    SCOPED_TRACE(part.Text("Name"));
    const auto id = static_cast<int32_t>(part.Int("PartID"));
    clsPartComputeDB reader;
    reader.InitClass(id);
    ASSERT_TRUE(reader.openCnn(LibraryConnectionString(folder_, path_, kLibraryPassword)));
    colCompute structs, structsPending, props, propsPending, points, pointsPending;
    EXPECT_TRUE(reader.getStructurePara(structs, structsPending));
    EXPECT_TRUE(reader.getPartProperties(props, propsPending));
    EXPECT_TRUE(reader.getPartPoint(points, pointsPending));
    EXPECT_GE(props.Count(), 5);
    OrderedMap<std::string> layers;
    EXPECT_TRUE(reader.getAllLayer(layers));
    std::string guid, name;
    EXPECT_TRUE(reader.getPartCommInfo(id, guid, name));
    EXPECT_EQ(name, part.Text("Name"));
    EXPECT_FALSE(reader.getBasePointName("QZParts", "PartID", id).empty());

    colEntityList total;
    for (const Row& view : SampleLibrary().Query("SELECT PartViewID FROM QZPartViews WHERE "
                                                 "PartID = " +
                                                 std::to_string(id) + " ORDER BY Position")) {
      const auto viewId = static_cast<int32_t>(view.Int("PartViewID"));
      EXPECT_FALSE(reader.getBasePointName("QZPartViews", "PartViewID", viewId).empty());
      colEntityList entities;
      ASSERT_TRUE(reader.getViewEntity(viewId, entities, total));
      for (const auto& entity : entities) {
        SCOPED_TRACE(entity->EntityName);
        auto params = std::make_shared<colCompute>();
        EXPECT_TRUE(reader.getEntityParaDB(entity->EntityID, entity->EntityType, params));
        EXPECT_GT(params->Count(), 0);
        if (entity->EntityType >= 15 && entity->EntityType <= 21) {
          auto common = std::make_shared<colCompute>();
          EXPECT_TRUE(reader.getEntityParaDB(entity->EntityID, 27, common));
        }
        ++read;
      }
    }
    // Every entity is in a view, so the views together read all of them.
    EXPECT_EQ(total.Count(), SampleLibrary().Count("SELECT COUNT(*) FROM QZPartEntities WHERE "
                                                   "PartID = " +
                                                   std::to_string(id)));
  }
  EXPECT_EQ(read, SampleLibrary().Count("SELECT COUNT(*) FROM QZPartEntities"));
  ExpectNoBox();
  EXPECT_EQ(FileText(path_), before) << "the library file is never changed";
  // The block drawings went to the block folder under their names.
  for (const Row& block : SampleLibrary().Query("SELECT BlockName FROM QZEnt_BlockGlobal")) {
    EXPECT_TRUE(std::filesystem::exists(blocks_ / (block.Text("BlockName") + ".DWG")));
  }
}

}  // namespace
}  // namespace qzdbs::test
