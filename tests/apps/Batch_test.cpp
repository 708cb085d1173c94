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

  // Files are named by each size's designation.
  std::set<std::string> expected = {"manifest.json"};
  for (const char* stem :
       {"Bolt M10x40", "Bolt M12x50", "Bolt M16x30", "Lock washer M8", "Lock washer M10",
        "Lock washer M12", "Flange DN50 PN16", "Flange DN80 PN16", "Flange DN100 PN16"})
    expected.insert({std::string(stem) + ".dxf", std::string(stem) + ".json"});
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
  EXPECT_EQ(first_drawing["designation"], "Bolt M10x40");
  EXPECT_EQ(first_drawing["files"], json::array({"Bolt M10x40.dxf", "Bolt M10x40.json"}));
  // The test library's blocks are DWG files, not DXF drawings: the audit says so, and the
  // manifest carries what it found.
  ASSERT_FALSE(first_drawing["findings"].empty());
  EXPECT_EQ(first_drawing["findings"][0].get<std::string>().rfind("BLOCK_FILE ", 0), 0u);
}

// What stops a batch (a signal, another batch in the same folder; a folder it
// cannot write is in tests/data/apps) never leaves half-written or temporary
// files, and the manifest tells what was finished.
TEST(BatchCommand, InterruptedOrSharedBatchesEndCleanly) {
  ScratchDir temp;
  ScratchDir out;
  const std::vector<std::pair<std::string, std::string>> env = {{"TMPDIR", temp.Path().string()}};
  const auto noLeftovers = [&](const fs::path& folder) {
    for (const auto& name : FilesIn(folder))
      EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
    for (const auto& name : FilesIn(temp.Path()))  // Qt's runtime folder stays
      EXPECT_NE(name.rfind("qzdbs-", 0), 0u) << name;
  };
  // SIGINT once the first drawing is written, so the signal always meets a
  // batch at work however slowly the program starts on a loaded machine.
  const std::string sample = SampleLibraryPath().string();
  const std::string interruptOnceDrawing =
      "\"$0\" \"$@\" & p=$!; "
      "while ! ls '" +
      out.Path().string() +
      "' | grep -q '[.]dxf$' && kill -0 $p 2>/dev/null; "
      "do sleep 0.05; done; kill -INT $p; wait $p";
  ProgramRun run = RunQzdbs({"batch", "--jobs", "1", "--format", "dxf,png", "--library", sample,
                             "-o", out.Path().string()},
                            env, {"sh", "-c", interruptOnceDrawing});
  EXPECT_EQ(run.status, 130) << run.err;
  EXPECT_NE(run.err.find("interrupted after "), std::string::npos) << run.err;
  json manifest = json::parse(ReadText(out.Path() / "manifest.json"));
  EXPECT_EQ(manifest["interrupted"], true);
  EXPECT_EQ(manifest["drawings"].size(),
            manifest["drawn"].get<size_t>() + manifest["failed"].get<size_t>());
  for (const auto& drawing : manifest["drawings"])
    for (const auto& file : drawing["files"])
      EXPECT_TRUE(fs::exists(out.Path() / file.get<std::string>())) << file;
  noLeftovers(out.Path());

  ScratchLibrary library(SampleLibrarySql(), "parts.qzlib");
  // Two batches into one folder at once: each writes under names of its own.
  ScratchDir shared;
  ProgramRun both = RunQzdbs(
      {"batch", "--library", library.Path(), "-o", shared.Path().string()}, env,
      {"sh", "-c", "\"$0\" \"$@\" & p=$!; \"$0\" \"$@\"; a=$?; wait $p; exit $((a + $?))"});
  EXPECT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(json::parse(ReadText(shared.Path() / "manifest.json"))["drawn"], 9);
  noLeftovers(shared.Path());
}

}  // namespace
}  // namespace qzdbs::test
