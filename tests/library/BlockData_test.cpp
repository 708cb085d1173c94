// The block drawings kept in the sample library are DXF files that an independent reader
// accepts, and they define an attribute for every attribute value a part gives them.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

// The tags of the ATTDEF entities of a DXF text (group code 2 of each ATTDEF).
std::set<std::string> AttdefTags(const std::string& dxf) {
  std::istringstream in(dxf);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::set<std::string> tags;
  bool inAttdef = false;
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    std::string code = lines[i].substr(lines[i].find_first_not_of(' '));
    if (code == "0") inAttdef = lines[i + 1] == "ATTDEF";
    if (inAttdef && code == "2") tags.insert(lines[i + 1]);
  }
  return tags;
}

std::string BlockData(const Row& block) {
  const Cell& cell = block.cells.at("BlockData");
  if (const auto* s = std::get_if<std::string>(&cell)) return *s;
  return {};
}

TEST(LibraryBlocks, AttributeNamesAreDefinedInTheBlockDrawing) {
  std::vector<Row> blocks = SampleLibrary().Query(
      "SELECT BlockID, BlockName, hasAttribute, CAST(BlockData AS TEXT) AS BlockData "
      "FROM QZEnt_BlockGlobal");
  ASSERT_FALSE(blocks.empty());
  for (const Row& block : blocks) {
    SCOPED_TRACE(block.Text("BlockName"));
    // The host writes the data to a file named after the block in its block folder.
    EXPECT_EQ(block.Text("BlockName").find_first_of("/\\."), std::string::npos);
    std::string dxf = BlockData(block);
    ASSERT_EQ(dxf.rfind("0\nSECTION\n", 0), 0u) << "not a DXF text";
    EXPECT_NE(dxf.find("0\nEOF"), std::string::npos);
    std::set<std::string> tags = AttdefTags(dxf);
    EXPECT_EQ(!tags.empty(), block.Int("hasAttribute") != 0);
    // Every attribute value that a reference to this block carries has a definition.
    std::vector<Row> names = SampleLibrary().Query(
        "SELECT DISTINCT a.AttName FROM QZEnt_Attribute a JOIN QZEntityIdList l ON l.PartID = "
        "a.PartID AND l.RefEntityIDs = a.EntityID JOIN QZEnt_BlockReference r ON r.PartID = "
        "l.PartID AND r.EntityID = l.EntityID AND r.EntityListID = l.EntityListID JOIN "
        "QZEnt_BlockDefine d ON d.PartID = r.PartID AND d.EntityID = r.BlockDefID WHERE "
        "d.BlockID = " +
        std::to_string(block.Int("BlockID")));
    EXPECT_FALSE(names.empty());
    for (const Row& n : names)
      EXPECT_TRUE(tags.count(n.Text("AttName"))) << n.Text("AttName");
  }
}

TEST(LibraryBlocks, EzdxfReadsEveryBlockDrawingWithoutAuditErrors) {
  const std::filesystem::path python = "/usr/bin/python3";
  if (!std::filesystem::exists(python)) GTEST_SKIP() << "no /usr/bin/python3";
  std::vector<Row> blocks = SampleLibrary().Query(
      "SELECT BlockName, CAST(BlockData AS TEXT) AS BlockData FROM QZEnt_BlockGlobal");
  ASSERT_FALSE(blocks.empty());
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qzdbs-blocks";
  std::filesystem::create_directories(dir);
  for (const Row& block : blocks) {
    SCOPED_TRACE(block.Text("BlockName"));
    const std::filesystem::path file = dir / (block.Text("BlockName") + ".dxf");
    std::ofstream(file, std::ios::binary) << BlockData(block);
    const std::string command =
        python.string() +
        " -c \"import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); a = d.audit(); "
        "print(len(a.errors), len(d.modelspace()))\" '" +
        file.string() + "' 2>&1";
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    ASSERT_TRUE(pipe);
    std::string output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get()))
      output += buffer.data();
    if (output.find("No module named") != std::string::npos) GTEST_SKIP() << "no ezdxf";
    int errors = -1, entities = -1;
    ASSERT_EQ(std::sscanf(output.c_str(), "%d %d", &errors, &entities), 2) << output;
    EXPECT_EQ(errors, 0);
    EXPECT_GT(entities, 0);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qzdbs::test
