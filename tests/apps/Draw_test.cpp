// qzdbs draw: a part drawn through the selection dialog into a file, and
// the requests it refuses without writing anything.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "Program.h"
#include "host/recording/Recording.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;

// The value of the last set of `member` among the events; null when none.
json LastSet(const std::vector<RecordedEvent>& events, const std::string& member) {
  json value;
  for (const auto& event : events)
    if (event.op == "set" && event.member == member) value = event.value;
  return value;
}

class DrawCommand : public ::testing::Test {
 protected:
  Recording Drawn(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"draw"};
    all.insert(all.end(), args.begin(), args.end());
    all.insert(all.end(), {"-o", File("part.json")});
    ProgramRun run = RunQzdbs(all);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "wrote " + File("part.json") + "\n");
    return Recording::FromJson(json::parse(ReadText(File("part.json"))));
  }
  std::string File(const std::string& name) const { return dir.Folder() + name; }

  ScratchDir dir;
};

TEST_F(DrawCommand, DrawsTheChosenRowWithEveryViewByDefault) {
  Recording drawn = Drawn({"ISO 4014", "--row", "65"});
  EXPECT_EQ(drawn.sessionClass, "QZdbSPart");
  EXPECT_EQ(LastSet(drawn.session, "PartName"),
            "六角头螺栓 GB/T 5782 (ISO 4014) (Hexagon head bolt)");
  ASSERT_EQ(drawn.views.size(), 2u);
  EXPECT_EQ(LastSet(drawn.views[0].events, "Name"), "主视图 (Front view)");
  EXPECT_GT(drawn.views[0].objects.size(), 10u);
  EXPECT_TRUE(drawn.messages.empty());
  EXPECT_EQ(LastSet(drawn.session, "MakeBlock"), false);
}

// --no-view unticks every view: the part drawn whole. The session is told
// the library's full path however it was named.
TEST_F(DrawCommand, NoViewDrawsThePartWholeAndDBPathIsTheFullPath) {
  const auto relative = std::filesystem::relative(SampleLibraryPath());
  Recording drawn = Drawn({"1", "--row", "17", "--no-view", "--library", relative.string()});
  ASSERT_EQ(drawn.views.size(), 2u);
  EXPECT_EQ(LastSet(drawn.views[0].events, "Name"), "PartView1");
  EXPECT_EQ(LastSet(drawn.session, "DBPath"),
            std::filesystem::canonical(SampleLibraryPath()).string());
}

TEST_F(DrawCommand, ViewsOptionsCellsAndScaleAreTheUsersChoices) {
  Recording drawn = Drawn({"1", "--row", "65", "--set", "L=65", "--view", "right", "--option",
                           "make-block", "--option", "零件编组", "--scale", "2"});
  ASSERT_EQ(drawn.views.size(), 1u);
  EXPECT_EQ(LastSet(drawn.views[0].events, "Name"), "右视图 (Right view)");
  EXPECT_EQ(LastSet(drawn.session, "MakeBlock"), true);
  EXPECT_EQ(LastSet(drawn.session, "GroupPart"), true);
  EXPECT_EQ(LastSet(drawn.session, "AllowMove"), false);
  // The input parameters handed to the host carry the typed length.
  const json inputs = LastSet(drawn.session, "InputParameters");
  bool found = false;
  for (const auto& event : inputs["events"])
    if (event["member"] == "Add" && event["value"][1] == "L") found = event["value"][0] == "65";
  EXPECT_TRUE(found) << inputs.dump();
}

// Every command line that asks for something not there or malformed, of
// every command: status 2, the program's own words naming the option, the
// value and what is expected, and no file. "@out" stands for the file or
// folder the row would write.
TEST_F(DrawCommand, MistakesExitTwoSayingWhatIsExpectedAndWriteNothing) {
  ScratchLibrary notALibrary("CREATE TABLE Other (x);", "other.db");
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {{"draw", "nothing", "-o", "@out"},
       "no part \"nothing\"; the parts are: \"六角头螺栓 GB/T 5782 (ISO 4014)"},
      {{"draw", "ISO", "-o", "@out"}, "\"ISO\" names several parts: "},
      {{"draw", "1", "--row", "999", "-o", "@out"}, "no value row 999; the rows are: 1, 2, 3"},
      {{"draw", "1", "--view", "top", "-o", "@out"},
       "no view \"top\"; the views are: \"主视图 (Front view)\" (11), \"右视图 (Right view)\" "
       "(12)"},
      {{"draw", "1", "--set", "Length=5", "-o", "@out"},
       "no parameter \"Length\"; the parameters are: \"Thread\""},
      {{"draw", "1", "--set", "L", "-o", "@out"}, "--set L: give NAME=VALUE"},
      {{"draw", "1", "--set", "=5", "-o", "@out"}, "--set =5: give NAME=VALUE"},
      {{"draw", "1", "--row", "17", "--set", "L=abc", "-o", "@out"},
       "part \"六角头螺栓 GB/T 5782 (ISO 4014) (Hexagon head bolt)\", row 17, column L: \"abc\" is "
       "not a "
       "number"},
      {{"draw", "1", "--option", "shiny", "-o", "@out"},
       "no option \"shiny\"; the options are: remove-dimensions"},
      {{"draw", "1", "--library", "/nonexistent/parts.qzlib", "-o", "@out"},
       "library not found: /nonexistent/parts.qzlib"},
      {{"draw", "1", "--library", dir.Path().string(), "-o", "@out"},
       dir.Path().string() + ": is a folder, not a library file"},
      {{"catalog", "--library", notALibrary.Path()}, notALibrary.Path()},
      {{"draw", "1", "-o", "@out.txt"},
       "the file name must end in one of .dxf, .svg, .png, .pdf, .json"},
      {{"draw", "1", "--row", "abc", "-o", "@out"},
       "qzdbs draw: --row: \"abc\" is not a whole number, e.g. --row 17"},
      {{"draw", "1", "--row", "-o", "@out"}, "qzdbs draw: --row: "},
      {{"show", "1", "--scale", "abc"}, "qzdbs show: --scale: \"abc\" is not a number"},
      {{"draw", "1", "--scale", "0", "-o", "@out"}, "--scale: 0 is not above 0"},
      {{"draw", "1", "--scale", "-1", "-o", "@out"}, "--scale: -1 is not above 0"},
      {{"eval", "1+1", "--scale", "0"}, "qzdbs eval: --scale: 0 is not above 0"},
      {{"batch", "--jobs", "0", "-o", "@out"},
       "qzdbs batch: --jobs: \"0\" is not a whole number of 1 or more, e.g. --jobs 2"},
      {{"batch", "--jobs", "-1", "-o", "@out"}, "--jobs: \"-1\" is not a whole number of 1"},
      {{"draw", "-o", "@out"}, "qzdbs draw: part is required"},
      {{"draw", "1", "--view", "front", "--no-view", "-o", "@out"}, "view excludes --"},
      {{"draw", "1", "extra", "-o", "@out"}, "qzdbs draw: unexpected \"extra\""},
      {{"drow", "1"},
       "qzdbs: no command \"drow\"; the commands are: batch, bom, catalog, draw, eval, "
       "export-library, find, show"},
      {{}, "qzdbs: give a command: batch, bom, catalog, draw, eval, export-library, find, show"},
      {{"bom", File("absent.qzdrawing"), "-o", "@out.csv"},
       "qzdbs bom: cannot read " + File("absent.qzdrawing")},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    std::vector<std::string> written;
    for (std::string& arg : args) {
      if (!arg.starts_with("@out")) continue;
      arg = File("refused" + (arg == "@out" ? std::string(".json") : arg.substr(4)));
      written.push_back(arg);
    }
    ProgramRun run = RunQzdbs(args);
    EXPECT_EQ(run.status, 2) << c.said << "\n" << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    for (const std::string& file : written)
      EXPECT_FALSE(std::filesystem::exists(file)) << c.said;
  }
}

TEST_F(DrawCommand, PartThatIsNotDrawnPrintsTheMessagesAndWritesNothing) {
  ScratchLibrary library(SampleLibrarySql() +
                         "UPDATE QZPartStructureParas SET Expression = 'S.none+1' "
                         "WHERE PartID = 1 AND Name = 'b';");
  ProgramRun run = RunQzdbs({"draw", "1", "--library", library.Path(), "-o", File("failed.json")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("警告： 计算结构参数中有错误\n"), std::string::npos) << run.err;
  // The formula fails in every pass: one line with the count, not one per pass.
  EXPECT_NE(run.err.find("请仔细检查！ (23 times)\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("the part was not drawn"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(File("failed.json")));
}

TEST_F(DrawCommand, BlockFilesGoToTheGivenFolder) {
  const std::string blocks = File("blocks");
  ProgramRun run = RunQzdbs({"draw", "3", "--library", ScratchLibrary(SampleLibrarySql()).Path(),
                             "--block-folder", blocks, "-o", File("flange.json")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(std::filesystem::is_empty(blocks));
}

// What an independent reader finds in a DXF drawing: ezdxf's audit, the
// entities of model space by type, and the texts.
json ReadDxf(const std::string& file) {
  const std::string script =
      "import sys, json, ezdxf\n"
      "from collections import Counter\n"
      "doc = ezdxf.readfile(sys.argv[1])\n"
      "auditor = doc.audit()\n"
      "msp = doc.modelspace()\n"
      "print(json.dumps({'errors': len(auditor.errors),\n"
      "  'types': Counter(e.dxftype() for e in msp),\n"
      "  'texts': [e.dxf.text for e in msp.query('TEXT')]}))\n";
  ScratchDir dir;
  const std::string out = dir.Folder() + "out.json";
  const std::string command =
      "/usr/bin/python3 -c \"" + script + "\" '" + file + "' > '" + out + "'";
  if (std::system(command.c_str()) != 0) return json();
  return json::parse(ReadText(out));
}

TEST_F(DrawCommand, DxfReadsBackWithTheTypedValues) {
  const std::string file = File("bolt.dxf");
  ProgramRun run = RunQzdbs({"draw", "ISO 4014", "--row", "65", "--set", "L=65", "-o", file});
  ASSERT_EQ(run.status, 0) << run.err;
  json dxf = ReadDxf(file);
  ASSERT_TRUE(dxf.is_object()) << "ezdxf could not read " << file;
  EXPECT_EQ(dxf["errors"], 0);
  EXPECT_GT(dxf["types"].value("LINE", 0), 10);
  EXPECT_GE(dxf["types"].value("DIMENSION", 0), 4);
  EXPECT_EQ(dxf["texts"], json::array({R"(\U+87BA\U+6813 GB/T 5782 M12\U+00D765)"}));
}

// Each format written, then again on a disk that takes no more than 4 KiB:
// exit 1 naming the file, the older file byte for byte, no temporary left.
TEST_F(DrawCommand, EveryFormatIsWrittenWhollyOrNotAtAll) {
  struct Case {
    const char* extension;
    std::string starts;
  };
  const Case cases[] = {
      {"dxf", "999\ndxflib"}, {"svg", "<?xml"}, {"png", "\x89PNG"}, {"pdf", "%PDF"}, {"json", "{"}};
  for (const Case& c : cases) {
    const std::string file = File(std::string("washer.") + c.extension);
    ProgramRun run = RunQzdbs({"draw", "GB/T 97.1", "--row", "3", "-o", file});
    ASSERT_EQ(run.status, 0) << c.extension << ": " << run.err;
    const std::string good = ReadText(file);
    EXPECT_EQ(good.substr(0, c.starts.size()), c.starts) << c.extension;
    if (good.size() <= 4096) continue;  // fits even the full disk
    ProgramRun full;
    {
      FileSizeLimit limit(4096);
      full = RunQzdbs({"draw", "1", "--row", "17", "-o", file});
    }
    EXPECT_EQ(full.status, 1) << c.extension;
    EXPECT_NE(full.err.find(file), std::string::npos) << full.err;
    EXPECT_EQ(ReadText(file), good) << c.extension;
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace qzdbs::test
