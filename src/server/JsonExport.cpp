// The document as JSON.
#include "server/JsonExport.h"

#include <stdexcept>

#include "base/Overloaded.h"
#include "server/io/AtomicFile.h"

namespace qzdbs::server {

using nlohmann::json;

namespace {

json P(const Point3& p) {
  return json::array({p[0], p[1], p[2]});
}

json Points(const std::vector<Point3>& points) {
  json out = json::array();
  for (const Point3& p : points)
    out.push_back(P(p));
  return out;
}

json Runs(const RichText& runs) {
  json out = json::array();
  for (const TextRun& run : runs) {
    out.push_back(run.stacked ? json{{"upper", run.upper}, {"lower", run.lower}}
                              : json{{"text", run.text}});
  }
  return out;
}

json Text(const TextShape& t) {
  return {{"position", P(t.position)}, {"height", t.height},
          {"rotation", t.rotation},    {"widthFactor", t.widthFactor},
          {"oblique", t.oblique},      {"attachment", t.attachment},
          {"width", t.width},          {"lineSpacing", t.lineSpacing},
          {"style", t.style},          {"multiline", t.multiline},
          {"runs", Runs(t.runs)}};
}

json SketchJson(const Sketch& s) {
  json lines = json::array(), arcs = json::array(), polylines = json::array(),
       solids = json::array(), texts = json::array();
  ForEachShape(s,
               Overloaded{
                   [&](const LineShape& l) {
                     lines.push_back({P(l.start), P(l.end)});
                   },
                   [&](const ArcShape& a) {
                     arcs.push_back({{"center", P(a.center)},
                                     {"radius", a.radius},
                                     {"start", a.startAngle},
                                     {"end", a.endAngle}});
                   },
                   [&](const PolylineShape& p) {
                     polylines.push_back({{"vertices", Points(p.vertices)}, {"closed", p.closed}});
                   },
                   [&](const SolidShape& p) {
                     solids.push_back(Points({p.corners.begin(), p.corners.end()}));
                   },
                   [&](const TextShape& t) { texts.push_back(Text(t)); },
               });
  return {{"lines", lines},
          {"arcs", arcs},
          {"polylines", polylines},
          {"solids", solids},
          {"texts", texts}};
}

const char* KindName(DimKind kind) {
  switch (kind) {
    case DimKind::Rotated:
      return "rotated";
    case DimKind::Aligned:
      return "aligned";
    case DimKind::Diametric:
      return "diametric";
    case DimKind::Radial:
      return "radial";
    case DimKind::Angular3Point:
      return "angular3point";
    case DimKind::Angular2Line:
      return "angular2line";
    case DimKind::Ordinate:
      return "ordinate";
  }
  return "";
}

json ShapeJson(const Shape& shape) {
  return std::visit(
      Overloaded{
          [](const LineShape& s) -> json {
            return {{"type", "line"}, {"start", P(s.start)}, {"end", P(s.end)}};
          },
          [](const CircleShape& s) -> json {
            return {{"type", "circle"}, {"center", P(s.center)}, {"radius", s.radius}};
          },
          [](const ArcShape& s) -> json {
            return {{"type", "arc"},
                    {"center", P(s.center)},
                    {"radius", s.radius},
                    {"start", s.startAngle},
                    {"end", s.endAngle}};
          },
          [](const EllipseShape& s) -> json {
            return {{"type", "ellipse"}, {"center", P(s.center)}, {"majorAxis", P(s.majorAxis)},
                    {"ratio", s.ratio},  {"start", s.startParam}, {"end", s.endParam}};
          },
          [](const PolylineShape& s) -> json {
            return {{"type", s.is3d ? "polyline3d" : "polyline"},
                    {"vertices", Points(s.vertices)},
                    {"closed", s.closed},
                    {"width", s.width},
                    {"plineType", s.plineType}};
          },
          [](const TextShape& s) -> json {
            json t = Text(s);
            t["type"] = s.multiline ? "mtext" : "text";
            return t;
          },
          [](const SolidShape& s) -> json {
            return {{"type", "solid"}, {"corners", Points({s.corners.begin(), s.corners.end()})}};
          },
          [](const HatchShape& s) -> json {
            json loops = json::array();
            for (const BoundaryLoop& loop : s.loops) {
              loops.push_back({{"outer", loop.outer},
                               {"vertices", Points(loop.vertices)},
                               {"bulges", loop.bulges}});
            }
            json fill = json::array();
            for (const LineShape& l : s.fill)
              fill.push_back({P(l.start), P(l.end)});
            return {{"type", "hatch"},  {"pattern", s.pattern}, {"solid", s.solid},
                    {"scale", s.scale}, {"angle", s.angle},     {"doubled", s.doubled},
                    {"loops", loops},   {"fill", fill}};
          },
          [](const DimensionShape& s) -> json {
            const DimAttributes& a = s.attributes;
            return {{"type", "dimension"},
                    {"kind", KindName(s.kind)},
                    {"measurement", s.measurement},
                    {"text", Runs(s.text)},
                    {"textString", a.textString},
                    {"textPosition", P(a.textPosition)},
                    {"dimType", a.dimType},
                    {"style", a.styleName},
                    {"tolerance",
                     {{"code", a.tolCode},
                      {"upper", a.topTol},
                      {"lower", a.bottomTol},
                      {"haveCode", a.haveTolCode},
                      {"haveValues", a.haveTolVal},
                      {"calculated", a.calcTolerance}}},
                    {"graphics", SketchJson(s.graphics)}};
          },
          [](const LeaderShape& s) -> json {
            return {{"type", "leader"},
                    {"vertices", Points(s.vertices)},
                    {"arrow", s.arrow},
                    {"spline", s.spline},
                    {"hookLine", s.hookLine},
                    {"annotationId", s.annotationId},
                    {"graphics", SketchJson(s.graphics)}};
          },
          [](const InsertShape& s) -> json {
            json attributes = json::array();
            for (const auto& [tag, value] : s.attributes)
              attributes.push_back({tag, value});
            return {{"type", "insert"},        {"block", s.blockName}, {"position", P(s.position)},
                    {"rotation", s.rotation},  {"scale", s.scale},     {"mirrored", s.mirrored},
                    {"attributes", attributes}};
          }},
      shape);
}

json EntityJson(const Entity& e) {
  json out = {{"key", e.key},
              {"class", e.className},
              {"id", e.id},
              {"name", e.name},
              {"sequence", e.sequence},
              {"layer", e.layer},
              {"color", e.color},
              {"visible", e.visible},
              {"assist", e.assist},
              {"matchProp", e.matchProp},
              {"shape", ShapeJson(e.shape)}};
  if (!e.madeBy.empty()) {
    out["madeBy"] = e.madeBy;
    out["item"] = e.item;
  }
  return out;
}

json Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
  json out = json::array();
  for (const auto& [name, value] : pairs)
    out.push_back({name, value});
  return out;
}

}  // namespace

json DocumentJson(const Document& d) {
  const PartInfo& p = d.part;
  json part = {{"name", p.name},
               {"guid", p.guid},
               {"id", p.id},
               {"dbPath", p.dbPath},
               {"basePoint", P(p.basePoint)},
               {"drawScale", p.drawScale},
               {"blockFolder", p.blockFolder},
               {"allowMove", p.allowMove},
               {"removeDimension", p.removeDimension},
               {"groupPart", p.groupPart},
               {"makeBlock", p.makeBlock},
               {"hideBackground", p.hideBackground},
               {"properties", Pairs(p.properties)},
               {"inputParameters", Pairs(p.inputParameters)}};
  json layers = json::array();
  for (const Layer& l : d.layers) {
    layers.push_back({{"name", l.name},
                      {"color", l.color},
                      {"lineWeight", l.lineWeight},
                      {"lineType", l.lineType},
                      {"plot", l.plot}});
  }
  json views = json::array();
  for (const View& v : d.views) {
    json entities = json::array();
    for (const Entity& e : v.entities)
      entities.push_back(EntityJson(e));
    views.push_back({{"name", v.name},
                     {"id", v.id},
                     {"assistName", v.assistName},
                     {"basePoint", P(v.basePoint)},
                     {"insertionPoint", P(v.insertionPoint)},
                     {"entities", entities}});
  }
  json blocks = json::array();
  for (const BlockDefinition& b : d.blocks) {
    json entities = json::array();
    for (const Entity& e : b.entities)
      entities.push_back(EntityJson(e));
    blocks.push_back({{"name", b.name},
                      {"id", b.id},
                      {"placeholder", b.placeholder},
                      {"source", b.source},
                      {"basePoint", P(b.basePoint)},
                      {"attributeTags", b.attributeTags},
                      {"entities", entities}});
  }
  json groups = json::array();
  for (const Group& g : d.groups) {
    json members = json::array();
    for (const EntityRef& r : g.members)
      members.push_back({r.view, r.entity});
    groups.push_back({{"name", g.name}, {"id", g.id}, {"members", members}});
  }
  json findings = json::array();
  for (const Finding& f : d.findings) {
    findings.push_back({{"code", AuditCodeName(f.code)},
                        {"message", f.message},
                        {"where", f.where},
                        {"mended", f.mended}});
  }
  return {{"part", part},     {"dimStyle", d.dimStyle.name},
          {"layers", layers}, {"textStyles", d.textStyles},
          {"views", views},   {"blocks", blocks},
          {"groups", groups}, {"findings", findings}};
}

void ExportJson(const Document& document, const std::filesystem::path& file) {
  json out = document.recording.is_object() ? document.recording : json::object();
  out["document"] = DocumentJson(document);
  // A block drawing (or a library) may hold bytes that are no UTF-8: they are
  // written as U+FFFD rather than failing the file.
  WriteAtomically(file,
                  [&] { return out.dump(2, ' ', false, json::error_handler_t::replace) + '\n'; });
}

}  // namespace qzdbs::server
