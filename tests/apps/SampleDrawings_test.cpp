// The DXF of each sample part's first, middle and last row as a CAD program
// takes it: ezdxf reads it without an error or a fix, the text style shows
// Chinese, the outline layer is thick, block attributes are shown, the
// extents hold what ezdxf measures, every dashed line shows two dashes, no
// angular dimension is of the 3-point kind LibreCAD leaves out, and each size
// drawn as a block has a block name of its own; and LibreCAD shows every
// dimension text of a few parts. That no text crosses a line
// in any row is checked where every row is drawn, by the library build
// (library/tools/drawcheck.py).
#include <gtest/gtest.h>

#include <fstream>
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

// The block name of a drawing made a block: the name (code 2) of the INSERT
// in its ENTITIES section.
std::string InsertedBlock(const std::filesystem::path& file) {
  const std::string dxf = ReadText(file);
  const size_t insert = dxf.find("\nINSERT\n", dxf.find("\nENTITIES\n"));
  const size_t name = dxf.find("\n  2\n", insert);
  if (insert == std::string::npos || name == std::string::npos) return {};
  return dxf.substr(name + 5, dxf.find('\n', name + 5) - name - 5);
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
    std::set<std::string> picked, blockNames;
    for (size_t pick : {size_t{0}, (rows.size() - 1) / 2, rows.size() - 1}) {
      const std::string row = std::to_string(rows[pick]["row"].get<int>());
      const auto file = out.Path() / ("p" + std::to_string(part) + "-r" + row + ".dxf");
      for (const bool block : {true, false}) {
        std::vector<std::string> args{
            "draw", std::to_string(part), "--library", library, "--row", row, "-o", file.string()};
        if (block) args.insert(args.end(), {"--option", "make-block"});
        ProgramRun drawn = RunQzdbs(args);
        ASSERT_EQ(drawn.status, 0) << "part " << part << " row " << row << ": " << drawn.err;
        if (block) blockNames.insert(InsertedBlock(file));
      }
      picked.insert(row);
      const json seen = InspectWithEzdxf(file);
      EXPECT_TRUE(seen["errors"].empty()) << file << seen["errors"].dump();
      EXPECT_TRUE(seen["fixes"].empty()) << file << seen["fixes"].dump();
      EXPECT_EQ(seen["styles"]["Standard"], json({"gbenor.shx", "gbcbig.shx"})) << file;
      EXPECT_GE(seen["layers"]["01 粗实线"]["lineweight"], 50) << file;
      // A label block shows its values in their places, not an empty frame.
      for (const json& insert : seen["inserts"])
        EXPECT_TRUE(insert["hidden"].empty()) << file << insert.dump();
      // Texts measured one text height a character: a 0.05 mm tolerance
      // for the numbers' rounding.
      const json& extents = seen["extents"];
      for (int i = 0; i < 4; ++i)
        EXPECT_GE((i < 2 ? -1 : 1) * (extents["header"].at(i).get<double>() -
                                      extents["measured"].at(i).get<double>()),
                  -0.05)
            << file << extents.dump();
      EXPECT_TRUE(seen["short_dashes"].empty()) << file << seen["short_dashes"].dump();
      for (const json& dimension : seen["dimensions"])
        EXPECT_NE(dimension["type"], 5) << file << dimension.dump();
    }
    EXPECT_EQ(blockNames.size(), picked.size()) << "part " << part;
    EXPECT_FALSE(blockNames.contains("")) << "part " << part;
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
