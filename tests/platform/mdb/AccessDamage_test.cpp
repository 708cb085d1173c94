// Damaged, foreign and rearranged Access files: a clear error naming the file
// (and the table), never a crash, and rows that Access deleted or moved read
// the way Access itself reads them.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

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

mdb::SqliteHandle OpenUncached(const std::filesystem::path& file) {
  mdb::AccessOpenOptions options;
  options.useCache = false;
  return mdb::OpenAccessAsSqlite(file.string(), options);
}

// The error opening `file` gives; empty when it opens.
std::string OpenError(const std::filesystem::path& file) {
  try {
    OpenUncached(file);
  } catch (const mdb::AccessError& e) {
    return e.what();
  }
  return {};
}

TEST(AccessDamage, BadFilesFailWithAMessageNamingThem) {
  TempFolder temp;
  const std::string fixture = ReadBytes(FixtureMdb());
  std::string aceWithKey = fixture;
  aceWithKey.replace(4, 15, "Standard ACE DB");
  aceWithKey[0x14] = 2;
  PutLe(aceWithKey, 0x3E, 0x12345678, 4);
  std::string jetWithKey = fixture;
  PutLe(jetWithKey, 0x3E, 0x12345678, 4);
  struct Case {
    const char* what;
    std::string bytes;  // empty: no file at all
    const char* expected;
  };
  const Case cases[] = {
      {"missing file", "", "文件不存在或无法读取"},
      {"SQL text", ReadBytes(TestDataDir() / "libraries" / "sample-library.sql"),
       "不是 Access 数据库文件"},
      {"header only", fixture.substr(0, 0x15), "文件被截断"},
      {"cut inside a page", fixture.substr(0, 200000), "文件被截断"},
      {"cut before the catalogue's last page", fixture.substr(0, 40960), "表目录"},
      {"cut before the last data page", fixture.substr(0, fixture.size() - 4096),
       "表 \"QZEntityIdList\" 缺少 43 行"},
      {"encrypted Access 2007 file", aceWithKey, "加密"},
      {"Access 2000 file with a foreign encoding key", jetWithKey, "表目录"},
  };
  for (const auto& c : cases) {
    const auto file = temp / (std::string(c.what) + ".mdb");
    if (!c.bytes.empty()) WriteBytes(file, c.bytes);
    const std::string error = OpenError(file);
    EXPECT_NE(error.find("\"" + file.string() + "\""), std::string::npos)
        << c.what << ": " << error;
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
  }
}

// Row `row` of the fixture's QZLayer, as the SQL beside it has it.
std::vector<std::vector<Cell>> ExpectedLayers() {
  auto db = LoadSqlScript((TestDataDir() / "libraries" / "sample-library.sql").string());
  return RowsOf(db.get(), "QZLayer");
}

TEST(AccessDamage, RowsAccessDeletedAreLeftOut) {
  TempFolder temp;
  const auto file = temp / "deleted.mdb";
  std::string bytes = ReadBytes(FixtureMdb());
  const TableLayout layout = LocateTable(FixtureMdb(), "QZLayer");
  ASSERT_GE(layout.rows.size(), 3u);
  // Access marks a deleted row with both flags and counts one row less.
  SetSlotFlags(bytes, layout.rows[1], 0xC000);
  AddToRowCount(bytes, layout, -1);
  WriteBytes(file, bytes);

  auto expected = ExpectedLayers();
  expected.erase(expected.begin() + 1);
  auto db = OpenUncached(file);
  EXPECT_EQ(RowsOf(db.get(), "QZLayer"), expected);
}

TEST(AccessDamage, ARowMissingFromItsTableIsReported) {
  TempFolder temp;
  const auto file = temp / "lost-row.mdb";
  std::string bytes = ReadBytes(FixtureMdb());
  SetSlotFlags(bytes, LocateTable(FixtureMdb(), "QZLayer").rows[1], 0x8000);  // gone, yet counted
  WriteBytes(file, bytes);
  const std::string error = OpenError(file);
  EXPECT_NE(error.find("表 \"QZLayer\" 缺少 1 行"), std::string::npos) << error;
}

TEST(AccessDamage, RowsThatMovedAreReadFromWhereTheyLiveNow) {
  TempFolder temp;
  const auto file = temp / "moved.mdb";
  std::string bytes = ReadBytes(FixtureMdb());
  const TableLayout layout = LocateTable(FixtureMdb(), "QZLayer");
  ASSERT_GE(layout.rows.size(), 6u);
  // Row 1 grew and moved: its slot now holds a pointer to where row 5's data
  // is, and that copy carries the deleted flag so that a scan passes it by.
  const RowSlot& home = layout.rows[1];
  const RowSlot& moved = layout.rows[5];
  SetSlotFlags(bytes, home, 0x4000);
  PutLe(bytes, home.rowOffset, static_cast<uint32_t>(moved.page) << 8 | moved.slot, 4);
  SetSlotFlags(bytes, moved, 0x8000);
  AddToRowCount(bytes, layout, -1);
  WriteBytes(file, bytes);

  auto expected = ExpectedLayers();
  expected[1] = expected[5];
  expected.erase(expected.begin() + 5);
  auto db = OpenUncached(file);
  EXPECT_EQ(RowsOf(db.get(), "QZLayer"), expected);
}

TEST(AccessDamage, ARepeatedLookupIdentifierStillOpens) {
  TempFolder temp;
  const auto file = temp / "repeated-layer.mdb";
  std::string bytes = ReadBytes(FixtureMdb());
  const size_t first = LocateField(FixtureMdb(), "QZLayer", 0, "LayerID");
  const size_t second = LocateField(FixtureMdb(), "QZLayer", 1, "LayerID");
  PutLe(bytes, second, GetLe(bytes, first, 4), 4);
  WriteBytes(file, bytes);

  auto db = OpenUncached(file);
  const auto layers = ExpectedLayers();
  EXPECT_EQ(QueryInteger(db.get(), "SELECT count(*) FROM QZLayer"),
            static_cast<long long>(layers.size()));
  EXPECT_EQ(QueryInteger(db.get(), "SELECT count(*) FROM QZLayer WHERE LayerID=" +
                                       std::to_string(layers[0][0].integer)),
            2);
  EXPECT_EQ(
      IndexSqlOf(db.get(), "QZLayer"),
      std::vector<std::string>{R"(CREATE INDEX "idx_QZLayer_LayerID" ON "QZLayer" ("LayerID"))"});
}

TEST(AccessDamage, RandomlyDamagedFilesOpenOrFailCleanly) {
  TempFolder temp;
  const auto file = temp / "mutant.mdb";
  const std::string fixture = ReadBytes(FixtureMdb());
  int failures = 0;
  constexpr int kMutants = 40;
  for (int seed = 1; seed <= kMutants; ++seed) {
    std::mt19937 rng(seed);
    std::string bytes = fixture;
    // Half the damage goes to the first pages, where the catalogue and most
    // table definitions are.
    for (int i = 0, n = 1 + static_cast<int>(rng() % 48); i < n; ++i) {
      const size_t pos = (i % 2 ? rng() % 65536 : rng() % bytes.size());
      bytes[pos] = static_cast<char>(rng());
    }
    WriteBytes(file, bytes);
    try {
      auto db = OpenUncached(file);
      for (const auto& table : TableNames(db.get()))
        RowsOf(db.get(), table);
    } catch (const mdb::AccessError& e) {
      ++failures;
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
  }
  // The damage must reach something, or this test proves nothing.
  EXPECT_GT(failures, kMutants / 10);
}

}  // namespace
}  // namespace qzdbs::test
