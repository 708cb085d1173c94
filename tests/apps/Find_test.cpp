// qzdbs find end to end: the JSON a script reads, the text a user reads, and
// the exit status when nothing matches.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Program.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

TEST(FindCommand, HitsAsJsonAndText) {
  ScratchLibrary library(
      SchemaSql() + ReadText(TestDataDir() / "libraries" / "gb-search-library.sql"), "gb.qzlib");
  ProgramRun run = RunQzdbs({"find", "--json", "--library", library.Path(), "M12", "x", "65"});
  ASSERT_EQ(run.status, 0) << run.err;
  auto hit = nlohmann::json::parse(run.out)["hits"].at(0);
  EXPECT_EQ(hit["library"], library.Path());
  EXPECT_EQ(hit["partId"], 1);
  EXPECT_EQ(hit["part"], "六角头螺栓 GB/T 5782 (ISO 4014)");
  EXPECT_EQ(hit["row"], 3);
  EXPECT_EQ(hit["set"], nlohmann::json({{"L", "65"}}));

  // The sample library: the bearing's row and the command that draws it.
  run = RunQzdbs({"find", "深沟球轴承 6205"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("1. 深沟球轴承"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("=6205"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("qzdbs draw "), std::string::npos) << run.out;

  run = RunQzdbs({"find", "--library", library.Path(), "GB/T 99999"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no part matches \"GB/T 99999\""), std::string::npos) << run.err;
}

}  // namespace
}  // namespace qzdbs::test
