// The DXF export read back by ezdxf, the independent reader: both loaders
// audit the file without errors and find what the document holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "SampleDrawing.h"
#include "server/DrawingServer.h"

namespace qzdbs::server::test {
namespace {

std::string DxfType(const Shape& shape) {
  return std::visit(
      [](const auto& s) -> std::string {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) return "LINE";
        if constexpr (std::is_same_v<T, CircleShape>) return "CIRCLE";
        if constexpr (std::is_same_v<T, ArcShape>) return "ARC";
        if constexpr (std::is_same_v<T, EllipseShape>) return "ELLIPSE";
        if constexpr (std::is_same_v<T, PolylineShape>) return s.is3d ? "POLYLINE" : "LWPOLYLINE";
        if constexpr (std::is_same_v<T, TextShape>) return s.multiline ? "MTEXT" : "TEXT";
        if constexpr (std::is_same_v<T, SolidShape>) return "SOLID";
        if constexpr (std::is_same_v<T, HatchShape>) return "HATCH";
        if constexpr (std::is_same_v<T, DimensionShape>) return "DIMENSION";
        if constexpr (std::is_same_v<T, LeaderShape>) return "LEADER";
        if constexpr (std::is_same_v<T, InsertShape>) return "INSERT";
        return "?";
      },
      shape);
}

std::map<std::string, int> DocumentCounts(const Document& document) {
  std::map<std::string, int> counts;
  for (const View& view : document.views) {
    for (const Entity& entity : view.entities)
      ++counts[DxfType(entity.shape)];
  }
  return counts;
}

class DxfExportTest : public ::testing::Test {
 protected:
  ScratchDir scratch;
};

TEST_F(DxfExportTest, EzdxfReadsEveryEntityOfTheSampleWithoutAuditErrors) {
  SessionBuilder builder;
  FillSamplePart(builder);
  Document document = builder.Build();
  std::filesystem::path file = scratch / "sample.dxf";
  ExportDxf(document, file);

  nlohmann::json seen = InspectWithEzdxf(file);
  EXPECT_EQ(seen["version"], "AC1015");
  EXPECT_TRUE(seen["errors"].empty()) << seen["errors"].dump();
  EXPECT_TRUE(seen["recover_errors"].empty()) << seen["recover_errors"].dump();
  std::map<std::string, int> expected = DocumentCounts(document);
  using Counts = std::map<std::string, int>;
  EXPECT_EQ(seen["counts"].get<Counts>(), expected);
  // Recover mode keeps every dimension: each names its block.
  EXPECT_EQ(seen["recover_counts"].get<Counts>(), expected);
  // Every kind the document knows is in the sample.
  for (const char* kind : {"LINE", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "TEXT",
                           "MTEXT", "HATCH", "DIMENSION", "LEADER", "INSERT"}) {
    EXPECT_GT(expected[kind], 0) << kind;
  }
}

TEST_F(DxfExportTest, MakeBlockPutsThePartIntoOneInsertAndGroupPartGroupsIt) {
  SessionBuilder builder;
  FillSamplePartAsBlock(builder);
  Document document = builder.Build();
  std::filesystem::path file = scratch / "block.dxf";
  ExportDxf(document, file);
  nlohmann::json seen = InspectWithEzdxf(file);
  EXPECT_TRUE(seen["errors"].empty()) << seen["errors"].dump();
  EXPECT_TRUE(seen["recover_errors"].empty()) << seen["recover_errors"].dump();
  EXPECT_EQ(seen["counts"], nlohmann::json({{"INSERT", 1}}));
  ASSERT_EQ(seen["inserts"].size(), 1u);
  EXPECT_EQ(seen["inserts"][0]["block"], "板式平焊法兰");
  std::map<std::string, int> inside =
      seen["blocks"]["板式平焊法兰"].get<std::map<std::string, int>>();
  EXPECT_EQ(inside, DocumentCounts(document));
  // The whole part's group holds its block reference; the library's own group
  // cannot hold entities of a block and is reported instead.
  EXPECT_EQ(seen["groups"], nlohmann::json({{"板式平焊法兰", 1}}));
  EXPECT_TRUE(std::any_of(document.findings.begin(), document.findings.end(),
                          [](const Finding& f) { return f.code == AuditCode::GroupInBlock; }));
}

TEST_F(DxfExportTest, AFailedWriteLeavesTheOldFileInPlace) {
  SessionBuilder builder;
  FillSamplePart(builder);
  Document document = builder.Build();
  std::filesystem::path file = scratch / "kept.dxf";
  { std::ofstream(file) << "old"; }
  // A target in a folder that does not exist cannot be written.
  EXPECT_THROW(ExportDxf(document, scratch / "missing" / "x.dxf"), ExportError);
  ExportDxf(document, file);
  EXPECT_NE(ReadText(file), "old");
  // Nothing but the finished file is left in the folder.
  EXPECT_EQ(FileCount(scratch.Path()), 1);
}

}  // namespace
}  // namespace qzdbs::server::test
