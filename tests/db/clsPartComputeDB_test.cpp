// The definition reader's own connection and collections; what it reads is the cases of
// tests/data/readers/definitions.cases.
#include "db/clsPartComputeDB.h"

#include <gtest/gtest.h>

#include "db/DbTest.h"

namespace qzdbs::test {
namespace {

class PartComputeTest : public DbTest {};

TEST_F(PartComputeTest, OwnConnectionAndOwnRecords) {
  colCompute family, pending;
  clsPartComputeDB reader;
  reader.InitClass(1);
  EXPECT_FALSE(reader.getStructurePara(family, pending));
  ExpectOneBox(MsgIcon::Information, "getStructurePara");

  ClearBoxes();
  EXPECT_FALSE(reader.openCnn("Dbq=/no/such/library.db;"));
  EXPECT_FALSE(reader.openCnn(""));
  ExpectNoBox();

  ScratchLibrary library =
      Library("INSERT INTO QZPartStructureParas VALUES (5, 1, 'k', '7', 0, 0, 1);");
  OpenShared(library);
  ASSERT_TRUE(reader.openCnn(library.ConnectionString()));
  // The definition reader does not depend on the shared connection.
  CloseLibraryDB();
  ASSERT_TRUE(reader.getStructurePara(family, pending));
  EXPECT_NE(family.Item("S.k"), pending.Item("S.k")) << "each collection holds its own record";
  ExpectNoBox();
}

}  // namespace
}  // namespace qzdbs::test
