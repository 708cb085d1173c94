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

// Each job has its own engine state: what a drawing holds does not depend on
// the thread that drew it or on what that thread drew before. (The JSON also
// names each job's scratch folder for block files; its views do not.) The
// names and the manifest are in tests/data/apps.
TEST(BatchCommand, DrawingsAreTheSameWhateverTheJobs) {
  ScratchLibrary library(SampleLibrarySql(), "parts.qzlib");
  ScratchDir one, two;
  for (const auto& [jobs, out] : {std::pair{"1", &one}, std::pair{"2", &two}}) {
    ProgramRun run = RunQzdbs({"batch", "--library", library.Path(), "--jobs", jobs, "--format",
                               "dxf,json", "-o", out->Path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
  }
  const std::set<std::string> names = FilesIn(one.Path());
  EXPECT_EQ(FilesIn(two.Path()), names);
  EXPECT_EQ(names.size(), 19u);
  for (const auto& name : names) {
    if (name.ends_with(".dxf")) {
      EXPECT_EQ(ReadText(one.Path() / name), ReadText(two.Path() / name)) << name;
    } else if (name != "manifest.json") {
      EXPECT_EQ(json::parse(ReadText(one.Path() / name))["document"]["views"],
                json::parse(ReadText(two.Path() / name))["document"]["views"])
          << name;
    }
  }
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
  // A drawing that SIGTERM stops (sent before the program starts, blocked, so
  // that it always arrives while the program is at work): no file, 130.
  const fs::path stoppedFile = out.Path() / "stopped.dxf";
  ProgramRun stopped = RunQzdbs({"draw", "1", "--row", "17", "-o", stoppedFile.string()}, env,
                                {"python3", "-c",
                                 "import os, signal, sys\n"
                                 "signal.pthread_sigmask(signal.SIG_BLOCK, [signal.SIGTERM])\n"
                                 "os.kill(os.getpid(), signal.SIGTERM)\n"
                                 "os.execv(sys.argv[1], sys.argv[1:])"});
  EXPECT_EQ(stopped.status, 130) << stopped.err;
  EXPECT_NE(stopped.err.find("interrupted before writing"), std::string::npos) << stopped.err;
  EXPECT_FALSE(fs::exists(stoppedFile));
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
