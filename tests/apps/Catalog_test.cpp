// qzdbs catalog and what every subcommand shares: the default library, the
// libraries of QZDBS_LIBRARY_PATH, help with examples.
#include <algorithm>

#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "Program.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;

std::vector<int> PartIDs(const json& node) {
  std::vector<int> ids;
  if (node.value("kind", "") == "part") ids.push_back(node["partId"]);
  for (const auto& child : node.value("children", json::array())) {
    auto more = PartIDs(child);
    ids.insert(ids.end(), more.begin(), more.end());
  }
  return ids;
}

TEST(CatalogCommand, DefaultIsTheSampleLibrary) {
  ProgramRun run = RunQzdbs({"catalog", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  json catalogue = json::parse(run.out);
  ASSERT_EQ(catalogue["libraries"].size(), 1u);
  const json& library = catalogue["libraries"][0];
  EXPECT_EQ(library["name"], "metric-parts.qzlib");
  EXPECT_EQ(library["kind"], "library");
  std::vector<int> ids = PartIDs(library);
  ASSERT_GE(ids.size(), 60u);
  std::sort(ids.begin(), ids.end());
  for (size_t i = 0; i < ids.size(); ++i)
    EXPECT_EQ(ids[i], static_cast<int>(i + 1));

  ProgramRun text = RunQzdbs({"catalog"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("      [1] 六角头螺栓 GB/T 5782 (ISO 4014) (Hexagon head bolt)\n"),
            std::string::npos)
      << text.out;
}

TEST(CatalogCommand, LibraryPathAddsLibrariesAndGivenLibrariesReplaceTheSample) {
  ScratchLibrary extra(SampleLibrarySql(), "extra.qzlib");
  ProgramRun run = RunQzdbs({"catalog", "--json"}, {{"QZDBS_LIBRARY_PATH", extra.Path()}});
  ASSERT_EQ(run.status, 0) << run.err;
  json catalogue = json::parse(run.out);
  ASSERT_EQ(catalogue["libraries"].size(), 2u);
  EXPECT_EQ(catalogue["libraries"][1]["name"], "extra.qzlib");
  EXPECT_EQ(PartIDs(catalogue["libraries"][1]), (std::vector<int>{1, 2, 3}));

  run = RunQzdbs({"catalog", "--json", "--library", extra.Path()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["libraries"].size(), 1u);

  // The same file named twice, by another path too, is one library.
  const std::filesystem::path path = extra.Path();
  const auto other = path.parent_path() / "." / path.filename();
  run = RunQzdbs({"catalog", "--json", "--library", extra.Path(), "--library", other.string()},
                 {{"QZDBS_LIBRARY_PATH", extra.Path()}});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["libraries"].size(), 1u);
}

TEST(CatalogCommand, EverySubcommandHasHelpWithExamples) {
  for (const char* command : {"catalog", "show", "draw", "batch", "bom", "export-library"}) {
    ProgramRun run = RunQzdbs({command, "--help"});
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_NE(run.out.find("Examples:\n  qzdbs " + std::string(command)), std::string::npos)
        << run.out;
  }
}

}  // namespace
}  // namespace qzdbs::test
