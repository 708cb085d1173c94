// The document as a whole: view roles and placement, layer styles, layers of
// auxiliary entities, and block drawings from the block folder.
#include <gtest/gtest.h>

#include <fstream>

#include "ServerTestSupport.h"
#include "server/document/DocumentBuilder.h"
#include "server/document/Extents.h"
#include "server/document/LayerStyles.h"
#include "server/document/Layout.h"

namespace qzdbs::server::test {
namespace {

TEST(DocumentTest, ViewRolesComeFromTheirNames) {
  const std::pair<const char*, ViewRole> cases[] = {
      {"主视图 全剖 (Front view, full section)", ViewRole::Front},
      {"前视图", ViewRole::Front},
      {"左视图 (Left view)", ViewRole::Left},
      {"Right view", ViewRole::Right},
      {"俯视图", ViewRole::Top},
      {"仰视图", ViewRole::Bottom},
      {"后视图", ViewRole::Rear},
      {"A-A 剖视图 (Section A-A)", ViewRole::Section},
      {"断面图", ViewRole::Section},
      {"B-B", ViewRole::Section},
      {"轴测图 (Isometric view)", ViewRole::Other},
      {"Stop washer", ViewRole::Other},
      {"A-B", ViewRole::Other},
  };
  for (const auto& [name, role] : cases)
    EXPECT_EQ(RoleOfView(name), role) << name;
}

// Views of one 20 x 10 box each, around their base points; where each lands.
// The front view has a line under it, as wide as a designation: the views
// beside it keep their gap from its box, the views below from that line.
TEST(DocumentTest, ViewsStandRoundTheFrontViewInFirstOrThirdAngle) {
  // Each view's lower left corner in first and third angle; the gap is 10, the smallest, and
  // the front view's box spans x 100..120, y 50..60, its line x 100..150 at y 40.
  const struct {
    const char* name;
    Point3 corner[2];
  } views[] = {
      {"俯视图", {{100, 20, 0}, {100, 70, 0}}}, {"Section A-A", {{160, 50, 0}, {160, 50, 0}}},
      {"左视图", {{130, 50, 0}, {70, 50, 0}}},  {"主视图", {{100, 40, 0}, {100, 40, 0}}},
      {"右视图", {{70, 50, 0}, {130, 50, 0}}},  {"仰视图", {{100, 70, 0}, {100, 20, 0}}},
      {"轴测图", {{190, 50, 0}, {190, 50, 0}}}};
  for (const int angle : {0, 1}) {
    SessionBuilder b;
    b.Part().BasePoint({100, 50, 0});
    int32_t id = 0;
    for (const auto& view : views) {
      ++id;
      const DbView at = b.AddView(view.name, id, {5, 5, 0});
      b.AddLine(at, id, {5, 5, 0}, {25, 15, 0});
      if (std::string_view(view.name) == "主视图") b.AddLine(at, 100, {5, -5, 0}, {55, -5, 0});
    }
    BuildOptions options;
    options.projection = angle == 0 ? Projection::FirstAngle : Projection::ThirdAngle;
    Document document = BuildDocument(*b.session, options);
    ASSERT_EQ(document.views.size(), std::size(views));
    for (size_t v = 0; v < document.views.size(); ++v) {
      Extents e = ViewExtents(document.views[v], document);
      EXPECT_NEAR(e.min[0], views[v].corner[angle][0], 1e-9) << views[v].name << angle;
      EXPECT_NEAR(e.min[1], views[v].corner[angle][1], 1e-9) << views[v].name << angle;
    }
  }
}

TEST(DocumentTest, LayerStylesComeFromTheLayersNumberNameOrAFragment) {
  struct Case {
    const char* name;
    int32_t weight;  // with 0.7 mm thick lines
    int32_t color;
    const char* lineType;
  };
  const Case cases[] = {
      {"01 粗实线", 70, 7, "CONTINUOUS"}, {"05", 35, 1, "CENTER"},
      {"05-whatever", 35, 1, "CENTER"},   {"OUTLINE", 70, 7, "CONTINUOUS"},
      {"hidden", 35, 2, "DASHED"},        {"粗点画线", 70, 32, "CENTER"},
      {"Layer 粗点画", 70, 32, "CENTER"}, {"双点画线", 35, 6, "PHANTOM"},
      {"轮廓线", 70, 7, "CONTINUOUS"},    {"孔中心线", 35, 1, "CENTER"},
      {"2D 虚线", 35, 2, "DASHED"},       {"0", 35, 7, "CONTINUOUS"},
      {"100", 35, 7, "CONTINUOUS"},       {"F-辅助", 35, 7, "CONTINUOUS"},
  };
  for (const Case& c : cases) {
    Layer layer = LayerStyleTable::Standard().Style(c.name, 0.7);
    EXPECT_EQ(layer.lineWeight, c.weight) << c.name;
    EXPECT_EQ(layer.color, c.color) << c.name;
    EXPECT_EQ(layer.lineType, c.lineType) << c.name;
  }
  // A table of one's own; its faults name the line.
  LayerStyleTable own = LayerStyleTable::Parse("# mine\n, thick, 4, dashed, KANTE, \n", "own");
  EXPECT_EQ(own.Style("kante", 0.5).lineWeight, 50);
  EXPECT_EQ(own.Style("kante", 0.5).lineType, "DASHED");
  EXPECT_EQ(own.Style("01 粗实线", 0.5).lineWeight, 25);
  const std::pair<const char*, const char*> faults[] = {
      {"01, thick, 7, CONTINUOUS, A", "own:1: a row has 6 fields"},
      {"\n1, thick, 7, CONTINUOUS, A, ", "own:2: the layer number \"1\""},
      {"01, bold, 7, CONTINUOUS, A, ", "own:1: the weight \"bold\""},
      {"01, thick, 300, CONTINUOUS, A, ", "own:1: the colour \"300\""},
      {"01, thick, 7, ZIGZAG, A, ", "own:1: the line type \"ZIGZAG\""},
      {", thick, 7, CONTINUOUS, , ", "own:1: the row names no layer"},
      {"# nothing", "own: the layer style table is empty"},
  };
  for (const auto& [text, message] : faults) {
    try {
      LayerStyleTable::Parse(text, "own");
      ADD_FAILURE() << text;
    } catch (const std::runtime_error& failure) {
      EXPECT_NE(std::string(failure.what()).find(message), std::string::npos) << failure.what();
    }
  }
}

TEST(DocumentTest, AuxiliaryEntitiesGoOnTheViewsLayerThatDoesNotPrint) {
  SessionBuilder b;
  DbView view = b.AddView("F", 1, {0, 0, 0}, "F-辅助");
  b.AddLine(view, 1, {0, 0, 0}, {10, 0, 0}, "粗实线");
  DbLine helper = b.AddLine(view, 2, {0, 0, 0}, {500, 500, 0}, "粗实线");
  helper.IsAssist(true);
  Document document = b.Build();
  EXPECT_EQ(document.views[0].entities.at(1).layer, "F-辅助");
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
  std::ofstream(scratch.Path() / "MARK.DWG")
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
  // A 100-byte drawing whose polyline claims a billion vertices.
  const char* huge =
      "  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n  8\n0\n 90\n1000000000\n 10\n0\n 20\n0\n"
      "  0\nENDSEC\n  0\nEOF\n";
  // A polyline of one vertex more than a polyline may have, each listed.
  std::string longLine = "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\n0\n70\n0\n";
  for (size_t i = 0; i <= kMaxPolylineVertices; ++i)
    longLine += "0\nVERTEX\n8\n0\n10\n" + std::to_string(i) + "\n20\n0\n";
  longLine += "0\nSEQEND\n0\nENDSEC\n0\nEOF\n";
  for (const Case& c :
       {Case{"BINARY", "AC1015\x01\x02 not a drawing", 1}, Case{"NONE", nullptr, 1},
        Case{"../escape", nullptr, 2}, Case{"HUGE", huge, 1}, Case{"LONG", longLine.c_str(), 1}}) {
    if (c.content) std::ofstream(scratch.Path() / (std::string(c.name) + ".DWG")) << c.content;
    Document document = WithBlock(c.name);
    const BlockDefinition* block = document.FindBlock(c.name);
    ASSERT_NE(block, nullptr) << c.name;
    EXPECT_TRUE(block->placeholder) << c.name;
    EXPECT_EQ(block->entities.size(), 4u) << c.name;  // circle, cross, name
    ASSERT_EQ(document.findings.size(), c.findings) << c.name;
    EXPECT_EQ(document.findings[0].code, AuditCode::BlockFile) << c.name;
  }
}

}  // namespace
}  // namespace qzdbs::server::test
