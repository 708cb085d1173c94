// The audit's codes: each row breaks one rule and expects exactly that
// finding; the documentation lists the codes as server/AuditCode.cpp does.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

#include "ServerTestSupport.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {
namespace {

DbHatch HatchOver(SessionBuilder& b, const DbView& v, int32_t boundary, const char* pattern,
                  bool outer = true) {
  DbHatch hatch = b.Add<DbHatch>(v, 90);
  hatch.PatternName(pattern);
  if (outer) {
    hatch.AddOuterLoopEntity(boundary);
  } else {
    hatch.AddInnerLoopEntity(boundary);
  }
  return hatch;
}

DbAlignedDimension Dimension(SessionBuilder& b, const DbView& v, const Point3& to) {
  auto d = b.Add<DbAlignedDimension>(v, 80);
  d.ExtLine1Point({0, 0, 0});
  d.ExtLine2Point(to);
  d.DimLinePoint({0, -10, 0});
  d.TextString("<>");
  d.dimdec(1);
  return d;
}

TEST(AuditTest, EachBrokenRuleGivesExactlyItsFinding) {
  using Break = std::function<void(SessionBuilder&, const DbView&)>;
  struct Case {
    AuditCode code;
    Break add;
  };
  const Case cases[] = {
      {AuditCode::Magnitude,
       [](SessionBuilder& b, const DbView& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 1e12);
       }},
      {AuditCode::ControlCharacter,
       [](SessionBuilder& b, const DbView& v) {
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0}, "L\n");
       }},
      {AuditCode::Nonfinite,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {std::nan(""), 0, 0});
       }},
      {AuditCode::ZeroRadius,
       [](auto& b, auto& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 0);
       }},
      {AuditCode::EmptyPolyline, [](auto& b, auto& v) { b.template Add<DbPolyline>(v, 1); }},
      {AuditCode::PolylineVertices,
       [](auto& b, auto& v) {
         DbPolyline line = b.template Add<DbPolyline>(v, 1);
         for (size_t i = 0; i <= kMaxPolylineVertices; ++i)
           line.AddVertex({static_cast<double>(i), 0, 0});
       }},
      {AuditCode::EmptyHatch,
       [](auto& b, auto& v) { b.template Add<DbHatch>(v, 1).PatternName("SOLID"); }},
      {AuditCode::LayerEmpty,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0}, "");
       }},
      {AuditCode::ColorRange,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0}).Color(300);
       }},
      {AuditCode::UnknownId,
       [](auto& b, auto& v) {
         DbGroup group = b.template Add<DbGroup>(v, 1);
         group.AddEntityID(77);
       }},
      {AuditCode::UnknownClass,
       [](auto& b, auto& v) {
         v.AddEntity("X1", HostHandle(b.component->CreateObject("DbSpline")));
       }},
      {AuditCode::Transform,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0});
         DbMirror m = b.template Add<DbMirror>(v, 2);
         m.FromPoint({1, 1, 0});
         m.ToPoint({1, 1, 0});
         m.AddEntityID(1);
       }},
      {AuditCode::DimDegenerate,
       [](auto& b, auto& v) {
         Dimension(b, v, {0, 0, 0});
       }},
      {AuditCode::Tolerance,
       [](auto& b, auto& v) {
         auto d = Dimension(b, v, {20, 0, 0});
         d.isHaveTolCode(true);
         d.str_DimTolNo("Q99");
         d.CalcTolerance();
       }},
      {AuditCode::HatchBoundary,
       [](auto& b, auto& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 5);
         b.template Add<DbText>(v, 2);
         HatchOver(b, v, 1, "SOLID").AddOuterLoopEntity(2);
       }},
      {AuditCode::HatchOpenLoop,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {10, 0, 0});
         b.AddLine(v, 2, {10, 0, 0}, {10, 10, 0});
         HatchOver(b, v, 1, "SOLID").AddOuterLoopEntity(2);
       }},
      {AuditCode::HatchNoOuter,
       [](auto& b, auto& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 5);
         HatchOver(b, v, 1, "SOLID", false);
       }},
      {AuditCode::HatchPattern,
       [](auto& b, auto& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 5);
         HatchOver(b, v, 1, "STARS");
       }},
      {AuditCode::HatchDense,
       [](auto& b, auto& v) {
         b.AddCircle(v, 1, {0, 0, 0}, 1000);
         HatchOver(b, v, 1, "ANSI31").PatternScale(1e-3);
       }},
      {AuditCode::BlockFile,
       [](auto& b, auto& v) { b.template Add<DbBlockDefinition>(v, 1).BlockName("B"); }},
      {AuditCode::BlockUndefined,
       [](auto& b, auto& v) {
         DbBlockReference insert = b.template Add<DbBlockReference>(v, 1);
         insert.BlockName("B");
         insert.ScaleFactor(1);
       }},
      {AuditCode::LeaderShort,
       [](auto& b, auto& v) {
         b.template Add<DbLeader>(v, 1).AddVertex({0, 0, 0});
       }},
      {AuditCode::GroupInBlock,
       [](auto& b, auto& v) {
         b.Part().MakeBlock(true);
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0});
         b.template Add<DbGroup>(v, 2).AddEntityID(1);
       }},
      {AuditCode::DxfName,
       [](auto& b, auto& v) {
         b.AddLine(v, 1, {0, 0, 0}, {1, 0, 0}, "A/B");
       }},
      {AuditCode::TextOverlap,
       [](auto& b, auto& v) {
         DbText text = b.template Add<DbText>(v, 1);
         text.TextString("M12");
         text.InsertionPoint({0, 0, 0});
         text.Height(3.5);
         text.ScaleFactor(1);
         b.AddLine(v, 2, {-5, 1.5, 0}, {20, 1.5, 0});
       }},
  };
  ASSERT_EQ(std::size(cases), AuditCodes().size());
  for (const Case& c : cases) {
    SCOPED_TRACE(AuditCodeName(c.code));
    SessionBuilder b;
    c.add(b, b.AddView("V", 1));
    Document document = b.Build();
    ASSERT_EQ(document.findings.size(), 1u);
    EXPECT_EQ(document.findings[0].code, c.code);
    EXPECT_FALSE(document.findings[0].where.empty());
  }
}

TEST(AuditTest, TheDocumentationListsEveryCodeAsTheTableDoes) {
  std::ifstream doc(qzdbs::test::SourceDir() / "docs/drawing-server.md");
  std::stringstream text;
  text << doc.rdbuf();
  for (const AuditCodeDef& def : AuditCodes()) {
    std::string row = "| `" + std::string(def.name) + "` | " + std::string(def.meaning) + " | " +
                      std::string(def.outcome) + " |";
    EXPECT_NE(text.str().find(row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace qzdbs::server::test
