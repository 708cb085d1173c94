// The Access fixture converted through mdbtools must hold exactly what the SQL
// beside it holds: every table, column, row and value, nulls and empty texts
// told apart, doubles exact, blobs byte for byte.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "MdbPatch.h"
#include "MdbTest.h"

namespace qzdbs::test {
namespace {

class AccessFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    converted_ = OpenUncached(FixtureMdb());
    expected_ = LoadSqlScript(SampleLibrarySql());
  }
  static void TearDownTestSuite() {
    converted_.reset();
    expected_.reset();
  }
  static inline mdb::SqliteHandle converted_, expected_;
};

TEST_F(AccessFixture, HasEveryTableWithItsColumnsAndTypes) {
  const auto tables = TableNames(expected_.get());
  ASSERT_EQ(tables.size(), 46u);
  EXPECT_EQ(TableNames(converted_.get()), tables);
  for (const auto& table : tables) {
    // Memo columns are TEXT too: the fixture's DDL does not tell them apart.
    EXPECT_EQ(ColumnsOf(converted_.get(), table), ColumnsOf(expected_.get(), table)) << table;
  }
}

// Compares every row and value of every table; returns the number of rows.
size_t ExpectSameRows(sqlite3* converted, sqlite3* expected) {
  size_t rows = 0;
  for (const auto& table : TableNames(expected)) {
    const auto want = RowsOf(expected, table);
    EXPECT_EQ(RowsOf(converted, table), want) << table;
    rows += want.size();
  }
  return rows;
}

TEST_F(AccessFixture, EveryRowAndValueMatchesTheSqlUnderEitherHeader) {
  // The script's INSERT count: the comparison covered all of them.
  EXPECT_EQ(ExpectSameRows(converted_.get(), expected_.get()), 644u);

  ScratchDir temp;
  const auto file = temp.Path() / "relabelled.accdb";
  WriteBytes(file, AceHeader(ReadText(FixtureMdb())));
  ASSERT_EQ(mdb::DetectAccessFormat(file.string()), mdb::AccessFormat::Ace);
  EXPECT_EQ(ExpectSameRows(OpenUncached(file).get(), expected_.get()), 644u);
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
    EXPECT_EQ(IndexSqlOf(converted_.get(), c.table), c.indexes) << c.table;

  // Every table with PartID has its index, as the native libraries do.
  for (const auto& table : TableNames(expected_.get())) {
    const auto count = [&](const std::string& where) {
      return QueryInteger(expected_.get(),
                          "SELECT count(*) FROM pragma_table_info('" + table + "') WHERE " + where);
    };
    const bool hasPartId = count("name='PartID'") > 0;
    const bool hasEntityId = count("name='EntityID'") > 0;
    std::string all;
    for (const auto& sql : IndexSqlOf(converted_.get(), table))
      all += sql;
    EXPECT_EQ(all.find("\"idx_" + table + "_PartID\" ON") != std::string::npos, hasPartId) << table;
    EXPECT_EQ(all.find("\"idx_" + table + "_PartID_EntityID\" ON") != std::string::npos,
              hasPartId && hasEntityId)
        << table;
  }
}

TEST_F(AccessFixture, TheConvertedLibraryIsReadOnly) {
  EXPECT_NE(sqlite3_exec(converted_.get(), "CREATE TABLE x (a)", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_NE(sqlite3_exec(converted_.get(), "DELETE FROM QZLayer", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(RowsOf(converted_.get(), "QZLayer"), RowsOf(expected_.get(), "QZLayer"));
}

}  // namespace
}  // namespace qzdbs::test
