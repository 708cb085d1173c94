// The document as a whole: what the session holds, view placement, layers
// of auxiliary entities, block drawings from the block folder, the audit and
// the JSON export.
#include <gtest/gtest.h>

#include <fstream>

#include "SampleDrawing.h"
#include "host/recording/Recording.h"
#include "server/DrawingServer.h"
#include "server/document/Extents.h"

namespace qzdbs::server::test {
namespace {

int Count(const Document& document, AuditCode code) {
  return static_cast<int>(std::count_if(document.findings.begin(), document.findings.end(),
                                        [&](const Finding& f) { return f.code == code; }));
}

TEST(DocumentTest, ViewsStandSideBySideWithTheirBasePointsOnTheirInsertionPoints) {
  SessionBuilder b;
  b.Part().BasePoint({100, 50, 0});
  DbView front = b.AddView("F", 1, {5, 5, 0});
  b.AddLine(front, 1, {0, 0, 0}, {40, 20, 0});
  DbView side = b.AddView("S", 2, {-10, 0, 0});
  b.AddLine(side, 1, {-20, -5, 0}, {0, 5, 0});
  Document document = b.Build();
  // The first view's base point lands on the part's base point.
  EXPECT_EQ(document.views[0].insertionPoint, (Point3{100, 50, 0}));
  auto& f = std::get<LineShape>(document.views[0].entities[0].shape);
  EXPECT_EQ(f.start, (Point3{95, 45, 0}));
  // The next one stands the gap (15) right of it, base points level.
  Extents first = ViewExtents(document.views[0], document);
  Extents second = ViewExtents(document.views[1], document);
  EXPECT_DOUBLE_EQ(second.min[0], first.max[0] + 15);
  EXPECT_DOUBLE_EQ(document.views[1].insertionPoint[1], 50);
  auto& s = std::get<LineShape>(document.views[1].entities[0].shape);
  EXPECT_DOUBLE_EQ(s.end[0] - s.start[0], 20);
  EXPECT_DOUBLE_EQ(s.end[1], 50 + 5);
}

TEST(DocumentTest, AuxiliaryEntitiesGoOnTheViewsLayerThatDoesNotPrint) {
  SessionBuilder b;
  DbView view = b.AddView("F", 1, {0, 0, 0}, "F-辅助");
  b.AddLine(view, 1, {0, 0, 0}, {10, 0, 0}, "粗实线");
  DbLine helper = b.AddLine(view, 2, {0, 0, 0}, {500, 500, 0}, "粗实线");
  helper.IsAssist(true);
  Document document = b.Build();
  EXPECT_EQ(EntityByKey(document, "X2").layer, "F-辅助");
  const Layer* assist = document.FindLayer("F-辅助");
  ASSERT_NE(assist, nullptr);
  EXPECT_FALSE(assist->plot);
  EXPECT_TRUE(document.FindLayer("粗实线")->plot);
  EXPECT_EQ(document.FindLayer("粗实线")->lineWeight, 50);
  // What prints stops short of the auxiliary line.
  EXPECT_DOUBLE_EQ(DocumentExtents(document, false).max[0], 10);
  EXPECT_DOUBLE_EQ(DocumentExtents(document, true).max[0], 500);
}

class BlockFolderTest : public ::testing::Test {
 protected:
  Document WithBlock(const std::string& name) {
    SessionBuilder b;
    b.session->Preset("BlockFolder", scratch.Path().string());
    DbView view = b.AddView("V", 1);
    DbBlockDefinition definition = b.Add<DbBlockDefinition>(view, 1);
    definition.BlockName(name);
    DbBlockReference insert = b.Add<DbBlockReference>(view, 2);
    insert.BlockName(name);
    insert.InsertPoint({100, 0, 0});
    insert.ScaleFactor(2);
    insert.Rotation(90);
    return b.Build();
  }
  ScratchDir scratch;
};

TEST_F(BlockFolderTest, ADxfDrawingInTheFolderBecomesTheBlock) {
  // Written by hand: a header with the insertion base and two entities.
  std::ofstream(scratch / "MARK.DWG")
      << "0\nSECTION\n2\nHEADER\n9\n$INSBASE\n10\n1.0\n20\n0.0\n30\n0.0\n0\nENDSEC\n"
         "0\nSECTION\n2\nENTITIES\n"
         "0\nLINE\n8\nMARKS\n10\n1.0\n20\n0.0\n30\n0.0\n11\n6.0\n21\n0.0\n31\n0.0\n"
         "0\nCIRCLE\n8\n0\n62\n1\n10\n1.0\n20\n0.0\n30\n0.0\n40\n2.0\n"
         "0\nENDSEC\n0\nEOF\n";
  Document document = WithBlock("MARK");
  const BlockDefinition* block = document.FindBlock("MARK");
  ASSERT_NE(block, nullptr);
  EXPECT_FALSE(block->placeholder);
  EXPECT_EQ(block->basePoint, (Point3{1, 0, 0}));
  ASSERT_EQ(block->entities.size(), 2u);
  EXPECT_EQ(block->entities[0].layer, "MARKS");
  EXPECT_EQ(block->entities[1].color, 1);
  EXPECT_TRUE(document.findings.empty());
  // Placed: base on the insertion point, doubled, turned a quarter.
  Extents placed = ShapeExtents(document.views[0].entities.at(0).shape, document);
  EXPECT_NEAR(placed.min[0], 96, 1e-9);
  EXPECT_NEAR(placed.max[0], 104, 1e-9);
  EXPECT_NEAR(placed.max[1], 10, 1e-9);
}

TEST_F(BlockFolderTest, AnythingElseLeavesAMarkerAndAFinding) {
  struct Case {
    const char* name;
    const char* content;  // null: no file
    size_t findings;      // "/" is no character of a DXF name: a second finding
  };
  for (const Case& c : {Case{"BINARY", "AC1015\x01\x02 not a drawing", 1}, Case{"NONE", nullptr, 1},
                        Case{"../escape", nullptr, 2}}) {
    if (c.content) std::ofstream(scratch / (std::string(c.name) + ".DWG")) << c.content;
    Document document = WithBlock(c.name);
    const BlockDefinition* block = document.FindBlock(c.name);
    ASSERT_NE(block, nullptr) << c.name;
    EXPECT_TRUE(block->placeholder) << c.name;
    EXPECT_EQ(block->entities.size(), 4u) << c.name;  // circle, cross, name
    ASSERT_EQ(document.findings.size(), c.findings) << c.name;
    EXPECT_EQ(document.findings[0].code, AuditCode::BlockFile) << c.name;
  }
}

TEST(DocumentTest, TheAuditLeavesOutWhatCannotBeDrawnAndMendsTheRest) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  b.AddLine(view, 1, {0, 0, 0}, {10, 0, 0});
  b.AddLine(view, 2, {0, 0, 0}, {std::nan(""), 0, 0});
  b.AddCircle(view, 3, {0, 0, 0}, 0);
  DbPolyline empty = b.Add<DbPolyline>(view, 4);
  (void)empty;
  DbLine noLayer = b.AddLine(view, 5, {0, 0, 0}, {1, 1, 0}, "");
  noLayer.Color(300);
  DbGroup group = b.Add<DbGroup>(view, 6);
  for (int32_t id : {1, 2, 5})
    group.AddEntityID(id);
  Document document = b.Build();
  ASSERT_EQ(document.views[0].entities.size(), 2u);
  EXPECT_EQ(Count(document, AuditCode::Nonfinite), 1);
  EXPECT_EQ(Count(document, AuditCode::ZeroRadius), 1);
  EXPECT_EQ(Count(document, AuditCode::EmptyPolyline), 1);
  EXPECT_EQ(Count(document, AuditCode::LayerEmpty), 1);
  EXPECT_EQ(Count(document, AuditCode::ColorRange), 1);
  const Entity& mended = document.views[0].entities[1];
  EXPECT_EQ(mended.layer, "0");
  EXPECT_EQ(mended.color, 256);
  EXPECT_EQ(document.groups.at(0).members, (std::vector<EntityRef>{{0, 0}, {0, 1}}));
}

TEST(DocumentTest, JsonIsARecordingWithTheDocumentBesideIt) {
  SessionBuilder b;
  FillSamplePart(b);
  Document document = b.Build();
  ScratchDir scratch;
  ExportJson(document, scratch / "part.json");
  nlohmann::json json = nlohmann::json::parse(ReadText(scratch / "part.json"));
  Recording recording = Recording::FromJson(json);
  EXPECT_EQ(recording, Recording::Of(*b.session, {}));
  const nlohmann::json& doc = json.at("document");
  EXPECT_EQ(doc["part"]["name"], "板式平焊法兰");
  EXPECT_EQ(doc["views"].size(), 2u);
  EXPECT_EQ(doc["views"][0]["entities"].size(), document.views[0].entities.size());
  EXPECT_EQ(doc["findings"][0]["code"], "BLOCK_FILE");
  nlohmann::json width;
  for (const nlohmann::json& entity : doc["views"][0]["entities"]) {
    if (entity["key"] == "X11") width = entity;
  }
  EXPECT_EQ(width["class"], "DbRotatedDimension");
  EXPECT_EQ(width["shape"]["measurement"], 60.0);
  EXPECT_EQ(width["shape"]["graphics"]["solids"].size(), 2u);
}

}  // namespace
}  // namespace qzdbs::server::test
