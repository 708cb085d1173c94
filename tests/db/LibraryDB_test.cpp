// Opening and closing the shared library connection, and the catalogue.
#include "db/LibraryDB.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/DbTest.h"
#include "db/recordset/Connection.h"

namespace qzdbs::test {
namespace {

class LibraryDBTest : public DbTest {};

TEST(LibraryDB, FolderIsCutAfterTheLastSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"/data/libs/parts.db", "/data/libs/"},
      {"C:\\QZ\\Lib\\parts.mdb", "C:\\QZ\\Lib\\"},
      {"/data/mixed\\sub/parts.db", "/data/mixed\\sub/"},
      {"/data/win\\parts.db", "/data/win\\"},
      {"parts.db", ""},
      {"", ""},
      {"/parts.db", "/"},
  };
  for (const auto& [path, folder] : cases)
    EXPECT_EQ(LibraryFolder(path), folder) << path;
}

TEST(LibraryDB, ConnectionStringIsBuiltFromItsPiecesInOrder) {
  EXPECT_EQ(LibraryConnectionString("/data/libs/", "/data/libs/parts.db", kLibraryPassword),
            "Driver={Microsoft Access Driver (*.mdb)};Dbq=/data/libs/parts.db;"
            "DefaultDir=/data/libs/;Uid=Admin;Pwd=vMHarbour6147KW;");
  EXPECT_EQ(LibraryConnectionString(LibraryFolder("parts.db"), "parts.db", kLibraryPassword),
            "Driver={Microsoft Access Driver (*.mdb)};Dbq=parts.db;DefaultDir=;"
            "Uid=Admin;Pwd=vMHarbour6147KW;");
  // Any path survives the string: braces hold what would end or open a field.
  for (const std::string path : {"/a;b/parts.db", "/x/{odd}}/p.db", " lead.db", "Dbq=x;y"}) {
    const std::string text = LibraryConnectionString(LibraryFolder(path), path, kLibraryPassword);
    EXPECT_EQ(db::Connection::Field(text, "Dbq"), path) << text;
    EXPECT_EQ(db::Connection::Field(text, "DefaultDir"), LibraryFolder(path)) << text;
    EXPECT_EQ(db::Connection::Field(text, "pwd"), kLibraryPassword) << text;
    EXPECT_EQ(db::Connection::Field(text, "Missing"), "") << text;
  }
}

TEST_F(LibraryDBTest, OpeningTwiceReopensAndCloseReleases) {
  ScratchLibrary first(SampleLibrarySql());
  ScratchLibrary second(SchemaSql());
  ASSERT_TRUE(OpenLibraryDB(first.Folder(), first.Path(), kLibraryPassword));
  auto connection = Engine().LibraryConnection;
  ASSERT_TRUE(connection);
  EXPECT_EQ(connection->State(), db::ObjectState::Open);
  EXPECT_EQ(connection->ConnectionString, first.ConnectionString());

  ASSERT_TRUE(OpenLibraryDB(second.Folder(), second.Path(), kLibraryPassword));
  EXPECT_EQ(Engine().LibraryConnection, connection) << "the same connection object is reused";
  EXPECT_EQ(connection->ConnectionString, second.ConnectionString());
  EXPECT_EQ(db::Connection::Field(connection->ConnectionString, "Dbq"), second.Path());

  CloseLibraryDB();
  EXPECT_FALSE(Engine().LibraryConnection);
  EXPECT_EQ(connection->State(), db::ObjectState::Closed);
  ExpectNoBox();
}

TEST_F(LibraryDBTest, CloseWithoutOpenReleasesTheClosedConnection) {
  CloseLibraryDB();
  EXPECT_FALSE(Engine().LibraryConnection);
  Engine().LibraryConnection = std::make_shared<db::Connection>();
  CloseLibraryDB();
  EXPECT_FALSE(Engine().LibraryConnection);
}

// Which files fail to open is the connection's (tests/db/recordset); here: silently, closed.
TEST_F(LibraryDBTest, AFailureReturnsFalseSilentlyAndLeavesTheConnectionClosed) {
  ScratchLibrary good(SchemaSql());
  ASSERT_TRUE(OpenLibraryDB(good.Folder(), good.Path(), kLibraryPassword));
  EXPECT_FALSE(OpenLibraryDB(good.Folder(), good.Folder() + "missing.db", kLibraryPassword));
  ASSERT_TRUE(Engine().LibraryConnection);
  EXPECT_EQ(Engine().LibraryConnection->State(), db::ObjectState::Closed);
  ExpectNoBox();
}

}  // namespace
}  // namespace qzdbs::test
