// The DXF of each sample part's first, middle and last row as a CAD program
// takes it: ezdxf reads it without an error or a fix, the text style shows
// Chinese, the outline layer is thick and block attributes are shown. That no text crosses a line
// in any row is checked where every row is drawn, by the library build
// (library/tools/drawcheck.py).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Program.h"
#include "support/Ezdxf.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;

json RunJson(const std::vector<std::string>& args) {
  ProgramRun run = RunQzdbs(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? json::parse(run.out) : json{};
}

void CollectParts(const json& node, std::vector<int>& parts) {
  if (node.value("kind", "") == "part") parts.push_back(node["partId"]);
  for (const json& child : node.value("children", json::array()))
    CollectParts(child, parts);
}

TEST(SampleDrawings, FirstMiddleAndLastRowOfEveryPartReadCleanlyInCad) {
  const std::string library = SampleLibraryPath().string();
  std::vector<int> parts;
  const json catalog = RunJson({"catalog", "--library", library, "--json"});
  for (const json& root : catalog["libraries"])
    CollectParts(root, parts);
  ASSERT_FALSE(parts.empty());
  ScratchDir out;
  for (int part : parts) {
    const json rows = RunJson(
        {"show", std::to_string(part), "--library", library, "--json"})["parameters"]["rows"];
    ASSERT_FALSE(rows.empty()) << "part " << part;
    for (size_t pick : {size_t{0}, (rows.size() - 1) / 2, rows.size() - 1}) {
      const std::string row = std::to_string(rows[pick]["row"].get<int>());
      const auto file = out.Path() / ("p" + std::to_string(part) + "-r" + row + ".dxf");
      ProgramRun drawn = RunQzdbs(
          {"draw", std::to_string(part), "--library", library, "--row", row, "-o", file.string()});
      ASSERT_EQ(drawn.status, 0) << "part " << part << " row " << row << ": " << drawn.err;
      const json seen = InspectWithEzdxf(file);
      EXPECT_TRUE(seen["errors"].empty()) << file << seen["errors"].dump();
      EXPECT_TRUE(seen["fixes"].empty()) << file << seen["fixes"].dump();
      EXPECT_EQ(seen["styles"]["Standard"], json({"gbenor.shx", "gbcbig.shx"})) << file;
      EXPECT_GE(seen["layers"]["01 粗实线"]["lineweight"], 50) << file;
      // A label block shows its values in their places, not an empty frame.
      for (const json& insert : seen["inserts"])
        EXPECT_TRUE(insert["hidden"].empty()) << file << insert.dump();
    }
  }
}

}  // namespace
}  // namespace qzdbs::test
