// The Access fixture converted through mdbtools must hold exactly what the SQL
// beside it holds: every table, column, row and value, nulls and empty texts
// told apart, doubles exact, blobs byte for byte.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "MdbPatch.h"
#include "TableDump.h"
#include "TempFolder.h"
#include "platform/mdb/AccessLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

std::filesystem::path FixtureMdb() {
  return TestDataDir() / "access" / "sample-library.mdb";
}
std::string FixtureSql() {
  return (TestDataDir() / "libraries" / "sample-library.sql").string();
}

class AccessFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    mdb::AccessOpenOptions memoryOnly;
    memoryOnly.useCache = false;
    convertedLibrary_ = mdb::OpenAccessAsSqlite(FixtureMdb().string(), memoryOnly);
    expectedLibrary_ = LoadSqlScript(FixtureSql());
    converted_ = convertedLibrary_.get();
    expected_ = expectedLibrary_.get();
  }
  static void TearDownTestSuite() {
    convertedLibrary_.reset();
    expectedLibrary_.reset();
  }
  static inline mdb::SqliteHandle convertedLibrary_;
  static inline mdb::SqliteHandle expectedLibrary_;
  // Borrowed from the two above for the sqlite3 calls.
  static inline sqlite3* converted_ = nullptr;
  static inline sqlite3* expected_ = nullptr;
};

TEST_F(AccessFixture, HasEveryTableWithItsColumnsAndTypes) {
  const auto tables = TableNames(expected_);
  ASSERT_EQ(tables.size(), 46u);
  EXPECT_EQ(TableNames(converted_), tables);
  for (const auto& table : tables) {
    // Memo columns are TEXT too: the fixture's DDL does not tell them apart.
    EXPECT_EQ(ColumnsOf(converted_, table), ColumnsOf(expected_, table)) << table;
  }
}

// Compares every row and value of every table; returns the number of rows.
size_t ExpectSameRows(sqlite3* converted, sqlite3* expected) {
  size_t rows = 0;
  for (const auto& table : TableNames(expected)) {
    const auto want = RowsOf(expected, table);
    const auto got = RowsOf(converted, table);
    EXPECT_EQ(got.size(), want.size()) << table;
    if (got.size() != want.size()) continue;
    const auto columns = ColumnsOf(expected, table);
    for (size_t r = 0; r < want.size(); ++r) {
      for (size_t c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(got[r][c], want[r][c])
            << table << " row " << r + 1 << " column " << columns[c].first << ": got "
            << Describe(got[r][c]) << ", want " << Describe(want[r][c]);
      }
    }
    rows += want.size();
  }
  return rows;
}

TEST_F(AccessFixture, EveryRowAndValueMatchesTheSql) {
  // The script's INSERT count: the comparison covered all of them.
  EXPECT_EQ(ExpectSameRows(converted_, expected_), 644u);
}

TEST_F(AccessFixture, AnAccess2007HeaderReadsTheSameWay) {
  // ACE files keep the Jet 4 row and text layout; only the header differs.
  TempFolder temp;
  std::string bytes = ReadBytes(FixtureMdb());
  bytes.replace(4, 15, "Standard ACE DB");
  bytes[0x14] = 2;
  const auto file = temp / "relabelled.accdb";
  WriteBytes(file, bytes);
  ASSERT_EQ(mdb::DetectAccessFormat(file.string()), mdb::AccessFormat::Ace);
  mdb::AccessOpenOptions memoryOnly;
  memoryOnly.useCache = false;
  auto db = mdb::OpenAccessAsSqlite(file.string(), memoryOnly);
  EXPECT_EQ(ExpectSameRows(db.get(), expected_), 644u);
}

TEST_F(AccessFixture, EmptyTextsAndNullsStayApart) {
  // Zero-length strings that a bound-value reader turns into nulls.
  const char* kCountEmpty =
      "SELECT (SELECT count(*) FROM QZEnt_DimCommonText WHERE TextString='') +"
      " (SELECT count(*) FROM QZEnt_DimCommonText WHERE str_DimTolNo='') +"
      " (SELECT count(*) FROM QZEnt_DimCommonText WHERE str_DimFollow='') +"
      " (SELECT count(*) FROM QZEnt_DimCommonText WHERE str_DimFront='') +"
      " (SELECT count(*) FROM QZEnt_DimCommonText WHERE str_TolUnit='') +"
      " (SELECT count(*) FROM QZEnt_MText WHERE str_DimFollow='') +"
      " (SELECT count(*) FROM QZEnt_MText WHERE str_DimFront='') +"
      " (SELECT count(*) FROM QZEnt_Attribute WHERE DefaultValue='')";
  EXPECT_EQ(QueryInteger(converted_, kCountEmpty), 48);
  EXPECT_EQ(QueryInteger(converted_, "SELECT count(*) FROM QZParts WHERE PartPic IS NULL"), 1);
  EXPECT_EQ(
      QueryInteger(converted_, "SELECT count(*) FROM QZEnt_BlockGlobal WHERE BlockType IS NULL"),
      1);
}

TEST_F(AccessFixture, CreatesTheLookupIndexes) {
  struct Case {
    const char* table;
    std::vector<std::string> indexes;
  };
  const Case cases[] = {
      {"QZEnt_Line",
       {R"(CREATE INDEX "idx_QZEnt_Line_PartID" ON "QZEnt_Line" ("PartID"))",
        R"(CREATE INDEX "idx_QZEnt_Line_PartID_EntityID" ON "QZEnt_Line" ("PartID", "EntityID"))"}},
      {"QZPartDirectory",
       {R"(CREATE INDEX "idx_QZPartDirectory_PartID" ON "QZPartDirectory" ("PartID"))",
        R"(CREATE UNIQUE INDEX "idx_QZPartDirectory_NodeID" ON "QZPartDirectory" ("NodeID"))"}},
      {"QZLayer", {R"(CREATE UNIQUE INDEX "idx_QZLayer_LayerID" ON "QZLayer" ("LayerID"))"}},
      {"QZProperties",
       {R"(CREATE UNIQUE INDEX "idx_QZProperties_PropertyID" ON "QZProperties" ("PropertyID"))"}},
      {"QZTextStyleName",
       {R"(CREATE UNIQUE INDEX "idx_QZTextStyleName_TextStyleNameID" ON "QZTextStyleName" ("TextStyleNameID"))"}},
      {"QZPatternName",
       {R"(CREATE UNIQUE INDEX "idx_QZPatternName_PatternID" ON "QZPatternName" ("PatternID"))"}},
      {"QZEnt_BlockGlobal",
       {R"(CREATE UNIQUE INDEX "idx_QZEnt_BlockGlobal_BlockID" ON "QZEnt_BlockGlobal" ("BlockID"))"}},
      {"QZPartGUIDs", {R"(CREATE INDEX "idx_QZPartGUIDs_ID" ON "QZPartGUIDs" ("ID"))"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IndexSqlOf(converted_, c.table), c.indexes) << c.table;

  // Every table with PartID has its index, as the native libraries do.
  for (const auto& table : TableNames(expected_)) {
    const auto columns = ColumnsOf(expected_, table);
    bool hasPartId = false;
    bool hasEntityId = false;
    for (const auto& [name, type] : columns) {
      hasPartId |= name == "PartID";
      hasEntityId |= name == "EntityID";
    }
    const auto indexes = IndexSqlOf(converted_, table);
    auto has = [&](const std::string& name) {
      for (const auto& sql : indexes) {
        if (sql.find("\"" + name + "\" ON") != std::string::npos) return true;
      }
      return false;
    };
    EXPECT_EQ(has("idx_" + table + "_PartID"), hasPartId) << table;
    EXPECT_EQ(has("idx_" + table + "_PartID_EntityID"), hasPartId && hasEntityId) << table;
  }
}

TEST_F(AccessFixture, TheConvertedLibraryIsReadOnly) {
  EXPECT_NE(sqlite3_exec(converted_, "CREATE TABLE x (a)", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_NE(sqlite3_exec(converted_, "DELETE FROM QZLayer", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(QueryInteger(converted_, "SELECT count(*) FROM QZLayer"),
            QueryInteger(expected_, "SELECT count(*) FROM QZLayer"));
}

}  // namespace
}  // namespace qzdbs::test
