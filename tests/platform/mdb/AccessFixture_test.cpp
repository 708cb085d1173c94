// The Access fixture converted through mdbtools must hold exactly what the SQL
// beside it holds: every table, column, row and value, nulls and empty texts
// told apart, doubles exact, blobs byte for byte.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>

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

// Every index the conversion makes, as tests/data/access/indexes.sql records them: a unique
// index on each lookup table's identifier, and on every table with PartID an index on it and,
// with EntityID too, on both, as the native libraries have.
TEST_F(AccessFixture, CreatesTheLookupIndexes) {
  const auto file = TestDataDir() / "access" / "indexes.sql";
  std::string actual;
  for (const auto& sql : QueryColumn(converted_.get(),
                                     "SELECT sql || ';' FROM sqlite_master "
                                     "WHERE type='index' ORDER BY tbl_name, sql"))
    actual += sql + "\n";
  if (std::getenv("QZDBS_BLESS")) std::ofstream(file.string() + ".actual") << actual;
  EXPECT_EQ(actual, ReadText(file));
}

}  // namespace
}  // namespace qzdbs::test
