// An Access library opens through the same connection as a native one, and
// the definition reader reads the same values from both; a damaged one is
// refused naming the file.
#include <gtest/gtest.h>

#include <fstream>

#include "db/DbTest.h"
#include "db/clsPartComputeDB.h"
#include "db/recordset/Connection.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

std::vector<std::string> StructureOf(const std::string& connectString, int32_t part) {
  clsPartComputeDB reader;
  reader.InitClass(part);
  EXPECT_TRUE(reader.openCnn(connectString));
  colCompute structure, pending;
  EXPECT_TRUE(reader.getStructurePara(structure, pending));
  std::vector<std::string> rows;
  for (const auto& r : structure)
    rows.push_back(r->XKey + "|" + r->TagStr + "|" + r->ParaValue);
  return rows;
}

TEST(AccessLibraryOpen, AnMdbFileReadsLikeItsSqlTwinAndADamagedOneIsRefused) {
  ScratchDir cache;
  ScopedEnv xdg("XDG_CACHE_HOME", cache.Path().c_str());
  const std::string mdb = (TestDataDir() / "access" / "sample-library.mdb").string();
  ScratchLibrary twin(SampleLibrarySql());
  const std::string mdbConnect = LibraryConnectionString(LibraryFolder(mdb), mdb, kLibraryPassword);
  for (int32_t part : {1, 2, 3}) {
    auto fromAccess = StructureOf(mdbConnect, part);
    EXPECT_FALSE(fromAccess.empty());
    EXPECT_EQ(fromAccess, StructureOf(twin.ConnectionString(), part)) << "PartID " << part;
  }

  const auto broken = cache.Path() / "broken.mdb";
  std::ofstream(broken, std::ios::binary) << ReadText(mdb).substr(0, 4096 + 1000);
  db::Connection connection;
  connection.ConnectionString = "Dbq=" + broken.string() + ";";
  try {
    connection.Open();
    ADD_FAILURE() << "a truncated Access file opened";
  } catch (const db::DbError& e) {
    EXPECT_NE(std::string(e.what()).find("broken.mdb"), std::string::npos) << e.what();
  }
  EXPECT_EQ(connection.State(), db::ObjectState::Closed);
}

}  // namespace
}  // namespace qzdbs::test
