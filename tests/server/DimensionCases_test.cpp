// Every dimension case of tests/data/server/dimensions.cases: the members the engine sets on
// one dimension in, what the document makes of it out: the measurement, the text, every
// line, arc, arrowhead and text of its drawing, and the audit's findings. Before a case's own
// "set" lines come those of a plain dimension: the measured value as text, one decimal,
// both arrows and both extension lines.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "ServerTestSupport.h"
#include "server/text/AnnotationText.h"
#include "support/CaseFile.h"

namespace qzdbs::server::test {
namespace {

using qzdbs::test::CaseFileCase;

HostValue Value(const nlohmann::json& v) {
  if (v.is_boolean()) return v.get<bool>();
  if (v.is_number_integer()) return v.get<int32_t>();
  if (v.is_number()) return v.get<double>();
  if (v.is_array()) return Point3{v[0].get<double>(), v[1].get<double>(), v[2].get<double>()};
  return v.get<std::string>();
}

DbEntity AddDimension(SessionBuilder& b, const DbView& view, const std::string& kind) {
  if (kind == "rotated") return b.Add<DbRotatedDimension>(view, 1);
  if (kind == "aligned") return b.Add<DbAlignedDimension>(view, 1);
  if (kind == "diametric") return b.Add<DbDiametricDimension>(view, 1);
  if (kind == "radial") return b.Add<DbRadialDimension>(view, 1);
  if (kind == "angular3") return b.Add<Db3PointAngularDimension>(view, 1);
  if (kind == "angular2") return b.Add<Db2LineAngularDimension>(view, 1);
  if (kind == "ordinate") return b.Add<DbOrdinateDimension>(view, 1);
  ADD_FAILURE() << "no dimension kind " << kind;
  return {};
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", std::abs(v) < 1e-9 ? 0.0 : v);
  return text;
}

std::string At(const Point3& p) {
  return Number(p[0]) + "," + Number(p[1]);
}

std::vector<std::string> Run(const CaseFileCase& c) {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  DbEntity dim;
  std::vector<std::string> input = c.setup;
  input.insert(input.end(), c.input.begin(), c.input.end());
  for (const std::string& line : input) {
    std::istringstream words(line);
    std::string word, member, value;
    words >> word >> member;
    std::getline(words >> std::ws, value);
    if (word == "kind") {
      dim = AddDimension(b, view, member);
      for (const char* on : {"HasFirstArr", "HasSecondArr", "HasFirstLine", "HasSecondLine"})
        dim.Object()->Set(on, true);
      dim.Object()->Set("TextString", std::string("<>"));
      dim.Object()->Set("dimdec", 1);
    } else if (word == "set" && dim) {
      dim.Object()->Set(member, Value(nlohmann::json::parse(value)));
    } else if (word == "call" && dim) {
      std::vector<HostValue> none;
      dim.Object()->Call(member, none);
    } else if (word == "session") {
      b.session->Preset(member, Value(nlohmann::json::parse(value)));
    } else {
      ADD_FAILURE() << "unknown input line: " << line;
    }
  }
  const Document document = b.Build();
  std::vector<std::string> out;
  const auto& entities = document.views.at(0).entities;
  if (entities.size() != 1) return {"entities " + std::to_string(entities.size())};
  const auto& d = std::get<DimensionShape>(entities[0].shape);
  out.push_back("measure " + Number(d.measurement) + " text " + PlainText(d.text) + " mid " +
                At(d.textMid));
  const Sketch& g = d.graphics;
  for (const LineShape& l : g.lines)
    out.push_back("line " + At(l.start) + " " + At(l.end));
  for (const ArcShape& a : g.arcs)
    out.push_back("arc " + At(a.center) + " r" + Number(a.radius) + " " + Number(a.startAngle) +
                  ".." + Number(a.endAngle));
  for (const SolidShape& s : g.solids)
    out.push_back("arrow " + At(s.corners[0]) + " " + At(s.corners[1]) + " " + At(s.corners[2]));
  for (const TextShape& t : g.texts) {
    out.push_back("text " + At(t.position) + " h" + Number(t.height) + " rot" + Number(t.rotation) +
                  " attach" + std::to_string(t.attachment) +
                  (t.runs == d.text ? "" : " runs differ from the dimension's text"));
  }
  for (const Finding& f : document.findings)
    out.push_back("finding " + f.code + " at " + f.where);
  return out;
}

TEST(DimensionCases, EveryCaseGivesItsMeasureTextAndDrawing) {
  size_t count = 0;
  for (const auto& file : qzdbs::test::CaseFiles("server", ".cases")) {
    qzdbs::test::CaseBless bless(file);
    for (const CaseFileCase& c : qzdbs::test::ReadCaseFile(file)) {
      SCOPED_TRACE(file.filename().string() + ": " + c.name);
      const std::vector<std::string> actual = Run(c);
      EXPECT_EQ(actual, c.expected);
      bless.Write(c, actual);
      ++count;
    }
  }
  // Each kind, the text's parts, decimals, tolerances, arrow placement and the switches.
  EXPECT_GE(count, 30u);
}

TEST(DimensionCases, RemoveDimensionLeavesThemOut) {
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

}  // namespace
}  // namespace qzdbs::server::test
