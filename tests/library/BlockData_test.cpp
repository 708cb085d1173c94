// The block drawings kept in the sample library are DXF files that an independent reader
// accepts, and they define an attribute for every attribute value a part gives them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"
#include "support/Ezdxf.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

// The tags of the ATTDEF entities of a DXF text (group code 2 of each ATTDEF).
std::set<std::string> AttdefTags(const std::string& dxf) {
  std::istringstream in(dxf);
  std::set<std::string> tags;
  bool inAttdef = false;
  for (std::string code, value; std::getline(in, code) && std::getline(in, value);) {
    code = code.substr(code.find_first_not_of(' '));
    if (!code.empty() && code.back() == '\r') code.pop_back();
    if (!value.empty() && value.back() == '\r') value.pop_back();
    if (code == "0") inAttdef = value == "ATTDEF";
    if (inAttdef && code == "2") tags.insert(value);
  }
  return tags;
}

TEST(LibraryBlocks, EveryBlockDrawingReadsCleanlyAndDefinesItsAttributes) {
  const bool ezdxf = RunCommand("/usr/bin/python3 -c 'import ezdxf' 2>&1") == 0;
  const std::vector<SqlRow> blocks = QueryRows(
      SampleLibrary(), "SELECT BlockID, BlockName, hasAttribute, BlockData FROM QZEnt_BlockGlobal");
  ASSERT_FALSE(blocks.empty());
  ScratchDir dir;
  for (const SqlRow& block : blocks) {
    const std::string name = block[1].text, dxf = block[3].text;
    SCOPED_TRACE(name);
    // The host writes the data to a file named after the block in its block folder.
    EXPECT_EQ(name.find_first_of("/\\."), std::string::npos);
    ASSERT_EQ(dxf.rfind("0\nSECTION\n", 0), 0u) << "not a DXF text";
    EXPECT_NE(dxf.find("0\nEOF"), std::string::npos);
    const std::set<std::string> tags = AttdefTags(dxf);
    EXPECT_EQ(!tags.empty(), block[2].Int() != 0);
    // Every attribute value that a reference to this block carries has a definition.
    const std::vector<std::string> names = QueryColumn(
        SampleLibrary(),
        "SELECT DISTINCT a.AttName FROM QZEnt_Attribute a JOIN QZEntityIdList l ON l.PartID = "
        "a.PartID AND l.RefEntityIDs = a.EntityID JOIN QZEnt_BlockReference r ON r.PartID = "
        "l.PartID AND r.EntityID = l.EntityID AND r.EntityListID = l.EntityListID JOIN "
        "QZEnt_BlockDefine d ON d.PartID = r.PartID AND d.EntityID = r.BlockDefID WHERE "
        "d.BlockID = " +
            block[0].text);
    EXPECT_FALSE(names.empty());
    for (const std::string& n : names)
      EXPECT_TRUE(tags.count(n)) << n;

    if (!ezdxf) continue;
    const auto file = dir.Path() / (name + ".dxf");
    std::ofstream(file, std::ios::binary) << dxf;
    std::string output;
    RunCommand(
        "/usr/bin/python3 -c \"import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); "
        "print(len(d.audit().errors), len(d.modelspace()))\" '" +
            file.string() + "' 2>&1",
        &output);
    int errors = -1, entities = -1;
    ASSERT_EQ(std::sscanf(output.c_str(), "%d %d", &errors, &entities), 2) << output;
    EXPECT_EQ(errors, 0);
    EXPECT_GT(entities, 0);
  }
  if (!ezdxf) GTEST_SKIP() << "no ezdxf: the drawings were not read by it";
}

}  // namespace
}  // namespace qzdbs::test
