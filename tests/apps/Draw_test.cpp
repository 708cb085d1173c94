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
  Recording drawn = Drawn({"ISO 4014", "--row", "17"});
  EXPECT_EQ(drawn.sessionClass, "QZdbSPart");
  EXPECT_EQ(LastSet(drawn.session, "PartName"), "六角头螺栓 ISO 4014 (Hexagon head bolt)");
  ASSERT_EQ(drawn.views.size(), 2u);
  EXPECT_EQ(LastSet(drawn.views[0].events, "Name"), "主视图 (Front view)");
  EXPECT_GT(drawn.views[0].objects.size(), 10u);
  EXPECT_TRUE(drawn.messages.empty());
  EXPECT_EQ(LastSet(drawn.session, "MakeBlock"), false);
}

TEST_F(DrawCommand, ViewsOptionsCellsAndScaleAreTheUsersChoices) {
  Recording drawn = Drawn({"1", "--row", "17", "--set", "L=65", "--view", "right", "--option",
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

TEST_F(DrawCommand, RefusedRequestsSayWhatIsThereAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {{"nothing"}, "no part \"nothing\"; the parts are: \"六角头螺栓 ISO 4014"},
      {{"ISO"}, "\"ISO\" names several parts: "},
      {{"1", "--row", "99"}, "no value row 99; the rows are: 1, 2, 3"},
      {{"1", "--view", "top"},
       "no view \"top\"; the views are: \"主视图 (Front view)\" (11), \"右视图 (Right view)\" "
       "(12)"},
      {{"1", "--set", "Length=5"}, "no parameter \"Length\"; the parameters are: \"Thread\""},
      {{"1", "--set", "L"}, "--set L: give NAME=VALUE"},
      {{"1", "--set", "=5"}, "--set =5: give NAME=VALUE"},
      {{"1", "--option", "shiny"}, "no option \"shiny\"; the options are: remove-dimensions"},
      {{"1", "--library", "/nonexistent/parts.qzlib"},
       "library not found: /nonexistent/parts.qzlib"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"draw"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", File("refused.json")});
    ProgramRun run = RunQzdbs(args);
    EXPECT_EQ(run.status, 2) << c.said;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(File("refused.json"))) << c.said;
  }
  ProgramRun run = RunQzdbs({"draw", "1", "-o", File("part.txt")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("the file name must end in one of .dxf, .svg, .png, .pdf, .json"),
            std::string::npos)
      << run.err;
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
  ProgramRun run = RunQzdbs({"draw", "ISO 4014", "--row", "17", "--set", "L=65", "-o", file});
  ASSERT_EQ(run.status, 0) << run.err;
  json dxf = ReadDxf(file);
  ASSERT_TRUE(dxf.is_object()) << "ezdxf could not read " << file;
  EXPECT_EQ(dxf["errors"], 0);
  EXPECT_GT(dxf["types"].value("LINE", 0), 10);
  EXPECT_GE(dxf["types"].value("DIMENSION", 0), 4);
  EXPECT_EQ(dxf["texts"], json::array({"Hexagon head bolt ISO 4014 - M12 x 65 - 8.8"}));
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
    ProgramRun run = RunQzdbs({"draw", "washer", "--row", "3", "-o", file});
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
