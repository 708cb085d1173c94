// Dimensions: what each kind measures and shows, where its lines, arrowheads
// and text go, and how tolerances are written.
#include <gtest/gtest.h>

#include <functional>

#include "ServerTestSupport.h"
#include "server/Geometry.h"
#include "server/document/DocumentBuilder.h"
#include "server/text/AnnotationText.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server::test {
namespace {

// Text and tolerance members as the engine sets them for a plain dimension.
void Plain(const DbDimension& dim, const std::string& text, int32_t dimdec = 1) {
  dim.TextString(text);
  dim.dimdec(dimdec);
  dim.HasFirstArr(true);
  dim.HasSecondArr(true);
  dim.HasFirstLine(true);
  dim.HasSecondLine(true);
}

struct KindCase {
  const char* name;
  std::function<void(SessionBuilder&, const DbView&)> add;
  double measurement;
  std::string text;
};

void PrintTo(const KindCase& c, std::ostream* os) {
  *os << c.name;
}

class DimensionKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(DimensionKindTest, MeasuresAndWritesItsValue) {
  const KindCase& c = GetParam();
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  c.add(b, view);
  Document document = b.Build();
  ASSERT_EQ(document.views[0].entities.size(), 1u);
  auto& dim = std::get<DimensionShape>(document.views[0].entities[0].shape);
  EXPECT_NEAR(dim.measurement, c.measurement, 1e-9);
  EXPECT_EQ(PlainText(dim.text), c.text);
  ASSERT_EQ(dim.graphics.texts.size(), 1u);
  EXPECT_EQ(dim.graphics.texts[0].runs, dim.text);
  EXPECT_TRUE(document.findings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DimensionKindTest,
    ::testing::Values(KindCase{"rotated_horizontal",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbRotatedDimension>(v, 1);
                                 d.ExtLine1Point({0, 0, 0});
                                 d.ExtLine2Point({30, 10, 0});
                                 d.DimLinePoint({0, -10, 0});
                                 d.Rotation(0);
                                 Plain(d, "<>");
                               },
                               30, "30"},
                      KindCase{"rotated_vertical",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbRotatedDimension>(v, 1);
                                 d.ExtLine1Point({0, 0, 0});
                                 d.ExtLine2Point({30, 10, 0});
                                 d.DimLinePoint({40, 0, 0});
                                 d.Rotation(90);
                                 Plain(d, "<>");
                               },
                               10, "10"},
                      KindCase{"aligned",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbAlignedDimension>(v, 1);
                                 d.ExtLine1Point({0, 0, 0});
                                 d.ExtLine2Point({30, 40, 0});
                                 d.DimLinePoint({-8, 6, 0});
                                 Plain(d, "<>");
                               },
                               50, "50"},
                      KindCase{"diametric",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbDiametricDimension>(v, 1);
                                 d.CenterPoint({0, 0, 0});
                                 d.Radius(12.5);
                                 d.TextPosition({3, 4, 0});
                                 Plain(d, "<>");
                               },
                               25, "Ø25"},
                      KindCase{"radial",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbRadialDimension>(v, 1);
                                 d.CenterPoint({0, 0, 0});
                                 d.Radius(7.25);
                                 d.TextPosition({20, 0, 0});
                                 Plain(d, "<>", 2);
                               },
                               7.25, "R7.25"},
                      KindCase{"three_point_angular",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<Db3PointAngularDimension>(v, 1);
                                 d.AngleVertPoint({0, 0, 0});
                                 d.ExtLine1EndPoint({10, 0, 0});
                                 d.ExtLine2EndPoint({5, 5 * std::sqrt(3.0), 0});
                                 d.ArcPoint({8, 3, 0});
                                 Plain(d, "<>");
                               },
                               60, "60°"},
                      // The arc point outside the sector takes the angle the other way round.
                      KindCase{"three_point_reflex",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<Db3PointAngularDimension>(v, 1);
                                 d.AngleVertPoint({0, 0, 0});
                                 d.ExtLine1EndPoint({10, 0, 0});
                                 d.ExtLine2EndPoint({0, 10, 0});
                                 d.ArcPoint({-8, -8, 0});
                                 Plain(d, "<>");
                               },
                               270, "270°"},
                      KindCase{"two_line_angular",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<Db2LineAngularDimension>(v, 1);
                                 d.ExtLine1StartPoint({0, 0, 0});
                                 d.ExtLine1EndPoint({10, 0, 0});
                                 d.ExtLine2StartPoint({0, 0, 0});
                                 d.ExtLine2EndPoint({10, 10 / std::sqrt(3.0), 0});
                                 d.ArcPoint({12, 3, 0});
                                 Plain(d, "<>");
                               },
                               30, "30°"},
                      // The arc point in the neighbouring quadrant measures the supplement.
                      KindCase{"two_line_supplement",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<Db2LineAngularDimension>(v, 1);
                                 d.ExtLine1StartPoint({0, 0, 0});
                                 d.ExtLine1EndPoint({10, 0, 0});
                                 d.ExtLine2StartPoint({0, 0, 0});
                                 d.ExtLine2EndPoint({10, 10 / std::sqrt(3.0), 0});
                                 d.ArcPoint({-12, 3, 0});
                                 Plain(d, "<>");
                               },
                               150, "150°"},
                      KindCase{"ordinate_y",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbOrdinateDimension>(v, 1);
                                 d.DefiningPoint({8, 15, 0});
                                 d.Origin({8, 0, 0});
                                 d.LeaderEndPoint({20, 18, 0});
                                 d.useXYAxis(0);
                                 Plain(d, "<>");
                               },
                               15, "15"},
                      KindCase{"ordinate_x",
                               [](SessionBuilder& b, const DbView& v) {
                                 auto d = b.Add<DbOrdinateDimension>(v, 1);
                                 d.DefiningPoint({-12, 5, 0});
                                 d.Origin({0, 0, 0});
                                 d.LeaderEndPoint({-12, 20, 0});
                                 d.useXYAxis(1);
                                 Plain(d, "<>");
                               },
                               12, "12"}),
    [](const ::testing::TestParamInfo<KindCase>& param) { return std::string(param.param.name); });

// A horizontal dimension of 60 between (-30, -20) and (30, -20), its line at y = -32.
Document Horizontal(const std::function<void(const DbRotatedDimension&)>& adjust = {}) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  auto d = b.Add<DbRotatedDimension>(view, 1);
  d.ExtLine1Point({-30, -20, 0});
  d.ExtLine2Point({30, -20, 0});
  d.DimLinePoint({0, -32, 0});
  d.TextPosition({0, -32, 0});
  d.Rotation(0);
  Plain(d, "<>");
  if (adjust) adjust(d);
  return b.Build();
}

const DimensionShape& FirstDimension(const Document& document) {
  return std::get<DimensionShape>(document.views[0].entities.at(0).shape);
}

TEST(DimensionTest, ALinearDimensionIsDrawnTheWayTheDraftingStandardDrawsIt) {
  Document document = Horizontal();
  const DimensionShape& dim = FirstDimension(document);
  const Sketch& g = dim.graphics;
  // Two extension lines from the feature down to 2 mm past the line, and the
  // dimension line between them.
  ASSERT_EQ(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[0].start, (Point3{-30, -20, 0}));
  EXPECT_EQ(g.lines[0].end, (Point3{-30, -34, 0}));
  EXPECT_EQ(g.lines[1].start, (Point3{30, -20, 0}));
  EXPECT_EQ(g.lines[1].end, (Point3{30, -34, 0}));
  EXPECT_EQ(g.lines[2].start, (Point3{-30, -32, 0}));
  EXPECT_EQ(g.lines[2].end, (Point3{30, -32, 0}));
  // Closed arrowheads 3 mm long with their tips on the extension lines,
  // pointing outwards.
  ASSERT_EQ(g.solids.size(), 2u);
  EXPECT_EQ(g.solids[0].corners[0], (Point3{-30, -32, 0}));
  EXPECT_NEAR(g.solids[0].corners[1][0], -27, 1e-9);
  EXPECT_EQ(g.solids[1].corners[0], (Point3{30, -32, 0}));
  EXPECT_NEAR(g.solids[1].corners[1][0], 27, 1e-9);
  // The text 3.5 mm high, centred on the line and standing 1 mm above it.
  ASSERT_EQ(g.texts.size(), 1u);
  const TextShape& text = g.texts[0];
  EXPECT_EQ(text.height, 3.5);
  EXPECT_EQ(text.attachment, 8);
  EXPECT_EQ(text.position, (Point3{0, -31, 0}));
  EXPECT_EQ(text.rotation, 0);
  EXPECT_NEAR(dim.textMid[1], -31 + 3.5 / 2, 1e-9);
}

TEST(DimensionTest, ArrowsGoOutsideWhenTheSpanIsTooShortForThem) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  auto d = b.Add<DbRotatedDimension>(view, 1);
  d.ExtLine1Point({0, 0, 0});
  d.ExtLine2Point({6, 0, 0});
  d.DimLinePoint({0, -10, 0});
  Plain(d, "<>");
  Document document = b.Build();
  const Sketch& g = FirstDimension(document).graphics;
  ASSERT_EQ(g.solids.size(), 2u);
  // The first arrowhead's base lies left of its tip: it points inwards.
  EXPECT_EQ(g.solids[0].corners[0], (Point3{0, -10, 0}));
  EXPECT_NEAR(g.solids[0].corners[1][0], -3, 1e-9);
  EXPECT_NEAR(g.solids[1].corners[1][0], 9, 1e-9);
  // The dimension line runs on past both arrows; the text "6" fits between
  // the extension lines.
  EXPECT_NEAR(g.lines.back().start[0], -6, 1e-9);
  EXPECT_NEAR(g.lines.back().end[0], 12, 1e-9);
  EXPECT_NEAR(g.texts[0].position[0], 3, 1e-9);
}

TEST(DimensionTest, VerticalTextReadsFromTheRightSideOfTheDrawing) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  auto d = b.Add<DbAlignedDimension>(view, 1);
  d.ExtLine1Point({30, 20, 0});
  d.ExtLine2Point({30, -20, 0});
  d.DimLinePoint({42, 0, 0});
  Plain(d, "<>");
  Document document = b.Build();
  const TextShape& text = FirstDimension(document).graphics.texts.at(0);
  // Turned a quarter (not three quarters), so it stands left of the line.
  EXPECT_NEAR(text.rotation, 90, 1e-9);
  EXPECT_NEAR(text.position[0], 41, 1e-9);
}

TEST(DimensionTest, SwitchesDropArrowsAndExtensionLines) {
  Document document = Horizontal([](const DbRotatedDimension& d) {
    d.HasFirstArr(false);
    d.HasSecondLine(false);
  });
  const Sketch& g = FirstDimension(document).graphics;
  EXPECT_EQ(g.solids.size(), 1u);
  EXPECT_EQ(g.lines.size(), 2u);
  EXPECT_EQ(g.solids[0].corners[0], (Point3{30, -32, 0}));
}

struct TextCase {
  const char* name;
  std::function<void(const DbRotatedDimension&)> set;
  std::string expected;
};

TEST(DimensionTest, TheTextTakesValueCodeDeviationsAndFollowText) {
  std::vector<TextCase> cases = {
      {"measured", [](const DbRotatedDimension&) {}, "60"},
      {"literal", [](const DbRotatedDimension& d) { d.TextString("M12x1.5"); }, "M12x1.5"},
      {"value inside text", [](const DbRotatedDimension& d) { d.TextString("2x<>"); }, "2x60"},
      {"symbol codes", [](const DbRotatedDimension& d) { d.TextString("%%c<>%%p"); }, "Ø60±"},
      {"code only",
       [](const DbRotatedDimension& d) {
         d.isHaveTolCode(true);
         d.str_DimTolNo("H7");
       },
       "60H7"},
      {"deviations stacked",
       [](const DbRotatedDimension& d) {
         d.isHaveTolVal(true);
         d.fTopTol(0.03);
         d.fBottomTol(-0.012);
       },
       "60+0.030/-0.012"},
      {"code and deviations",
       [](const DbRotatedDimension& d) {
         d.isHaveTolCode(true);
         d.str_DimTolNo("js11");
         d.isHaveTolVal(true);
         d.fTopTol(0.095);
         d.fBottomTol(-0.095);
       },
       "60js11(±0.095)"},
      {"zero deviation",
       [](const DbRotatedDimension& d) {
         d.isHaveTolVal(true);
         d.fTopTol(0.021);
         d.fBottomTol(0);
       },
       "60+0.021/0"},
      {"follow text",
       [](const DbRotatedDimension& d) {
         d.isHaveFollow(true);
         d.str_DimFollow("（参考）");
       },
       "60（参考）"},
      {"follow text switched off", [](const DbRotatedDimension& d) { d.str_DimFollow("x"); }, "60"},
  };
  for (const TextCase& c : cases) {
    Document document = Horizontal(c.set);
    EXPECT_EQ(PlainText(FirstDimension(document).text), c.expected) << c.name;
  }
}

TEST(DimensionTest, DecimalsRoundAndDropTrailingZeros) {
  struct Case {
    double width;
    int32_t dimdec;
    const char* expected;
  };
  for (const Case& c : {Case{60, 2, "60"}, Case{12.345, 2, "12.35"}, Case{12.5, 0, "13"},
                        Case{0.125, 3, "0.125"}, Case{7.04, 1, "7"}}) {
    Document document = Horizontal([&](const DbRotatedDimension& d) {
      d.ExtLine1Point({0, -20, 0});
      d.ExtLine2Point({c.width, -20, 0});
      d.dimdec(c.dimdec);
    });
    EXPECT_EQ(PlainText(FirstDimension(document).text), c.expected) << c.width;
  }
}

TEST(DimensionTest, CalcToleranceTakesTheDeviationsOfTheCode) {
  auto toleranced = [](const std::string& code, double nominal) {
    return Horizontal([&](const DbRotatedDimension& d) {
      d.TextString(FormatMeasure(nominal, 3));
      d.Measurement(nominal);
      d.isHaveTolCode(true);
      d.str_DimTolNo(code);
      d.isHaveTolVal(true);
      d.fTopTol(0.5);
      d.fBottomTol(0.1);
      d.CalcTolerance();
    });
  };
  // ISO 286-2: H7 over 18 up to 30 mm is +21 µm / 0; g6 over 6 up to 10 mm
  // is -5 / -14 µm.
  Document h7 = toleranced("H7", 20);
  EXPECT_EQ(PlainText(FirstDimension(h7).text), "20H7(+0.021/0)");
  EXPECT_TRUE(h7.findings.empty());
  EXPECT_EQ(PlainText(FirstDimension(toleranced("g6", 10)).text), "10g6(-0.005/-0.014)");
  // A code the standard does not know keeps the stored deviations, and says so.
  Document unknown = toleranced("Q99", 20);
  EXPECT_EQ(PlainText(FirstDimension(unknown).text), "20Q99(+0.5/+0.1)");
  ASSERT_EQ(unknown.findings.size(), 1u);
  EXPECT_EQ(unknown.findings[0].code, AuditCode::Tolerance);
  // Without the engine's call the stored deviations are shown as they are.
  Document stored = Horizontal([](const DbRotatedDimension& d) {
    d.isHaveTolCode(true);
    d.str_DimTolNo("H7");
    d.isHaveTolVal(true);
    d.fTopTol(0.5);
    d.fBottomTol(0.1);
  });
  EXPECT_EQ(PlainText(FirstDimension(stored).text), "60H7(+0.5/+0.1)");
}

TEST(DimensionTest, ADimensionWithoutMeasurementIsReportedAndDrawsNothing) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  auto d = b.Add<DbAlignedDimension>(view, 1);
  d.ExtLine1Point({5, 5, 0});
  d.ExtLine2Point({5, 5, 0});
  d.DimLinePoint({0, 0, 0});
  Plain(d, "<>");
  Document document = b.Build();
  EXPECT_TRUE(FirstDimension(document).graphics.Empty());
  ASSERT_EQ(document.findings.size(), 1u);
  EXPECT_EQ(document.findings[0].code, AuditCode::DimDegenerate);
  EXPECT_EQ(document.findings[0].where, "view V, X1 DbAlignedDimension");
}

TEST(DimensionTest, RemoveDimensionLeavesThemOut) {
  SessionBuilder b;
  b.Part().RemoveDimension(true);
  DbView view = b.AddView("V", 1);
  b.AddLine(view, 1, {0, 0, 0}, {10, 0, 0});
  auto d = b.Add<DbAlignedDimension>(view, 2);
  d.ExtLine1Point({0, 0, 0});
  d.ExtLine2Point({10, 0, 0});
  d.DimLinePoint({0, -5, 0});
  DbGroup group = b.Add<DbGroup>(view, 3);
  group.AddEntityID(1);
  group.AddEntityID(2);
  Document document = b.Build();
  ASSERT_EQ(document.views[0].entities.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<LineShape>(document.views[0].entities[0].shape));
  // The group keeps what is left.
  EXPECT_EQ(document.groups.at(0).members, (std::vector<EntityRef>{{0, 0}}));
}

TEST(DimensionTest, TheDrawingScaleScalesTheStyleSizes) {
  SessionBuilder b;
  b.session->Preset("DrawScale", 2.0);
  DbView view = b.AddView("V", 1);
  auto d = b.Add<DbRotatedDimension>(view, 1);
  d.ExtLine1Point({0, 0, 0});
  d.ExtLine2Point({100, 0, 0});
  d.DimLinePoint({0, -20, 0});
  Plain(d, "<>");
  Document document = b.Build();
  const Sketch& g = FirstDimension(document).graphics;
  EXPECT_EQ(g.texts.at(0).height, 7.0);
  EXPECT_NEAR(g.solids.at(0).corners[1][0], 6, 1e-9);
}

}  // namespace
}  // namespace qzdbs::server::test
