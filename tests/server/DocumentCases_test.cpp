// Every case of tests/data/server/cases/*.cases: a session filled member by member as the
// engine fills it (the lines of SessionBuilder::Play), and what the document makes of it: each
// entity of each view with its geometry, the groups, the blocks, and the audit's findings.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "ServerTestSupport.h"
#include "server/AuditCode.h"
#include "server/Geometry.h"
#include "server/text/TextMetrics.h"
#include "support/CaseFile.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {
namespace {

using qzdbs::test::CaseFileCase;

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", std::abs(v) < 1e-9 ? 0.0 : v);
  return text;
}

std::string At(const Point3& p) {
  return Number(p[0]) + "," + Number(p[1]);
}

void Sketched(const Sketch& g, const RichText& text, std::vector<std::string>& out) {
  for (const LineShape& l : g.lines)
    out.push_back("  line " + At(l.start) + " " + At(l.end));
  for (const ArcShape& a : g.arcs)
    out.push_back("  arc " + At(a.center) + " r" + Number(a.radius) + " " + Number(a.startAngle) +
                  ".." + Number(a.endAngle));
  for (const PolylineShape& p : g.polylines)
    out.push_back("  polyline of " + std::to_string(p.vertices.size()));
  for (const SolidShape& s : g.solids)
    out.push_back("  arrow " + At(s.corners[0]) + " " + At(s.corners[1]) + " " + At(s.corners[2]));
  for (const TextShape& t : g.texts) {
    out.push_back("  text " + At(t.position) + " h" + Number(t.height) + " rot" +
                  Number(t.rotation) + " attach" + std::to_string(t.attachment) +
                  (t.runs == text ? "" : " " + PlainText(t.runs)));
  }
}

// One line for the entity, and its drawing below it for dimensions and leaders.
void Describe(const Entity& e, std::vector<std::string>& out) {
  std::string line = e.key + " " + std::to_string(e.id) + " ";
  if (!e.madeBy.empty()) line += "(item " + std::to_string(e.item) + " of " + e.madeBy + ") ";
  if (e.layer != "0") line += "on " + e.layer + " ";
  if (e.color != 256) line += "colour " + std::to_string(e.color) + " ";
  if (e.lineTypeScale != 1) line += "dashes " + Number(e.lineTypeScale) + " ";
  std::visit(
      [&](const auto& s) {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) {
          line += "line " + At(s.start) + " " + At(s.end);
        } else if constexpr (std::is_same_v<T, CircleShape>) {
          line += "circle " + At(s.center) + " r" + Number(s.radius);
        } else if constexpr (std::is_same_v<T, ArcShape>) {
          line += "arc " + At(s.center) + " r" + Number(s.radius) + " " + Number(s.startAngle) +
                  ".." + Number(s.endAngle);
        } else if constexpr (std::is_same_v<T, EllipseShape>) {
          line += "ellipse " + At(s.center) + " axis " + At(s.majorAxis) + " ratio " +
                  Number(s.ratio) + " " + Number(s.startParam) + ".." + Number(s.endParam);
        } else if constexpr (std::is_same_v<T, PolylineShape>) {
          line += std::string(s.closed ? "closed " : "") + "polyline";
          for (const Point3& p : s.vertices)
            line += " " + At(p);
        } else if constexpr (std::is_same_v<T, TextShape>) {
          line += "text \"" + PlainText(s.runs) + "\" at " + At(s.position) + " h" +
                  Number(s.height) + " rot" + Number(NormalizeAngle(s.rotation));
        } else if constexpr (std::is_same_v<T, SolidShape>) {
          line += "solid " + At(s.corners[0]) + " " + At(s.corners[1]) + " " + At(s.corners[2]);
        } else if constexpr (std::is_same_v<T, HatchShape>) {
          line += "hatch " + s.pattern + (s.solid ? " solid" : "") + ", " +
                  std::to_string(s.fill.size()) + " pattern lines";
          for (const BoundaryLoop& loop : s.loops) {
            line += std::string(loop.outer ? "; outer" : "; inner");
            for (const Point3& p : loop.vertices)
              line += " " + At(p);
          }
        } else if constexpr (std::is_same_v<T, DimensionShape>) {
          line += "dimension " + Number(s.measurement) + " \"" + PlainText(s.text) + "\" mid " +
                  At(s.textMid);
          out.push_back(line);
          line.clear();
          Sketched(s.graphics, s.text, out);
        } else if constexpr (std::is_same_v<T, LeaderShape>) {
          line += "leader";
          for (const Point3& p : s.vertices)
            line += " " + At(p);
          out.push_back(line);
          line.clear();
          Sketched(s.graphics, {}, out);
        } else if constexpr (std::is_same_v<T, InsertShape>) {
          line += "insert " + s.blockName + " at " + At(s.position) + " rot" + Number(s.rotation) +
                  " scale " + Number(s.scale);
          for (const auto& [tag, value] : s.attributes)
            line += " " + tag + "=" + value;
        }
      },
      e.shape);
  if (!line.empty()) out.push_back(line);
}

std::vector<std::string> RunCase(const CaseFileCase& c) {
  SessionBuilder b;
  std::vector<std::string> input = c.setup;
  input.insert(input.end(), c.input.begin(), c.input.end());
  if (std::string unknown = b.Play(input); !unknown.empty())
    return {"unknown input line: " + unknown};
  const Document document = b.Build();
  std::vector<std::string> out;
  for (const View& v : document.views) {
    out.push_back("view " + v.name);
    for (const Entity& e : v.entities)
      Describe(e, out);
  }
  for (const Group& g : document.groups) {
    std::string line = "group " + g.name;
    for (const EntityRef& m : g.members)
      line += " " + std::to_string(m.view) + ":" + std::to_string(m.entity);
    out.push_back(line);
  }
  for (const BlockDefinition& block : document.blocks) {
    std::string line = "block " + block.name + (block.placeholder ? " (marker)" : "");
    for (const std::string& tag : block.attributeTags)
      line += " " + tag;
    out.push_back(line);
  }
  for (const Finding& f : document.findings) {
    out.push_back("finding " + std::string(AuditCodeName(f.code)) + " at " + f.where +
                  (f.mended ? " (mended): " : ": ") + f.message);
  }
  return out;
}

TEST(DocumentCases, EveryCaseGivesItsDocument) {
  const size_t count = qzdbs::test::ExpectEveryCase("server/cases", ".cases", RunCase);
  // Dimensions of every kind with their texts, tolerances and drawing; transforms and arrays.
  EXPECT_GE(count, 80u);
}

// The audit's cases break every rule, and the documentation lists every code as the table does.
TEST(DocumentCases, EveryAuditCodeIsBrokenByACaseAndDocumented) {
  std::string found;
  for (const CaseFileCase& c :
       qzdbs::test::ReadCaseFile(qzdbs::test::TestDataDir() / "server/cases/audit.cases"))
    for (const std::string& line : c.expected)
      found += line + "\n";
  const std::string doc = ReadText(qzdbs::test::SourceDir() / "docs/drawing-server.md");
  for (const AuditCodeDef& def : AuditCodes()) {
    EXPECT_NE(found.find("finding " + std::string(def.name) + " at"), std::string::npos)
        << def.name;
    const std::string row = "| `" + std::string(def.name) + "` | " + std::string(def.meaning) +
                            " | " + std::string(def.outcome) + " |";
    EXPECT_NE(doc.find(row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace qzdbs::server::test
