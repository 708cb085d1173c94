// The selection reader: parameter definitions and values, value rows, views,
// and the pictures written for the viewer.
#include "db/clsPartSelDB.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/NumberText.h"
#include "db/DbTest.h"
#include "db/SaveFieldToFile.h"

namespace qzdbs::test {
namespace {

// PartID 5: a text parameter M (grid column 1), numbers L and d (columns 2 and
// 3, stored in the other order), values for rows 2 and 1 stored out of order,
// one value of row 0, two views, and rows of PartID 6 that must not show.
const char* kPart = R"sql(
INSERT INTO QZPartInputParas VALUES (30, 5, 'd', 0, 0, 3);
INSERT INTO QZPartInputParas VALUES (10, 5, 'M', 1, 1, 1);
INSERT INTO QZPartInputParas VALUES (20, 5, 'L', 0, 1, 2);
INSERT INTO QZPartInputParas VALUES (40, 6, 'X', 0, 1, 1);
INSERT INTO QZParaValue VALUES (5, 10, 2, 'M16x1.5', NULL);
INSERT INTO QZParaValue VALUES (5, 20, 2, NULL, 12.5);
INSERT INTO QZParaValue VALUES (5, 30, 2, '', 0.1);
INSERT INTO QZParaValue VALUES (5, 10, 1, 'M10', 0);
INSERT INTO QZParaValue VALUES (5, 20, 1, '40', 40);
INSERT INTO QZParaValue VALUES (5, 30, 1, NULL, 8);
INSERT INTO QZParaValue VALUES (5, 20, 0, NULL, 1);
INSERT INTO QZParaValue VALUES (6, 40, 7, NULL, 3);
INSERT INTO QZParts VALUES (5, '螺栓', 100, 1, NULL);
INSERT INTO QZPartViews VALUES (71, 5, '左视图', 101, 2, NULL);
INSERT INTO QZPartViews VALUES (70, 5, '主视图', 100, 1, X'0102');
INSERT INTO QZPartViews VALUES (80, 6, '其他', 100, 1, X'09');
)sql";

class PartSelTest : public DbTest {
 protected:
  void Load(const std::string& rows, int32_t part = 5) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    OpenShared(*library_);
    reader.InitClassData(part);
  }
  std::string Out(const char* name) const { return (library_->Dir().Path() / name).string(); }

  clsPartSelDB reader;
  colInputPara names, data;
  colPartView views;

 private:
  std::unique_ptr<ScratchLibrary> library_;
};

std::vector<std::string> Keys(const colInputPara& c) {
  std::vector<std::string> keys;
  for (const auto& r : c)
    keys.push_back(r->XKey);
  return keys;
}

TEST_F(PartSelTest, DefinitionsValuesAndRows) {
  Load(kPart);
  ASSERT_TRUE(reader.getInputParaName(names));
  EXPECT_EQ(Keys(names), (std::vector<std::string>{"0->10", "0->20", "0->30"}));
  EXPECT_EQ(names.Item("0->30")->Visible, 0);
  EXPECT_EQ(names.Item("0->10")->ParaType, 1);

  ASSERT_TRUE(reader.getInputParaData(data, names));
  EXPECT_EQ(Keys(data), (std::vector<std::string>{"0->20", "1->10", "1->20", "1->30", "2->10",
                                                  "2->20", "2->30"}));
  std::vector<int32_t> rows;
  ASSERT_TRUE(reader.getParaRows(rows));
  EXPECT_EQ(rows, (std::vector<int32_t>{1, 2})) << "row 0 gives no value row";
  // The shared read: the same values, and the same table with its rows again
  // while the library keeps the query's rows.
  const auto shared = reader.SharedInputParaData(names);
  EXPECT_EQ(Keys(*shared), Keys(data));
  rows.clear();
  EXPECT_EQ(reader.SharedInputParaData(names), shared);
  ASSERT_TRUE(reader.getParaRows(rows));
  EXPECT_EQ(rows, (std::vector<int32_t>{1, 2}));

  struct Expect {
    const char* key;
    const char* text;
    double number;
  };
  const Expect expected[] = {
      {"2->20", "12.5", 12.5},  // number, null text: the text is the number's
      {"1->20", "40", 40},      // number wins over the stored text
      {"2->30", "0.1", 0.1},    // empty text ignored for a number
      {"1->30", "8", 8},       {"2->10", "M16x1.5", 161.5},  // text: the number is its base length
      {"1->10", "M10", 10},
  };
  for (const auto& e : expected) {
    const auto& r = data.Item(e.key);
    EXPECT_EQ(r->StringValue, e.text) << e.key;
    EXPECT_EQ(r->RealValue, e.number) << e.key;
  }
  EXPECT_EQ(data.Item("2->10")->ParaName, "M");
  EXPECT_EQ(data.Item("2->30")->Visible, 0);
  ExpectNoBox();
}

TEST_F(PartSelTest, NumbersAreWrittenSoTheyReadBack) {
  Load(R"sql(
INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);
INSERT INTO QZParaValue VALUES (5, 1, 1, NULL, 0.30000000000000004);
INSERT INTO QZParaValue VALUES (5, 1, 2, NULL, 1e-5);
INSERT INTO QZParaValue VALUES (5, 1, 3, NULL, -2);
)sql");
  ASSERT_TRUE(reader.getInputParaName(names));
  ASSERT_TRUE(reader.getInputParaData(data, names));
  for (const char* key : {"1->1", "2->1", "3->1"}) {
    const auto& r = data.Item(key);
    EXPECT_EQ(ParseNumber(r->StringValue), r->RealValue) << r->StringValue;
  }
  EXPECT_EQ(data.Item("3->1")->StringValue, "-2");
}

TEST_F(PartSelTest, PartWithoutValuesHasNoRows) {
  Load("INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);");
  ASSERT_TRUE(reader.getInputParaName(names));
  EXPECT_FALSE(reader.getInputParaData(data, names));
  std::vector<int32_t> rows{99};
  EXPECT_FALSE(reader.getParaRows(rows));
  EXPECT_EQ(rows, std::vector<int32_t>{99});
  EXPECT_FALSE(reader.getPartView(views));
  EXPECT_FALSE(reader.getThisPart());
  ExpectNoBox();
}

TEST_F(PartSelTest, ViewsInPositionOrderOfThisPartOnly) {
  Load(kPart);
  ASSERT_TRUE(reader.getPartView(views));
  ASSERT_EQ(views.Count(), 2);
  EXPECT_EQ(views.Item(1)->XKey, "V70");
  EXPECT_EQ(views.Item(1)->ViewName, "主视图");
  EXPECT_EQ(views.Item(1)->BasePoint, 100);
  EXPECT_EQ(views.Item(2)->XKey, "V71");
  EXPECT_EQ(views.Item(2)->Position, 2);
}

// Each bad library breaks one rule and gives one false result with one box.
TEST_F(PartSelTest, BadDataGivesFalseAndItsBox) {
  struct Case {
    const char* name;
    const char* rows;
    bool (*read)(clsPartSelDB&, colInputPara&, colInputPara&, colPartView&);
    const char* title;
  };
  auto readNames = [](clsPartSelDB& r, colInputPara& n, colInputPara&, colPartView&) {
    return r.getInputParaName(n);
  };
  auto readValues = [](clsPartSelDB& r, colInputPara& n, colInputPara& d, colPartView&) {
    return r.getInputParaName(n) && r.getInputParaData(d, n);
  };
  auto readViews = [](clsPartSelDB& r, colInputPara&, colInputPara&, colPartView& v) {
    return r.getPartView(v);
  };
  const Case cases[] = {
      {"duplicate parameter",
       "INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);"
       "INSERT INTO QZPartInputParas VALUES (1, 5, 'B', 0, 1, 2);",
       readNames, "收集零件设计参数"},
      {"null name", "INSERT INTO QZPartInputParas VALUES (1, 5, NULL, 0, 1, 1);", readNames,
       "提示："},
      {"value without definition",
       "INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);"
       "INSERT INTO QZParaValue VALUES (5, 2, 1, NULL, 3);",
       readValues, "提示："},
      {"text where a row number belongs",
       "INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);"
       "INSERT INTO QZParaValue VALUES (5, 1, 'first', NULL, 3);",
       readValues, "提示："},
      {"duplicate value",
       "INSERT INTO QZPartInputParas VALUES (1, 5, 'A', 0, 1, 1);"
       "INSERT INTO QZParaValue VALUES (5, 1, 1, NULL, 3);"
       "INSERT INTO QZParaValue VALUES (5, 1, 1, NULL, 4);",
       readValues, "收集零件设计参数"},
      {"view without base point", "INSERT INTO QZPartViews VALUES (1, 5, 'A', NULL, 1, NULL);",
       readViews, "提示："},
      {"duplicate view",
       "INSERT INTO QZPartViews VALUES (1, 5, 'A', 1, 1, NULL);"
       "INSERT INTO QZPartViews VALUES (1, 5, 'B', 1, 2, NULL);",
       readViews, "提示：收集零件视图时出错"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.rows);
    ClearBoxes();
    colInputPara n, d;
    colPartView v;
    EXPECT_FALSE(c.read(reader, n, d, v));
    ExpectOneBox(MsgIcon::Exclamation, c.title);
  }
}

TEST_F(PartSelTest, MissingTableOrConnectionShowsTheFailure) {
  ScratchLibrary bare(
      "CREATE TABLE QZParts (PartID LONG, PartPic BLOB, BasePoint LONG, Position LONG);");
  OpenShared(bare);
  EXPECT_FALSE(reader.getInputParaName(names));
  std::string text = ExpectOneBox(MsgIcon::Exclamation, "提示：");
  EXPECT_NE(text.find("QZPartInputParas"), std::string::npos) << text;
  ClearBoxes();
  EXPECT_FALSE(reader.getThisPart()) << "no row";
  ExpectNoBox();

  CloseLibraryDB();
  EXPECT_FALSE(reader.getPartView(views));
  EXPECT_EQ(Boxes().size(), 1u);
}

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
  const char* old = std::getenv("XDG_CACHE_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CACHE_HOME", cache.Path().c_str(), 1);
  const std::string path = PreviewPicturePath();
  if (old) {
    setenv("XDG_CACHE_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CACHE_HOME");
  }
  EXPECT_EQ(path, (cache.Path() / "qzdbs" / "WMFtemp.wmf").string());
  EXPECT_TRUE(std::filesystem::is_directory(cache.Path() / "qzdbs"));
}

}  // namespace
}  // namespace qzdbs::test
