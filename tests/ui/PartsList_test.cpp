// The parts list of a studio drawing and the drawing file it is read from.
#include "ui/PartsList.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using ui::PlacedPart;

PlacedPart Bolt(const std::string& length, const std::string& mass) {
  PlacedPart part;
  part.library = "/libraries/metric-parts.qzlib";
  part.partID = 1;
  part.name = "六角头螺栓 ISO 4014";
  part.values = {{"Thread", "M12"}, {"L", length}};
  part.properties = {{"Standard", "ISO 4014:2011"},
                     {"Designation", "Hexagon head bolt ISO 4014 - M12 x " + length + " - 8.8"},
                     {"Material", "钢 Steel, property class 8.8"},
                     {"Mass", mass}};
  part.views = {"主视图 (Front view)"};
  part.options = {false, false, false, true, false};
  return part;
}

TEST(PartsList, EqualPartsAreCountedTogetherInTheOrderFirstInserted) {
  PlacedPart unnamed;
  unnamed.name = "Pin";
  unnamed.properties = {{"Name", "圆柱销"}, {"Material", "Steel, \"hardened\""}};
  const auto rows = ui::BuildPartsList(
      {Bolt("60", "0.0723"), unnamed, Bolt("60", "0.0723"), Bolt("65", "0.077")});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].number, 1);
  EXPECT_EQ(rows[0].code, "ISO 4014:2011");
  EXPECT_EQ(rows[0].name, "Hexagon head bolt ISO 4014 - M12 x 60 - 8.8");
  EXPECT_EQ(rows[0].quantity, 2);
  EXPECT_EQ(rows[0].unitMass, "0.072");
  EXPECT_EQ(rows[0].totalMass, "0.145");
  EXPECT_EQ(rows[1].name, "圆柱销");  // no designation: the Name property
  EXPECT_EQ(rows[1].totalMass, "");
  EXPECT_EQ(rows[2].number, 3);
  EXPECT_EQ(rows[2].quantity, 1);

  const std::string csv = ui::PartsListCsv(rows);
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(csv.substr(3, csv.find("\r\n") - 3), "序号,代号,名称,数量,材料,单件质量,总计质量,备注");
  EXPECT_NE(csv.find("\r\n2,,圆柱销,1,\"Steel, \"\"hardened\"\"\",,,\r\n"), std::string::npos)
      << csv;
}

TEST(StudioDrawing, ReadsBackWhatWasWrittenAndNamesAFileItCannotRead) {
  ScratchDir dir;
  const auto file = dir.Path() / "assembly.qzdrawing";
  const std::vector<PlacedPart> parts = {Bolt("60", "0.0723"), Bolt("65", "0.077")};
  ui::WriteStudioDrawing(file, parts);
  EXPECT_EQ(ui::ReadStudioDrawing(file), parts);

  struct Case {
    const char* text;
    const char* said;
  };
  const Case cases[] = {
      {"not json", "parse error"},
      {R"({"format": "other", "parts": []})", "not a studio drawing"},
      {R"({"format": "qzdbs-studio-drawing", "version": 9, "parts": []})", "newer studio"},
      {R"({"format": "qzdbs-studio-drawing", "parts": [{"partId": 1}]})", "library"},
  };
  for (const Case& c : cases) {
    std::ofstream(file) << c.text;
    try {
      ui::ReadStudioDrawing(file);
      ADD_FAILURE() << c.text;
    } catch (const std::runtime_error& failure) {
      const std::string what = failure.what();
      EXPECT_EQ(what.find(file.string() + ": "), 0u) << what;
      EXPECT_NE(what.find(c.said), std::string::npos) << what;
    }
  }
}

}  // namespace
}  // namespace qzdbs::test
