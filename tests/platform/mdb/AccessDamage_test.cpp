// Damaged, foreign and rearranged Access files: a clear error naming the file
// (and the table), never a crash, and rows that Access deleted or moved read
// the way Access itself reads them.
#include <gtest/gtest.h>

#include <random>

#include "MdbPatch.h"
#include "MdbTest.h"

namespace qzdbs::test {
namespace {

// The error opening `file` gives; empty when it opens.
std::string OpenError(const std::filesystem::path& file) {
  try {
    OpenUncached(file);
  } catch (const mdb::AccessError& e) {
    return e.what();
  }
  return {};
}

class AccessDamage : public ::testing::Test {
 protected:
  const std::string fixture_ = ReadText(FixtureMdb());
  const TableLayout layers_ = LocateTable(FixtureMdb(), "QZLayer");
  ScratchDir temp_;
};

TEST_F(AccessDamage, BadFilesFailWithAMessageNamingThem) {
  std::string aceWithKey = AceHeader(fixture_);
  PutLe(aceWithKey, 0x3E, 0x12345678, 4);
  std::string jetWithKey = fixture_;
  PutLe(jetWithKey, 0x3E, 0x12345678, 4);
  std::string lostRow = fixture_;
  SetSlotFlags(lostRow, layers_.rows.at(1), 0x8000);  // gone, yet counted
  const struct {
    const char* what;
    std::string bytes;  // empty: no file at all
    const char* expected;
  } cases[] = {
      {"missing file", "", "文件不存在或无法读取"},
      {"SQL text", SampleLibrarySql(), "不是 Access 数据库文件"},
      {"header only", fixture_.substr(0, 0x15), "文件被截断"},
      {"cut inside a page", fixture_.substr(0, 200000), "文件被截断"},
      {"cut before the catalogue's last page", fixture_.substr(0, 40960), "表目录"},
      {"cut before the last data page", fixture_.substr(0, fixture_.size() - 4096),
       "表 \"QZEntityIdList\" 缺少 43 行"},
      {"encrypted Access 2007 file", aceWithKey, "加密"},
      {"Access 2000 file with a foreign encoding key", jetWithKey, "表目录"},
      {"a row missing from its table", lostRow, "表 \"QZLayer\" 缺少 1 行"},
  };
  for (const auto& c : cases) {
    const auto file = temp_.Path() / (std::string(c.what) + ".mdb");
    if (!c.bytes.empty()) WriteBytes(file, c.bytes);
    const std::string error = OpenError(file);
    EXPECT_NE(error.find("\"" + file.string() + "\""), std::string::npos)
        << c.what << ": " << error;
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
  }
}

TEST_F(AccessDamage, RowsAccessDeletedOrMovedReadAsAccessReadsThem) {
  ASSERT_GE(layers_.rows.size(), 6u);
  const auto layers = RowsOf(LoadSqlScript(SampleLibrarySql()).get(), "QZLayer");
  // Access marks a deleted row with both flags and counts one row less.
  std::string deleted = fixture_;
  SetSlotFlags(deleted, layers_.rows[1], 0xC000);
  AddToRowCount(deleted, layers_, -1);
  auto withoutRow1 = layers;
  withoutRow1.erase(withoutRow1.begin() + 1);
  // Row 1 grew and moved: its slot now holds a pointer to where row 5's data
  // is, and that copy carries the deleted flag so that a scan passes it by.
  std::string moved = fixture_;
  const RowSlot& home = layers_.rows[1];
  const RowSlot& there = layers_.rows[5];
  SetSlotFlags(moved, home, 0x4000);
  PutLe(moved, home.rowOffset, static_cast<uint32_t>(there.page) << 8 | there.slot, 4);
  SetSlotFlags(moved, there, 0x8000);
  AddToRowCount(moved, layers_, -1);
  auto row5InRow1 = layers;
  row5InRow1[1] = row5InRow1[5];
  row5InRow1.erase(row5InRow1.begin() + 5);

  const struct {
    const char* what;
    const std::string& bytes;
    const std::vector<SqlRow>& rows;
  } cases[] = {{"deleted", deleted, withoutRow1}, {"moved", moved, row5InRow1}};
  for (const auto& c : cases) {
    const auto file = temp_.Path() / (std::string(c.what) + ".mdb");
    WriteBytes(file, c.bytes);
    EXPECT_EQ(RowsOf(OpenUncached(file).get(), "QZLayer"), c.rows) << c.what;
  }
}

TEST_F(AccessDamage, ARepeatedLookupIdentifierStillOpens) {
  std::string bytes = fixture_;
  // A Jet 4 row starts with its column count; LayerID is the first fixed-size column.
  const size_t first = layers_.rows.at(0).rowOffset + 2;
  const size_t second = layers_.rows.at(1).rowOffset + 2;
  PutLe(bytes, second, GetLe(bytes, first, 4), 4);
  const auto file = temp_.Path() / "repeated-layer.mdb";
  WriteBytes(file, bytes);

  auto db = OpenUncached(file);
  EXPECT_EQ(QueryInteger(db.get(), "SELECT count(*) FROM QZLayer"),
            static_cast<long long>(layers_.rows.size()));
  EXPECT_EQ(QueryInteger(db.get(), "SELECT count(*) FROM QZLayer WHERE LayerID=" +
                                       std::to_string(GetLe(bytes, first, 4))),
            2);
  EXPECT_EQ(
      IndexSqlOf(db.get(), "QZLayer"),
      std::vector<std::string>{R"(CREATE INDEX "idx_QZLayer_LayerID" ON "QZLayer" ("LayerID"))"});
}

TEST_F(AccessDamage, RandomlyDamagedFilesOpenOrFailCleanly) {
  const auto file = temp_.Path() / "mutant.mdb";
  int failures = 0;
  constexpr int kMutants = 40;
  for (int seed = 1; seed <= kMutants; ++seed) {
    std::mt19937 rng(seed);
    std::string bytes = fixture_;
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
