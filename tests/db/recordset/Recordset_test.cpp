// The database access layer: opening files read-only, record sets, null and
// type conversions, filters and chunked binary reading.
#include "db/recordset/Recordset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <memory>

#include "db/recordset/Connection.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::db {
namespace {

using test::ScratchDir;
using test::ScratchLibrary;

const char* kRows = R"sql(
CREATE TABLE T (Id LONG, Name TEXT, Amount REAL, Flag INT, Data BLOB);
INSERT INTO T VALUES (1, 'one', 1.5, 1, X'000102');
INSERT INTO T VALUES (2, NULL, NULL, NULL, NULL);
INSERT INTO T VALUES (3, '12.5', 2.0, -1, X'');
INSERT INTO T VALUES (7, '视图', 2.5, 0, NULL);
)sql";

std::unique_ptr<Connection> Connect(const ScratchLibrary& library) {
  auto connection = std::make_unique<Connection>();
  connection->ConnectionString = "Dbq=" + library.Path() + ";";
  connection->Open();
  return connection;
}

class RecordsetTest : public ::testing::Test {
 protected:
  Recordset Query(const std::string& sql) {
    Recordset rs;
    rs.Open(sql, connection);
    return rs;
  }
  ScratchLibrary library{kRows};
  const std::string before = test::ReadText(library.File());
  std::unique_ptr<Connection> owned = Connect(library);
  Connection& connection = *owned;
};

TEST_F(RecordsetTest, CountIsExactAtOnceAndMovementEndsAtEof) {
  Recordset rs = Query("SELECT * FROM T ORDER BY Id");
  EXPECT_EQ(rs.State(), ObjectState::Open);
  EXPECT_EQ(rs.RecordCount(), 4);
  std::vector<int32_t> ids;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
    ids.push_back(rs["Id"].AsLong());
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 7}));
  EXPECT_THROW(rs.MoveNext(), DbError);
  EXPECT_THROW(rs["Id"], DbError);  // no current record at the end
  rs.MoveFirst();
  EXPECT_EQ(rs["id"].AsLong(), 1) << "columns are found in any letter case";

  Recordset none = Query("SELECT * FROM T WHERE Id = 99");
  EXPECT_EQ(none.RecordCount(), 0);
  EXPECT_TRUE(none.Eof());
}

TEST_F(RecordsetTest, ClosedSetAndBadQueriesFailWithDescriptions) {
  Recordset rs;
  EXPECT_THROW(rs.RecordCount(), DbError);
  try {
    rs.Open("SELECT Missing FROM T", connection);
    FAIL() << "a missing column must fail";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("Missing"), std::string::npos) << e.what();
  }
  EXPECT_EQ(rs.State(), ObjectState::Closed);
  EXPECT_THROW(Query("SELECT * FROM NoSuchTable"), DbError);
  rs = Query("SELECT * FROM T");
  EXPECT_THROW(rs["NoSuchColumn"], DbError);
  EXPECT_FALSE(rs.HasField("NoSuchColumn"));
  rs.Close();
  EXPECT_THROW(rs.Eof(), DbError);

  Connection closed;
  EXPECT_THROW(rs.Open("SELECT 1", closed), DbError);
}

TEST_F(RecordsetTest, NullConvertsOnlyThroughFallbacksAndFailuresNameTheColumn) {
  Recordset rs = Query("SELECT * FROM T WHERE Id = 2");
  for (const char* column : {"Name", "Amount", "Flag", "Data"}) {
    FieldValue value = rs[column];
    EXPECT_FALSE(value.has_value()) << column;
    EXPECT_FALSE(value) << column;
    try {
      value.AsText();
      FAIL() << column;
    } catch (const DbError& e) {
      EXPECT_NE(std::string(e.what()).find(column), std::string::npos) << e.what();
    }
    EXPECT_THROW(value.AsLong(), DbError) << column;
    EXPECT_THROW(value.AsDouble(), DbError) << column;
    EXPECT_EQ(value.TextOr("none"), "none");
    EXPECT_EQ(value.DoubleOr(4.5), 4.5);
    EXPECT_EQ(value.LongOr(-3), -3);
  }
}

TEST_F(RecordsetTest, ConversionsOfEachStorageClass) {
  constexpr double kFails = std::numeric_limits<double>::quiet_NaN();
  constexpr int64_t kOverflows = std::numeric_limits<int64_t>::min();
  const struct {
    const char* expression;
    const char* text;  // nullptr: AsText fails
    double number;     // NaN: AsDouble and AsLong fail
    int64_t whole;     // AsLong, then AsInteger when it fits 16 bits
  } cases[] = {
      {"12", "12", 12, 12},
      {"2.0", "2", 2, 2},
      {"0.1", "0.1", 0.1, 0},
      {"2.5", "2.5", 2.5, 2},  // half to even
      {"3.5", "3.5", 3.5, 4},
      {"1e-5", "1E-05", 1e-5, 0},
      {"'12.5'", "12.5", 12.5, 12},
      {"' 7 '", " 7 ", 7, 7},
      {"'M12'", "M12", kFails, 0},
      {"'视图'", "视图", kFails, 0},
      {"X'0102'", nullptr, kFails, 0},
      {"-32768", "-32768", -32768, -32768},
      {"40000", "40000", 40000, 40000},  // beyond AsInteger
      {"3000000000", "3000000000", 3e9, kOverflows},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    FieldValue value = Query(std::string("SELECT ") + c.expression + " AS V")["V"];
    if (c.text) {
      EXPECT_EQ(value.AsText(), c.text);
    } else {
      EXPECT_THROW(value.AsText(), DbError);
    }
    if (std::isnan(c.number)) {
      EXPECT_THROW(value.AsDouble(), DbError);
      EXPECT_THROW(value.AsLong(), DbError);
      continue;
    }
    EXPECT_EQ(value.AsDouble(), c.number);
    if (c.whole == kOverflows) {
      EXPECT_THROW(value.AsLong(), DbError);
    } else {
      EXPECT_EQ(value.AsLong(), c.whole);
    }
    if (c.whole < -32768 || c.whole > 32767) {
      EXPECT_THROW(value.AsInteger(), DbError);
    } else {
      EXPECT_EQ(value.AsInteger(), c.whole);
    }
  }
  // Of repeated column names, the first.
  EXPECT_EQ(Query("SELECT Id AS X, Name AS X FROM T WHERE Id = 1")["X"].AsText(), "1");
}

TEST_F(RecordsetTest, FilterKeepsMatchingRowsAndClearingRestoresAll) {
  Recordset rs = Query("SELECT * FROM T ORDER BY Id");
  rs.MoveNext();
  rs.Filter("Id=7");
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs["Name"].AsText(), "视图");
  rs.Filter("Id = 5");
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_TRUE(rs.Eof());
  rs.Filter("Name='one'");
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs["Id"].AsLong(), 1);
  rs.ClearFilter();
  EXPECT_EQ(rs.RecordCount(), 4);
  EXPECT_EQ(rs["Id"].AsLong(), 1);
  EXPECT_TRUE(rs.Filter().empty());

  // A criterion the set cannot apply fails and leaves the set as it was.
  rs.Filter("Id=3");
  EXPECT_THROW(rs.Filter("Nonsense"), DbError);
  EXPECT_THROW(rs.Filter("Missing=1"), DbError);
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Filter(), "Id=3");
}

TEST_F(RecordsetTest, BinaryFieldsReadInSequentialChunks) {
  Recordset rs = Query("SELECT zeroblob(5) || X'0A0B0C' AS Data, NULL AS Absent, 5 AS Num");
  Field data = rs.Fields("Data");
  ASSERT_EQ(data.ActualSize(), 8);
  EXPECT_EQ(data.GetChunk(3), (Blob{0, 0, 0}));
  EXPECT_EQ(data.GetChunk(4), (Blob{0, 0, 0x0A, 0x0B}));
  EXPECT_EQ(data.GetChunk(4), (Blob{0x0C}));
  EXPECT_TRUE(data.GetChunk(4).empty());

  Field nothing = rs.Fields("Absent");
  EXPECT_EQ(nothing.ActualSize(), 0);
  EXPECT_TRUE(nothing.GetChunk(10).empty());
  EXPECT_THROW(rs.Fields("Num").ActualSize(), DbError);
}

TEST(Connection, FilesThatAreNoLibraryDoNotOpen) {
  ScratchDir dir;
  auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream(dir.Path() / name, std::ios::binary) << bytes;
    return (dir.Path() / name).string();
  };
  std::string random(4096, '\0');
  for (size_t i = 0; i < random.size(); ++i)
    random[i] = static_cast<char>((i * 7919 + 13) % 251);
  const std::string files[] = {
      (dir.Path() / "missing.db").string(),
      write("empty.db", ""),
      write("text.db", "这不是数据库\nplain text\n"),
      write("random.db", random),
      dir.Path().string(),
  };
  for (const std::string& file : files) {
    Connection connection;
    connection.ConnectionString = "Dbq=" + file + ";";
    EXPECT_THROW(connection.Open(), DbError) << file;
    EXPECT_EQ(connection.State(), ObjectState::Closed) << file;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing.db")) << "opening must not create";
  Connection noFile;
  noFile.ConnectionString = "Driver={X};";
  EXPECT_THROW(noFile.Open(), DbError);
}

TEST_F(RecordsetTest, LibrariesAreOpenedReadOnly) {
  EXPECT_EQ(connection.State(), ObjectState::Open);
  Recordset rs;
  EXPECT_THROW(rs.Open("DELETE FROM T", connection), DbError);
  EXPECT_THROW(rs.Open("INSERT INTO T (Id) VALUES (9) RETURNING Id", connection), DbError);
  connection.Close();
  EXPECT_EQ(connection.State(), ObjectState::Closed);
  EXPECT_EQ(test::ReadText(library.File()), before);
}

TEST(Connection, ConnectionsToOneFileShareItsHandleAndResults) {
  ScratchLibrary library(kRows);
  const auto open = [&] { return Connect(library); };
  auto count = [](const std::string& sql, const Connection& connection) {
    Recordset rs;
    rs.Open(sql, connection);
    return rs.RecordCount();
  };
  auto first = open();
  auto second = open();
  ASSERT_EQ(&first->Library(), &second->Library());
  const size_t cached = first->Library().CachedResults();
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_EQ(count("SELECT Name FROM T WHERE Id > 1", pass % 2 ? *first : *second), 3)
        << "a kept result gives every row again";
  }
  EXPECT_EQ(first->Library().CachedResults(), cached + 1);

  // Texts that differ only in a compared number share one statement and still
  // find their own rows.
  const size_t statements = first->Library().CachedStatements();
  EXPECT_EQ(count("SELECT Name FROM T WHERE Id = 7", *first), 1);
  EXPECT_EQ(count("SELECT Name FROM T WHERE Id = 99", *first), 0);
  EXPECT_EQ(count("SELECT Name FROM T WHERE Id = -2 OR Id = 1 /* = 8 */", *first), 1)
      << "a number lifted out of a comment leaves the text as written";
  EXPECT_EQ(first->Library().CachedStatements(), statements + 2);

  // A query that fails while stepping is not kept: it fails again.
  const std::string overflow = "SELECT abs(-9223372036854775807 - Id) FROM T";
  EXPECT_THROW(count(overflow, *first), DbError);
  EXPECT_THROW(count(overflow, *first), DbError);
  EXPECT_EQ(count("SELECT * FROM T", *first), 4);

  for (size_t i = 0; i < SharedLibrary::kResultLimit + 5; ++i)
    count("SELECT " + std::to_string(i), *first);
  EXPECT_LE(first->Library().CachedResults(), SharedLibrary::kResultLimit);

  // A library replaced under the same name is read afresh by the next
  // connection; the one already open keeps reading what it opened.
  ScratchLibrary replacement("CREATE TABLE T (Id LONG); INSERT INTO T VALUES (1);");
  std::filesystem::rename(replacement.File(), library.File());
  auto third = open();
  EXPECT_NE(&third->Library(), &first->Library());
  EXPECT_EQ(count("SELECT * FROM T", *third), 1);
  EXPECT_EQ(count("SELECT * FROM T", *first), 4);
}

}  // namespace
}  // namespace qzdbs::db
