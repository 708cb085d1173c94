// The audit.
#include "server/document/Audit.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "base/Overloaded.h"
#include "server/Geometry.h"
#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

bool Finite(double v) {
  return std::isfinite(v);
}

bool AllFinite(const std::vector<Point3>& points) {
  return std::all_of(points.begin(), points.end(), [](const Point3& p) { return IsFinite(p); });
}

// Whether every number of a shape is finite.
struct FiniteShape {
  bool operator()(const LineShape& s) const { return IsFinite(s.start) && IsFinite(s.end); }
  bool operator()(const CircleShape& s) const { return IsFinite(s.center) && Finite(s.radius); }
  bool operator()(const ArcShape& s) const {
    return IsFinite(s.center) && Finite(s.radius) && Finite(s.startAngle) && Finite(s.endAngle);
  }
  bool operator()(const EllipseShape& s) const {
    return IsFinite(s.center) && IsFinite(s.majorAxis) && Finite(s.ratio) && Finite(s.startParam) &&
           Finite(s.endParam);
  }
  bool operator()(const PolylineShape& s) const { return AllFinite(s.vertices) && Finite(s.width); }
  bool operator()(const TextShape& s) const {
    return IsFinite(s.position) && Finite(s.height) && Finite(s.rotation);
  }
  bool operator()(const SolidShape& s) const {
    return std::all_of(s.corners.begin(), s.corners.end(),
                       [](const Point3& p) { return IsFinite(p); });
  }
  bool operator()(const HatchShape& s) const {
    return std::all_of(s.loops.begin(), s.loops.end(),
                       [](const BoundaryLoop& loop) { return AllFinite(loop.vertices); });
  }
  bool operator()(const DimensionShape& s) const {
    return (*this)(s.graphics) && Finite(s.measurement);
  }
  bool operator()(const LeaderShape& s) const {
    return AllFinite(s.vertices) && (*this)(s.graphics);
  }
  bool operator()(const InsertShape& s) const {
    return IsFinite(s.position) && Finite(s.rotation) && Finite(s.scale);
  }
  bool operator()(const Sketch& sketch) const {
    bool all = true;
    ForEachShape(sketch, [&](const auto& shape) { all = all && (*this)(shape); });
    return all;
  }
};

// The code of what makes an entity unusable, if anything does.
std::optional<AuditCode> Broken(const Entity& entity) {
  using Found = std::optional<AuditCode>;
  if (!std::visit(FiniteShape{}, entity.shape)) return AuditCode::Nonfinite;
  return std::visit(
      Overloaded{[](const CircleShape& c) -> Found {
                   return c.radius <= 0 ? Found{AuditCode::ZeroRadius} : std::nullopt;
                 },
                 [](const ArcShape& a) -> Found {
                   return a.radius <= 0 ? Found{AuditCode::ZeroRadius} : std::nullopt;
                 },
                 [](const PolylineShape& p) -> Found {
                   return p.vertices.size() < 2 ? Found{AuditCode::EmptyPolyline} : std::nullopt;
                 },
                 [](const HatchShape& h) -> Found {
                   return h.loops.empty() ? Found{AuditCode::EmptyHatch} : std::nullopt;
                 },
                 []<typename T>(const T&) -> Found {
                   static_assert(kOneOf<T, LineShape, EllipseShape, TextShape, SolidShape,
                                        DimensionShape, LeaderShape, InsertShape>,
                                 "a new kind of shape: say what makes it unusable");
                   return std::nullopt;
                 }},
      entity.shape);
}

std::string Where(const View& view, const Entity& entity) {
  return "view " + view.name + ", " + entity.key + " " + entity.className;
}

}  // namespace

void RemoveEntities(Document& document,
                    const std::function<bool(const Entity&, const EntityRef&)>& remove) {
  // New index of every kept entity, per view; removed ones map to npos.
  std::vector<std::vector<size_t>> renumber(document.views.size());
  for (size_t v = 0; v < document.views.size(); ++v) {
    std::vector<Entity>& entities = document.views[v].entities;
    std::vector<Entity> kept;
    for (size_t e = 0; e < entities.size(); ++e) {
      if (remove(entities[e], EntityRef{v, e})) {
        renumber[v].push_back(std::string::npos);
      } else {
        renumber[v].push_back(kept.size());
        kept.push_back(std::move(entities[e]));
      }
    }
    entities = std::move(kept);
  }
  for (Group& group : document.groups) {
    std::vector<EntityRef> members;
    for (const EntityRef& ref : group.members) {
      size_t to = renumber[ref.view][ref.entity];
      if (to != std::string::npos) members.push_back(EntityRef{ref.view, to});
    }
    group.members = std::move(members);
  }
}

void AuditDocument(Document& document) {
  for (View& view : document.views) {
    for (Entity& entity : view.entities) {
      if (entity.layer.empty()) {
        entity.layer = "0";
        document.findings.push_back(Finding{
            AuditCode::LayerEmpty, "no layer name; put on layer \"0\"", Where(view, entity), true});
      }
      if (entity.color < 0 || entity.color > 256) {
        document.findings.push_back(Finding{
            AuditCode::ColorRange,
            "colour " + std::to_string(entity.color) + " is not a colour number; drawn by layer",
            Where(view, entity), true});
        entity.color = 256;
      }
    }
  }
  RemoveEntities(document, [&](const Entity& entity, const EntityRef& ref) {
    std::optional<AuditCode> code = Broken(entity);
    if (!code) return false;
    document.findings.push_back(Finding{*code, "the entity cannot be drawn and is left out",
                                        Where(document.views[ref.view], entity), false});
    return true;
  });
}

void AuditNames(Document& document) {
  std::set<std::pair<std::string, std::string>> reported;
  auto check = [&](const char* what, const std::string& name, bool tag = false) {
    if (name.empty()) return;
    std::string read = DxfNameAsRead(name, tag);
    if (read == name || !reported.insert({what, name}).second) return;
    document.findings.push_back(Finding{AuditCode::DxfName, "written as \"" + read + "\"",
                                        std::string(what) + " \"" + name + "\"", true});
  };
  if (document.part.makeBlock) check("block", document.part.name);
  for (const Layer& layer : document.layers)
    check("layer", layer.name);
  for (const std::string& style : document.textStyles)
    check("text style", style);
  for (const BlockDefinition& block : document.blocks) {
    check("block", block.name);
    for (const std::string& tag : block.attributeTags)
      check("attribute tag", tag, true);
  }
  for (const Group& group : document.groups)
    check("group", group.name);
}

}  // namespace qzdbs::server
