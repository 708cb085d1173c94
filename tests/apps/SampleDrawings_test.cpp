// Every row of the sample library drawn as a draftsman signs it: outlines
// thick, no text crossed by a line, an arrow or another text; and the DXF of
// each part's first, middle and last row taken by ezdxf without an error or a
// fix, with a text style that shows Chinese.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "Program.h"
#include "support/Ezdxf.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;

TEST(SampleDrawings, EveryRowPassesTheDraftingChecks) {
  ScratchDir out;
  ProgramRun run = RunQzdbs({"batch", "--library", SampleLibraryPath().string(), "--format",
                             "dxf,json", "-o", out.Path().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const json manifest = json::parse(ReadText(out.Path() / "manifest.json"));
  std::map<int, std::vector<std::string>> stemsOfPart;
  // Parts still being brought into line may cross; none other may, and a
  // listed part that no longer crosses must leave the list.
  std::set<std::string> pending;
  {
    std::istringstream list(ReadText(SourceDir() / "library" / "text-overlap-pending.txt"));
    for (std::string line; std::getline(list, line);)
      if (!line.empty() && line[0] != '#') pending.insert(line);
  }
  std::set<std::string> stillCrossing;
  std::string overlaps;
  int overlapCount = 0;
  for (const json& drawing : manifest["drawings"]) {
    const std::string dxf = drawing["files"][0], file = drawing["files"][1];
    stemsOfPart[drawing["partId"].get<int>()].push_back(dxf);
    const json document = json::parse(ReadText(out.Path() / file))["document"];
    for (const json& finding : document["findings"]) {
      if (finding["code"] != "TEXT_OVERLAP") continue;
      if (pending.count(drawing["part"].get<std::string>())) {
        stillCrossing.insert(drawing["part"].get<std::string>());
        continue;
      }
      if (++overlapCount <= 30)
        overlaps += file + ": " + finding["where"].get<std::string>() + ": " +
                    finding["message"].get<std::string>() + "\n";
    }
    for (const json& layer : document["layers"]) {
      if (layer["name"] == "01 粗实线") {
        EXPECT_GE(layer["lineWeight"], 50) << file;
      }
    }
  }
  EXPECT_EQ(overlapCount, 0) << overlaps;
  for (const std::string& part : pending)
    EXPECT_TRUE(stillCrossing.count(part)) << part << " no longer crosses: take it off the list";

  for (const auto& [part, stems] : stemsOfPart) {
    for (size_t row : {size_t{0}, (stems.size() - 1) / 2, stems.size() - 1}) {
      const json seen = InspectWithEzdxf(out.Path() / stems[row]);
      EXPECT_TRUE(seen["errors"].empty()) << stems[row] << seen["errors"].dump();
      EXPECT_TRUE(seen["fixes"].empty()) << stems[row] << seen["fixes"].dump();
      EXPECT_EQ(seen["styles"]["Standard"], json({"gbenor.shx", "gbcbig.shx"})) << stems[row];
    }
  }
}

// LibreCAD draws a dimension's text itself (it strokes it: no PDF text to
// read back), so a text shows when blanking it in the DXF changes
// LibreCAD's page. LibreCAD 2.2 reads no ordinate dimensions at all; a
// change there (or in the writer) shows as a failure to mend this list.
TEST(SampleDrawings, LibreCadShowsEveryDimensionText) {
  if (RunCommand("command -v librecad >/dev/null && command -v pdftoppm >/dev/null") != 0)
    GTEST_SKIP() << "librecad or pdftoppm is not installed (scripts/install-deps.sh)";
  constexpr int kOrdinate = 6;
  for (const char* part : {"GB/T 5782", "深沟球轴承 60 系列", "PN16 GB/T 9119"}) {
    ProgramRun show = RunQzdbs({"show", part, "--json"});
    ASSERT_EQ(show.status, 0) << show.err;
    std::vector<int> rows;
    const json grid = json::parse(show.out);
    for (const json& row : grid["parameters"]["rows"])
      rows.push_back(row["row"]);
    ASSERT_FALSE(rows.empty()) << part;
    for (int row : {rows.front(), rows[(rows.size() - 1) / 2], rows.back()}) {
      ScratchDir dir;
      ASSERT_EQ(RunQzdbs({"draw", part, "--row", std::to_string(row), "-o", dir.Folder() + "d.dxf"})
                    .status,
                0);
      // The DXF as code and value lines; for each dimension, its type and
      // the line of its text, blanked in a copy of its own.
      std::vector<std::string> lines;
      std::istringstream in(ReadText(dir.Path() / "d.dxf"));
      for (std::string line; std::getline(in, line);)
        lines.push_back(line);
      const auto code = [&](size_t i) { return lines[i].substr(lines[i].find_first_not_of(' ')); };
      struct Dimension {
        int type = 0;
        size_t text = 0;
      };
      std::vector<Dimension> dimensions;
      bool inDimension = false;
      for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (code(i) == "0") {
          inDimension = lines[i + 1] == "DIMENSION";
          if (inDimension) dimensions.push_back({});
        } else if (inDimension && code(i) == "70") {
          dimensions.back().type = std::stoi(lines[i + 1]) & 7;
        } else if (inDimension && code(i) == "1") {
          dimensions.back().text = i + 1;
        }
      }
      ASSERT_FALSE(dimensions.empty()) << part << " row " << row;
      for (size_t d = 0; d < dimensions.size(); ++d) {
        std::vector<std::string> blanked = lines;
        blanked[dimensions[d].text] = " ";
        std::ofstream(dir.Path() / ("d" + std::to_string(d) + ".dxf")) << [&] {
          std::string text;
          for (const auto& line : blanked)
            text += line + "\n";
          return text;
        }();
      }
      std::string output;
      ASSERT_EQ(RunCommand("cd '" + dir.Folder() +
                               "' && QT_QPA_PLATFORM=offscreen timeout 300 librecad dxf2pdf -a "
                               "*.dxf >/dev/null 2>&1 && for f in *.pdf; do pdftoppm -gray -r 50 "
                               "-singlefile \"$f\" \"${f%.pdf}\" || exit 1; done",
                           &output),
                0)
          << output;
      const std::string page = ReadText(dir.Path() / "d.pgm");
      ASSERT_GT(page.size(), 1000u);
      for (size_t d = 0; d < dimensions.size(); ++d) {
        const bool shown = ReadText(dir.Path() / ("d" + std::to_string(d) + ".pgm")) != page;
        EXPECT_EQ(shown, dimensions[d].type != kOrdinate)
            << part << " row " << row << ": the dimension \"" << lines[dimensions[d].text]
            << "\" of type " << dimensions[d].type;
      }
    }
  }
}

}  // namespace
}  // namespace qzdbs::test
