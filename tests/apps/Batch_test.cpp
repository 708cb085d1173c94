// qzdbs batch: every row of every part on parallel jobs, the manifest and
// the summary.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "Program.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(BatchCommand, EveryRowOfEveryPartWithStableNamesWhateverTheJobs) {
  ScratchLibrary library(SampleLibrarySql(), "parts.qzlib");
  ScratchDir one;
  ScratchDir two;
  ProgramRun first = RunQzdbs({"batch", "--library", library.Path(), "--jobs", "1", "--format",
                               "dxf,json", "-o", one.Path().string()});
  ProgramRun second = RunQzdbs({"batch", "--library", library.Path(), "--jobs", "2", "--format",
                                "dxf,json", "-o", two.Path().string()});
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("9 drawings of 3 parts in "), std::string::npos) << second.out;
  EXPECT_NE(second.out.find(", 2 jobs): 9 drawn, 0 failed; manifest " +
                            (two.Path() / "manifest.json").string()),
            std::string::npos)
      << second.out;

  std::set<std::string> expected = {"manifest.json"};
  for (int part = 1; part <= 3; ++part) {
    for (int row = 1; row <= 3; ++row) {
      const std::string stem = "parts-p" + std::to_string(part) + "-r" + std::to_string(row);
      expected.insert({stem + ".dxf", stem + ".json"});
    }
  }
  EXPECT_EQ(FilesIn(one.Path()), expected);
  EXPECT_EQ(FilesIn(two.Path()), expected);
  // Each job has its own engine state: what a drawing holds does not depend
  // on the thread that drew it or on what that thread drew before. (The JSON
  // also names each job's scratch folder for block files; its views do not.)
  for (const auto& name : expected) {
    if (name.ends_with(".dxf")) {
      EXPECT_EQ(ReadText(one.Path() / name), ReadText(two.Path() / name)) << name;
    } else if (name != "manifest.json") {
      EXPECT_EQ(json::parse(ReadText(one.Path() / name))["document"]["views"],
                json::parse(ReadText(two.Path() / name))["document"]["views"])
          << name;
    }
  }

  json manifest = json::parse(ReadText(two.Path() / "manifest.json"));
  EXPECT_EQ(manifest["drawn"], 9);
  EXPECT_EQ(manifest["failed"], 0);
  EXPECT_EQ(manifest["jobs"], 2);
  ASSERT_EQ(manifest["drawings"].size(), 9u);
  const json& first_drawing = manifest["drawings"][0];
  EXPECT_EQ(first_drawing["partId"], 1);
  EXPECT_EQ(first_drawing["part"], "六角头螺栓");
  EXPECT_EQ(first_drawing["row"], 1);
  EXPECT_EQ(first_drawing["files"], json::array({"parts-p1-r1.dxf", "parts-p1-r1.json"}));
  // The test library's blocks are DWG files, not DXF drawings: the audit says so, and the
  // manifest carries what it found.
  ASSERT_FALSE(first_drawing["findings"].empty());
  EXPECT_EQ(first_drawing["findings"][0].get<std::string>().rfind("BLOCK_FILE ", 0), 0u);
}

TEST(BatchCommand, FailuresAreListedWithTheirMessages) {
  ScratchLibrary library(
      SampleLibrarySql() +
          "UPDATE QZPartPoints SET PXParaExp = '1/(O.h-1)' "
          "WHERE PartID = 2 AND PointID = (SELECT MIN(PointID) FROM QZPartPoints "
          "WHERE PartID = 2);"
          "DELETE FROM QZParaValue WHERE PartID = 3;",
      "parts.qzlib");
  ScratchDir out;
  ProgramRun run = RunQzdbs({"batch", "--library", library.Path(), "-o", out.Path().string()});
  EXPECT_EQ(run.status, 1);
  json manifest = json::parse(ReadText(out.Path() / "manifest.json"));
  std::vector<std::string> failed;
  for (const auto& drawing : manifest["drawings"]) {
    if (drawing["drawn"]) continue;
    failed.push_back(std::to_string(drawing["partId"].get<int>()) + "/" + drawing["row"].dump());
    EXPECT_TRUE(drawing["files"].empty());
    EXPECT_FALSE(drawing["messages"].empty());
  }
  // The washer's row 3, whose h of 1.0 makes a point divide by zero, and the
  // flange, which lost its rows and is drawn once without them.
  EXPECT_EQ(failed, (std::vector<std::string>{"2/3", "3/null"}));
  EXPECT_EQ(manifest["failed"], 2);
  EXPECT_FALSE(fs::exists(out.Path() / "parts-p2-r3.dxf"));
  EXPECT_TRUE(fs::exists(out.Path() / "parts-p2-r2.dxf"));
}

TEST(BatchCommand, UnknownFormatIsRefused) {
  ScratchDir out;
  ProgramRun run = RunQzdbs({"batch", "--format", "json,bmp", "-o", out.Path().string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no format \"bmp\""), std::string::npos) << run.err;
  EXPECT_TRUE(fs::is_empty(out.Path()));
}

}  // namespace
}  // namespace qzdbs::test
