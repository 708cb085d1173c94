// The pictures the selection reader writes for the viewer; what it reads is the cases of
// tests/data/readers/selection.cases.
#include "db/clsPartSelDB.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/DbTest.h"
#include "db/SaveFieldToFile.h"
#include "support/ScopedEnv.h"

namespace qzdbs::test {
namespace {

class PartSelTest : public DbTest {
 protected:
  void Load(const std::string& rows, int32_t part = 5) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    OpenShared(*library_);
    reader.InitClassData(part);
  }
  std::string Out(const char* name) const { return (library_->Dir().Path() / name).string(); }

  clsPartSelDB reader;
  colPartView views;

 private:
  std::unique_ptr<ScratchLibrary> library_;
};

std::string Bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<char>((i * 31 + seed + i / 256) % 256);
  return bytes;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex = "X'";
  for (unsigned char b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex + "'";
}

TEST_F(PartSelTest, PicturesAreWrittenWholeAndReplaceLongerOnes) {
  const std::string big = Bytes(40000, 1);  // 7232 bytes, then two pieces of 16384
  const std::string small = Bytes(300, 2);
  Load("INSERT INTO QZParts VALUES (5, 'A', 1, 1, " + Hex(big) + ");" +
       "INSERT INTO QZPartViews VALUES (7, 5, 'V', 1, 1, " + Hex(small) + ");" +
       "INSERT INTO QZPartViews VALUES (8, 5, 'W', 1, 2, NULL);" +
       "INSERT INTO QZPartViews VALUES (9, 5, 'Z', 1, 3, X'');");
  const std::string file = Out("WMFtemp.wmf");
  ASSERT_TRUE(reader.getThisPart());
  ASSERT_TRUE(reader.getPartGraphic(file));
  EXPECT_EQ(ReadText(file), big);

  ASSERT_TRUE(reader.getPartView(views));
  ASSERT_TRUE(reader.getPartViewGraphic(7, file));
  EXPECT_EQ(ReadText(file), small) << "no bytes of the longer picture stay behind";
  EXPECT_EQ(reader.PartViewRecords().RecordCount(), 3) << "the filter is cleared";

  for (int32_t id : {8, 9, 70, 0}) {
    EXPECT_FALSE(reader.getPartViewGraphic(id, file)) << id;
    EXPECT_EQ(reader.PartViewRecords().RecordCount(), 3) << id;
    EXPECT_TRUE(reader.PartViewRecords().Filter().empty()) << id;
  }
  EXPECT_EQ(ReadText(file), small);
  ExpectNoBox();
}

TEST_F(PartSelTest, PictureFailures) {
  Load(
      "INSERT INTO QZParts VALUES (5, 'A', 1, 1, NULL);"
      "INSERT INTO QZParts VALUES (6, 'B', 1, 1, X'0102');"
      "INSERT INTO QZPartViews VALUES (7, 6, 'V', 1, 1, X'0102');");
  const std::string file = Out("pic.wmf");
  EXPECT_FALSE(reader.getPartGraphic(file)) << "before getThisPart";
  EXPECT_EQ(Boxes().size(), 1u);
  ClearBoxes();
  EXPECT_FALSE(reader.getPartViewGraphic(7, file)) << "before getPartView: no box";
  ExpectNoBox();

  ASSERT_TRUE(reader.getThisPart());
  EXPECT_FALSE(reader.getPartGraphic(file)) << "null picture";
  EXPECT_FALSE(std::filesystem::exists(file));

  reader.InitClassData(6);
  ASSERT_TRUE(reader.getThisPart());
  EXPECT_FALSE(reader.getPartGraphic(Out("no/such/folder/pic.wmf")));
  ExpectOneBox(MsgIcon::Information, "提示：");
  ClearBoxes();
  ASSERT_TRUE(reader.getPartView(views));
  EXPECT_FALSE(reader.getPartViewGraphic(7, Out("no/such/folder/pic.wmf")));
  ExpectOneBox(MsgIcon::Information, "提示：");  // SaveFieldToFile's own box only
}

TEST(PreviewPicture, GoesToTheUserCacheFolder) {
  ScratchDir cache;
  ScopedEnv xdg("XDG_CACHE_HOME", cache.Path().c_str());
  EXPECT_EQ(PreviewPicturePath(), (cache.Path() / "qzdbs" / "WMFtemp.wmf").string());
  EXPECT_TRUE(std::filesystem::is_directory(cache.Path() / "qzdbs"));
}

}  // namespace
}  // namespace qzdbs::test
