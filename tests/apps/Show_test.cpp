// qzdbs show: the grid, the views and the computed values of one row.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Program.h"
#include "support/ScratchLibrary.h"
#include "ui/PartsList.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;

TEST(ShowCommand, JsonHoldsGridViewsAndEveryComputedFamily) {
  ProgramRun run = RunQzdbs({"show", "ISO 4014", "--row", "65", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  json shown = json::parse(run.out);
  EXPECT_EQ(shown["part"]["id"], 1);
  EXPECT_EQ(shown["selectedRow"], 65);
  EXPECT_GE(shown["parameters"]["rows"].size(), 100u);
  EXPECT_EQ(shown["parameters"]["columns"][0],
            (json{{"name", "Thread"}, {"type", "text"}, {"visible", true}}));
  EXPECT_EQ(shown["parameters"]["rows"][64]["values"]["L"], "60");
  EXPECT_EQ(shown["views"].size(), 2u);
  EXPECT_TRUE(shown["computed"]);
  EXPECT_EQ(shown["design"]["O.Thread"], "M12");
  EXPECT_EQ(shown["design"]["O.L"], "60");
  EXPECT_EQ(shown["properties"]["T.标记"], "螺栓 GB/T 5782 M12×60");
  // Each family is keyed as the engine keys it; points by coordinate.
  for (const char* family : {"structure", "properties", "points"}) {
    ASSERT_FALSE(shown[family].empty()) << family;
    const std::string prefix = std::string(1, family == std::string("structure") ? 'S'
                                              : family == std::string("points")  ? 'P'
                                                                                 : 'T') +
                               ".";
    for (const auto& [key, value] : shown[family].items()) {
      EXPECT_EQ(key.substr(0, 2), prefix) << key;
      EXPECT_TRUE(value.is_string()) << key;
    }
  }
  int axes = 0;
  for (const auto& [key, value] : shown["points"].items())
    axes += key.ends_with(".X") || key.ends_with(".Y") || key.ends_with(".Z");
  EXPECT_EQ(axes, static_cast<int>(shown["points"].size()));
}

TEST(ShowCommand, TypedValuesReachTheComputation) {
  ProgramRun run = RunQzdbs({"show", "1", "--row", "65", "--set", "L=65", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  json shown = json::parse(run.out);
  EXPECT_EQ(shown["design"]["O.L"], "65");
  EXPECT_EQ(shown["parameters"]["rows"][64]["values"]["L"], "65");
  EXPECT_EQ(shown["properties"]["T.标记"], "螺栓 GB/T 5782 M12×65");
}

TEST(ShowCommand, FailedComputationShowsWhatItHasWithStatusOne) {
  ScratchLibrary library(SampleLibrarySql() +
                         "UPDATE QZPartPoints SET PXParaExp = 'P.none.X' WHERE PartID = 2;");
  ProgramRun run = RunQzdbs({"show", "2", "--library", library.Path(), "--json"});
  EXPECT_EQ(run.status, 1);
  json shown = json::parse(run.out);
  EXPECT_FALSE(shown["computed"]);
  EXPECT_FALSE(shown["structure"].empty());
  EXPECT_NE(run.err.find("警告： 对点表的坐标进行计算时出现错误"), std::string::npos) << run.err;
}

TEST(ShowCommand, TextListsTheGridAndTheValues) {
  ProgramRun run = RunQzdbs({"show", "GB/T 97.1", "--row", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("(row 3 selected)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nStructure parameters:\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  T.标准 = GB/T 97.1-2002\n"), std::string::npos) << run.out;

  // Hidden columns only with --all, as the JSON marks them.
  for (const bool all : {false, true}) {
    std::vector<std::string> args = {"show", "1", "--row", "17"};
    if (all) args.push_back("--all");
    run = RunQzdbs(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const size_t at = run.out.find("  RowID");
    ASSERT_NE(at, std::string::npos) << run.out;
    const std::string header = run.out.substr(at, run.out.find('\n', at) - at);
    EXPECT_NE(header.find(" L "), std::string::npos) << header;
    EXPECT_EQ(header.find(" b1 ") != std::string::npos, all) << header;
  }
}

// qzdbs bom: a studio drawing's parts list, the same CSV the studio exports.
TEST(BomCommand, WritesThePartsListOfAStudioDrawing) {
  ScratchDir dir;
  ui::PlacedPart bolt;
  bolt.library = SampleLibraryPath().string();
  bolt.partID = 1;
  bolt.properties = {
      {"Standard", "ISO 4014:2011"}, {"Designation", "M12 x 60"}, {"Mass", "0.0723"}};
  const std::vector<ui::PlacedPart> parts = {bolt, bolt};
  ui::WriteStudioDrawing(dir.Path() / "a.qzdrawing", parts);
  const std::string csv = dir.Folder() + "a.csv";
  ProgramRun run = RunQzdbs({"bom", dir.Folder() + "a.qzdrawing", "-o", csv});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(csv), ui::PartsListCsv(ui::BuildPartsList(parts)));
  EXPECT_NE(ReadText(csv).find("\r\n1,ISO 4014:2011,M12 x 60,2,,0.072,0.145,\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace qzdbs::test
