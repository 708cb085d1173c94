// Hatches: boundary loops chained from the named entities, and pattern lines
// that stay inside the outer loop and outside the inner ones.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ServerTestSupport.h"
#include "server/Geometry.h"
#include "server/document/DocumentBuilder.h"
#include "server/document/Hatch.h"

namespace qzdbs::server::test {
namespace {

// Even-odd inside test against the hatch's flattened loops.
bool Inside(const HatchShape& hatch, const Point3& p) {
  bool inside = false;
  for (const BoundaryLoop& loop : hatch.loops) {
    const auto& poly = loop.polygon;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      if ((poly[i][1] > p[1]) != (poly[j][1] > p[1]) &&
          p[0] < (poly[j][0] - poly[i][0]) * (p[1] - poly[i][1]) / (poly[j][1] - poly[i][1]) +
                     poly[i][0]) {
        inside = !inside;
      }
    }
  }
  return inside;
}

double FillLength(const HatchShape& hatch) {
  double total = 0;
  for (const LineShape& line : hatch.fill)
    total += Distance(line.start, line.end);
  return total;
}

// A 20 x 20 square of four lines (given in a jumbled order and direction),
// optionally with a hole of radius 6 at its centre.
Document SquareHatch(const std::string& pattern, bool hole, double scale = 1) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  b.AddLine(view, 1, {0, 0, 0}, {20, 0, 0});
  b.AddLine(view, 2, {0, 20, 0}, {20, 20, 0});
  b.AddLine(view, 3, {20, 20, 0}, {20, 0, 0});
  b.AddLine(view, 4, {0, 0, 0}, {0, 20, 0});
  b.AddCircle(view, 5, {10, 10, 0}, 6);
  DbHatch hatch = b.Add<DbHatch>(view, 6);
  hatch.PatternName(pattern);
  hatch.PatternScale(scale);
  for (int32_t id : {1, 2, 3, 4})
    hatch.AddOuterLoopEntity(id);
  if (hole) hatch.AddInnerLoopEntity(5);
  return b.Build();
}

const HatchShape& HatchOf(const Document& document) {
  return std::get<HatchShape>(document.views[0].entities.back().shape);
}

TEST(HatchTest, PatternLinesFillTheRegionAndAvoidItsHoles) {
  for (bool hole : {false, true}) {
    Document document = SquareHatch("ANSI31", hole);
    const HatchShape& hatch = HatchOf(document);
    ASSERT_EQ(hatch.loops.size(), hole ? 2u : 1u);
    EXPECT_EQ(hatch.loops[0].vertices.size(), 4u);
    ASSERT_FALSE(hatch.fill.empty());
    for (const LineShape& line : hatch.fill) {
      EXPECT_TRUE(Inside(hatch, Midpoint(line.start, line.end)));
      if (hole) {
        EXPECT_GT(Distance(Midpoint(line.start, line.end), {10, 10, 0}), 6 - 1e-6);
      }
      // 45 degree lines.
      EXPECT_NEAR(std::fabs(line.end[0] - line.start[0]), std::fabs(line.end[1] - line.start[1]),
                  1e-6);
    }
    // Area over spacing: the length of lines a region of that area holds, give
    // or take the lines' discrete steps.
    double area = 400 - (hole ? std::numbers::pi * 36 : 0);
    EXPECT_NEAR(FillLength(hatch), area / 3.175, area / 3.175 * 0.08) << hole;
    EXPECT_TRUE(document.findings.empty());
  }
}

TEST(HatchTest, ScaleWidensTheSpacingAndANet_CrossesIt) {
  double single = FillLength(HatchOf(SquareHatch("ANSI31", false)));
  EXPECT_NEAR(FillLength(HatchOf(SquareHatch("ANSI31", false, 2))), single / 2, single * 0.06);
  EXPECT_NEAR(FillLength(HatchOf(SquareHatch("ANSI37", false))), single * 2, single * 0.06);
}

TEST(HatchTest, ArcsBoundWithTheirBulge) {
  // A half disc: an arc over the top and its diameter.
  std::vector<BoundaryPiece> pieces(2);
  ASSERT_TRUE(BoundaryPieceOf(ArcShape{{0, 0, 0}, 10, 0, 180}, pieces[0]));
  ASSERT_TRUE(BoundaryPieceOf(LineShape{{-10, 0, 0}, {10, 0, 0}}, pieces[1]));
  int open = 0;
  std::vector<BoundaryLoop> loops = ChainLoops(pieces, true, open);
  EXPECT_EQ(open, 0);
  ASSERT_EQ(loops.size(), 1u);
  ASSERT_EQ(loops[0].bulges.size(), 2u);
  EXPECT_NEAR(loops[0].bulges[0], 1.0, 1e-12);  // a half turn counter-clockwise
  double area = 0;
  const auto& poly = loops[0].polygon;
  for (size_t i = 0; i < poly.size(); ++i)
    area += Cross(poly[i], poly[(i + 1) % poly.size()]);
  EXPECT_NEAR(std::fabs(area) / 2, std::numbers::pi * 50, 0.5);
  EXPECT_FALSE(BoundaryPieceOf(TextShape{}, pieces[0]));
}

}  // namespace
}  // namespace qzdbs::server::test
