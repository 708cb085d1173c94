// The entity parameter readers beyond the records of tests/data/readers/entities.cases:
// aliases, reader state and block files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/DbTest.h"
#include "db/EntityReaders.h"
#include "db/clsPartComputeDB.h"
#include "support/CaseFile.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

std::filesystem::path CaseFile() {
  return TestDataDir() / "readers" / "entities.cases";
}

// The rows every case starts from: PartID 1 with one entity of every type.
std::string Entities() {
  const std::vector<CaseFileCase> cases = ReadCaseFile(CaseFile());
  std::string rows;
  for (const std::string& line : cases.at(0).setup)
    rows += line.substr(4);
  return rows;
}

class EntityReadersTest : public DbTest {
 protected:
  void Load(const std::string& rows) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    reader = std::make_unique<clsPartComputeDB>();
    reader->InitClass(1);
    ASSERT_TRUE(reader->openCnn(library_->ConnectionString()));
    Engine().BlockFolder = library_->Folder();
  }
  bool Read(int32_t entity, int32_t code) {
    params = std::make_shared<colCompute>();
    return reader->getEntityParaDB(entity, code, params);
  }
  std::string Folder() const { return library_->Folder(); }

  std::unique_ptr<clsPartComputeDB> reader;
  std::shared_ptr<colCompute> params;

 private:
  std::unique_ptr<ScratchLibrary> library_;
};

TEST_F(EntityReadersTest, ReaderStateAndCodesWithoutReader) {
  Load(Entities());
  for (int32_t code : {0, 28, -1}) {
    auto before = std::make_shared<colCompute>();
    EXPECT_TRUE(reader->getEntityParaDB(1, code, before)) << code;
    EXPECT_EQ(before->Count(), 0);
    EXPECT_EQ(reader->CurrentEntityPara(), before);
    EXPECT_EQ(reader->CurrentEntity(), 1);
  }
  ASSERT_TRUE(Read(2, 2));
  EXPECT_EQ(reader->CurrentEntity(), 2);
  EXPECT_EQ(reader->CurrentEntityPara(), params);
  EXPECT_FALSE(reader->getEntityParaDB(2, 2, nullptr));
  ExpectNoBox();
}

TEST_F(EntityReadersTest, BlockDefinitionWithoutDataWritesNothing) {
  Load(R"sql(
INSERT INTO QZEnt_BlockGlobal VALUES (1, 'EMPTY', 0, 2, NULL);
INSERT INTO QZEnt_BlockDefine VALUES (1, 10, 1);
)sql");
  ASSERT_TRUE(Read(10, 10));
  EXPECT_EQ(params->Count(), 3);
  EXPECT_EQ(params->Item("BlockType.S")->ParaValue, "2");
  EXPECT_EQ(ExpectOneBox(MsgIcon::Information, "提示："),
            Folder() + "EMPTY.DWG" + "没有定义块定义的二进制数据");
  EXPECT_FALSE(std::filesystem::exists(Folder() + "EMPTY.DWG"));
}

// Only a name that names another folder is refused; a link planted under the
// block's file name (a shared folder) is replaced, its target left intact.
TEST_F(EntityReadersTest, BlockFilesStayInTheirFolderAndNeverFollowALink) {
  ScratchDir elsewhere;
  const std::filesystem::path outside = elsewhere.Path() / "victim.txt";
  const struct {
    const char* name;
    bool written;
  } rows[] = {{"../escape", false}, {"sub/inner", false}, {"..\\up", false},
              {"C:evil", false},    {"Bolt..M10", true},  {"..", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Load(std::string("INSERT INTO QZEnt_BlockGlobal VALUES (1, '") + row.name +
         "', 0, 0, X'5157'); INSERT INTO QZEnt_BlockDefine VALUES (1, 10, 1);");
    const std::string file = Folder() + row.name + ".DWG";
    if (row.written) {
      { std::ofstream(outside) << "theirs"; }
      std::filesystem::create_symlink(outside, file);
    }
    ClearBoxes();
    EXPECT_EQ(Read(10, 10), row.written);
    EXPECT_EQ(params->Count(), 3);
    if (row.written) {
      ExpectNoBox();
      EXPECT_EQ(ReadText(file), "QW");
      EXPECT_EQ(ReadText(outside), "theirs");
    } else {
      std::string text = ExpectOneBox(MsgIcon::Exclamation, "提示：");
      EXPECT_NE(text.find(row.name), std::string::npos) << text;
    }
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(Folder()).parent_path() / "escape.DWG"));
  }
}

TEST_F(EntityReadersTest, BlockFileThatCannotBeWrittenFails) {
  Load(Entities());
  Engine().BlockFolder = Folder() + "missing/";
  EXPECT_FALSE(Read(10, 10));
  ExpectOneBox(MsgIcon::Information, "提示：");
}

}  // namespace
}  // namespace qzdbs::test
