// Transforms: their results checked numerically, the arrays' item rules, and
// how a transform sees the copies of earlier ones.
#include <gtest/gtest.h>

#include <functional>

#include "ServerTestSupport.h"
#include "server/Geometry.h"
#include "server/document/DocumentBuilder.h"

namespace qzdbs::server::test {
namespace {

constexpr double kTol = 1e-9;

void ExpectPoint(const Point3& actual, const Point3& expected, const std::string& what) {
  EXPECT_NEAR(actual[0], expected[0], kTol) << what;
  EXPECT_NEAR(actual[1], expected[1], kTol) << what;
}

// The centres of the circles of the first view, in order.
std::vector<Point3> CircleCentres(const Document& document) {
  std::vector<Point3> centres;
  for (const Entity& e : document.views[0].entities) {
    if (auto* c = std::get_if<CircleShape>(&e.shape)) centres.push_back(c->center);
  }
  return centres;
}

struct ArrayCase {
  const char* name;
  std::function<void(SessionBuilder&, const DbView&)> addTransform;  // names entity 1
  std::vector<Point3> centres;  // the original first, then the copies in order
};

void PrintTo(const ArrayCase& c, std::ostream* os) {
  *os << c.name;
}

class ArrayTest : public ::testing::TestWithParam<ArrayCase> {};

TEST_P(ArrayTest, ItemsLandWhereTheRulesPutThem) {
  const ArrayCase& c = GetParam();
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  b.AddCircle(view, 1, {10, 0, 0}, 1);
  c.addTransform(b, view);
  Document document = b.Build();
  std::vector<Point3> centres = CircleCentres(document);
  ASSERT_EQ(centres.size(), c.centres.size());
  for (size_t i = 0; i < centres.size(); ++i) {
    ExpectPoint(centres[i], c.centres[i], std::string(c.name) + " item " + std::to_string(i + 1));
  }
  EXPECT_TRUE(document.findings.empty());
}

DbPolarArray Polar(SessionBuilder& b, const DbView& view, int32_t items, double sweep,
                   bool rotateEach) {
  DbPolarArray array = b.Add<DbPolarArray>(view, 50);
  array.CenterPoint({0, 0, 0});
  array.BasePoint({10, 0, 0});
  array.ItemNumber(items);
  array.SweepAngle(sweep);
  array.isRoateEachItem(rotateEach);
  array.AddEntityID(1);
  return array;
}

DbRectArray Rect(SessionBuilder& b, const DbView& view, int32_t rows, int32_t columns,
                 double angle) {
  DbRectArray array = b.Add<DbRectArray>(view, 50);
  array.RowNumber(rows);
  array.ColumnNumber(columns);
  array.RowSpace(5);
  array.ColumnSpace(3);
  array.ArrayAngle(angle);
  array.AddEntityID(1);
  return array;
}

INSTANTIATE_TEST_SUITE_P(
    Arrays, ArrayTest,
    ::testing::Values(
        // A full turn spreads n items 360/n apart.
        ArrayCase{"polar full turn",
                  [](SessionBuilder& b, const DbView& v) { Polar(b, v, 4, 360, true); },
                  {{10, 0, 0}, {0, 10, 0}, {-10, 0, 0}, {0, -10, 0}}},
        // A part turn puts the last item on the sweep's end: sweep/(n-1).
        ArrayCase{"polar part turn",
                  [](SessionBuilder& b, const DbView& v) { Polar(b, v, 3, 90, true); },
                  {{10, 0, 0}, {10 * M_SQRT1_2, 10 * M_SQRT1_2, 0}, {0, 10, 0}}},
        ArrayCase{"polar clockwise",
                  [](SessionBuilder& b, const DbView& v) { Polar(b, v, 2, -90, false); },
                  {{10, 0, 0}, {0, -10, 0}}},
        ArrayCase{"polar of two over a full turn",
                  [](SessionBuilder& b, const DbView& v) { Polar(b, v, 2, 360, true); },
                  {{10, 0, 0}, {-10, 0, 0}}},
        // Rows along Y, columns along X, the original at row 1 column 1.
        ArrayCase{"rect 2x3",
                  [](SessionBuilder& b, const DbView& v) { Rect(b, v, 2, 3, 0); },
                  {{10, 0, 0}, {13, 0, 0}, {16, 0, 0}, {10, 5, 0}, {13, 5, 0}, {16, 5, 0}}},
        ArrayCase{"rect turned a quarter",
                  [](SessionBuilder& b, const DbView& v) { Rect(b, v, 2, 2, 90); },
                  {{10, 0, 0}, {10, 3, 0}, {5, 0, 0}, {5, 3, 0}}},
        // One count of zero is taken as one.
        ArrayCase{"rect no rows",
                  [](SessionBuilder& b, const DbView& v) { Rect(b, v, 0, 3, 0); },
                  {{10, 0, 0}, {13, 0, 0}, {16, 0, 0}}}),
    [](const ::testing::TestParamInfo<ArrayCase>& param) {
      std::string name = param.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(TransformTest, MoveRotateAndMirrorCopyOrChangeInPlaceByEraseOld) {
  for (bool erase : {false, true}) {
    SessionBuilder b;
    DbView view = b.AddView("V", 1);
    b.AddLine(view, 1, {20, 0, 0}, {30, 0, 0});
    DbRotate rotate = b.Add<DbRotate>(view, 2);
    rotate.BasePoint({10, 0, 0});
    rotate.Rotation(90);
    rotate.bEraseOld(erase);
    rotate.AddEntityID(1);
    Document document = b.Build();
    const std::vector<Entity>& entities = document.views[0].entities;
    ASSERT_EQ(entities.size(), erase ? 1u : 2u);
    const Entity& turned = entities.back();
    auto& line = std::get<LineShape>(turned.shape);
    ExpectPoint(line.start, {10, 10, 0}, "start");
    ExpectPoint(line.end, {10, 20, 0}, "end");
    EXPECT_EQ(turned.madeBy, erase ? "" : "X2");
    EXPECT_EQ(turned.item, erase ? 0 : 2);
    // A copy keeps the identity of its source.
    EXPECT_EQ(turned.id, 1);
    EXPECT_EQ(turned.key, "X1");
  }
}

TEST(TransformTest, MirrorReversesArcsAndKeepsTextsReadable) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  DbArc arc = b.Add<DbArc>(view, 1);
  arc.CenterPoint({10, 0, 0});
  arc.Radius(5);
  arc.StartAngle(0);
  arc.EndAngle(90);
  DbText text = b.Add<DbText>(view, 2);
  text.InsertionPoint({10, 0, 0});
  text.TextString("AB");
  text.Height(2);
  text.Rotation(0);
  DbMirror mirror = b.Add<DbMirror>(view, 3);
  mirror.FromPoint({0, 0, 0});
  mirror.ToPoint({0, 1, 0});
  mirror.bEraseOld(true);
  mirror.AddEntityID(1);
  mirror.AddEntityID(2);
  Document document = b.Build();
  auto& a = std::get<ArcShape>(document.views[0].entities[0].shape);
  ExpectPoint(a.center, {-10, 0, 0}, "arc centre");
  // The quarter from 0 to 90 degrees mirrors to the quarter from 90 to 180.
  EXPECT_NEAR(a.startAngle, 90, kTol);
  EXPECT_NEAR(a.endAngle, 180, kTol);
  auto& t = std::get<TextShape>(document.views[0].entities[1].shape);
  // Still reading left to right, and ending where the mirrored text ends.
  EXPECT_NEAR(NormalizeAngle(t.rotation), 0, kTol);
  EXPECT_LT(t.position[0], -10);
  EXPECT_NEAR(t.position[1], 0, kTol);
}

TEST(TransformTest, PolarArrayTurnsEachItemOnlyWhenAsked) {
  for (bool rotateEach : {false, true}) {
    SessionBuilder b;
    DbView view = b.AddView("V", 1);
    DbText text = b.Add<DbText>(view, 1);
    text.InsertionPoint({10, 0, 0});
    text.TextString("T");
    text.Height(2);
    Polar(b, view, 4, 360, rotateEach);
    Document document = b.Build();
    ASSERT_EQ(document.views[0].entities.size(), 4u);
    auto& second = std::get<TextShape>(document.views[0].entities[1].shape);
    // The base point follows the circle either way.
    ExpectPoint(second.position, {0, 10, 0}, "second item");
    EXPECT_NEAR(second.rotation, rotateEach ? 90 : 0, kTol);
  }
}

TEST(TransformTest, ALaterTransformTakesTheCopiesOfAnEarlierOne) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  b.AddCircle(view, 1, {10, 0, 0}, 1);
  Polar(b, view, 4, 360, true);
  DbMove move = b.Add<DbMove>(view, 51);
  move.FromPoint({0, 0, 0});
  move.ToPoint({100, 0, 0});
  move.bEraseOld(true);
  move.AddEntityID(1);
  Document document = b.Build();
  std::vector<Point3> centres = CircleCentres(document);
  ASSERT_EQ(centres.size(), 4u);
  ExpectPoint(centres[0], {110, 0, 0}, "original");
  ExpectPoint(centres[1], {100, 10, 0}, "copy 2");
  ExpectPoint(centres[2], {90, 0, 0}, "copy 3");
  ExpectPoint(centres[3], {100, -10, 0}, "copy 4");
}

TEST(TransformTest, TransformsThatCannotWorkAreReportedAndChangeNothing) {
  struct Case {
    const char* name;
    std::function<void(SessionBuilder&, const DbView&)> add;
  };
  std::vector<Case> cases = {
      {"one item", [](SessionBuilder& b, const DbView& v) { Polar(b, v, 1, 360, true); }},
      {"no sweep", [](SessionBuilder& b, const DbView& v) { Polar(b, v, 3, 0, true); }},
      {"one by one", [](SessionBuilder& b, const DbView& v) { Rect(b, v, 1, 0, 0); }},
      {"mirror line of one point",
       [](SessionBuilder& b, const DbView& v) {
         DbMirror m = b.Add<DbMirror>(v, 50);
         m.FromPoint({1, 1, 0});
         m.ToPoint({1, 1, 0});
         m.AddEntityID(1);
       }},
  };
  for (const Case& c : cases) {
    SessionBuilder b;
    DbView view = b.AddView("V", 1);
    b.AddCircle(view, 1, {10, 0, 0}, 1);
    c.add(b, view);
    Document document = b.Build();
    EXPECT_EQ(CircleCentres(document).size(), 1u) << c.name;
    ASSERT_EQ(document.findings.size(), 1u) << c.name;
    EXPECT_EQ(document.findings[0].code, AuditCode::Transform) << c.name;
    EXPECT_EQ(document.findings[0].where.rfind("view V, X2 ", 0), 0u) << c.name;
  }
}

TEST(TransformTest, ArrayedHatchesAndDimensionsAreCompletedWhereTheyLand) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  DbPolyline square = b.Add<DbPolyline>(view, 1);
  square.isClosed(true);
  for (Point3 p : {Point3{0, 0, 0}, Point3{10, 0, 0}, Point3{10, 10, 0}, Point3{0, 10, 0}}) {
    square.AddVertex(p);
  }
  DbHatch hatch = b.Add<DbHatch>(view, 2);
  hatch.PatternName("SOLID");
  hatch.AddOuterLoopEntity(1);
  DbAlignedDimension dim = b.Add<DbAlignedDimension>(view, 3);
  dim.ExtLine1Point({0, 0, 0});
  dim.ExtLine2Point({10, 0, 0});
  dim.DimLinePoint({5, -5, 0});
  dim.TextString("<>");
  DbMove move = b.Add<DbMove>(view, 4);
  move.FromPoint({0, 0, 0});
  move.ToPoint({50, 0, 0});
  move.bEraseOld(false);
  for (int32_t id : {2, 3})
    move.AddEntityID(id);
  Document document = b.Build();
  const std::vector<Entity>& entities = document.views[0].entities;
  ASSERT_EQ(entities.size(), 5u);
  auto& hatchCopy = std::get<HatchShape>(entities[3].shape);
  ASSERT_EQ(hatchCopy.loops.size(), 1u);
  ExpectPoint(hatchCopy.loops[0].vertices[0], {50, 0, 0}, "moved loop");
  auto& dimCopy = std::get<DimensionShape>(entities[4].shape);
  EXPECT_NEAR(dimCopy.measurement, 10, kTol);
  // Its graphics are drawn at the copy's place, not the original's.
  ASSERT_FALSE(dimCopy.graphics.texts.empty());
  EXPECT_NEAR(dimCopy.graphics.texts[0].position[0], 55, 1e-6);
}

}  // namespace
}  // namespace qzdbs::server::test
