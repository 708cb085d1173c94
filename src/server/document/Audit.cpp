// The audit.
#include "server/document/Audit.h"

#include <cmath>
#include <optional>
#include <set>

#include "server/Geometry.h"
#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

bool Finite(double v) {
  return std::isfinite(v);
}

bool AllFinite(const Sketch& s);

bool AllFinite(const Shape& shape) {
  return std::visit(
      [](const auto& s) -> bool {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) {
          return IsFinite(s.start) && IsFinite(s.end);
        } else if constexpr (std::is_same_v<T, CircleShape>) {
          return IsFinite(s.center) && Finite(s.radius);
        } else if constexpr (std::is_same_v<T, ArcShape>) {
          return IsFinite(s.center) && Finite(s.radius) && Finite(s.startAngle) &&
                 Finite(s.endAngle);
        } else if constexpr (std::is_same_v<T, EllipseShape>) {
          return IsFinite(s.center) && IsFinite(s.majorAxis) && Finite(s.ratio) &&
                 Finite(s.startParam) && Finite(s.endParam);
        } else if constexpr (std::is_same_v<T, PolylineShape>) {
          for (const Point3& p : s.vertices) {
            if (!IsFinite(p)) return false;
          }
          return Finite(s.width);
        } else if constexpr (std::is_same_v<T, TextShape>) {
          return IsFinite(s.position) && Finite(s.height) && Finite(s.rotation);
        } else if constexpr (std::is_same_v<T, SolidShape>) {
          for (const Point3& p : s.corners) {
            if (!IsFinite(p)) return false;
          }
          return true;
        } else if constexpr (std::is_same_v<T, HatchShape>) {
          for (const BoundaryLoop& loop : s.loops) {
            for (const Point3& p : loop.vertices) {
              if (!IsFinite(p)) return false;
            }
          }
          return true;
        } else if constexpr (std::is_same_v<T, DimensionShape>) {
          return AllFinite(s.graphics) && Finite(s.measurement);
        } else if constexpr (std::is_same_v<T, LeaderShape>) {
          for (const Point3& p : s.vertices) {
            if (!IsFinite(p)) return false;
          }
          return AllFinite(s.graphics);
        } else if constexpr (std::is_same_v<T, InsertShape>) {
          return IsFinite(s.position) && Finite(s.rotation) && Finite(s.scale);
        }
        return true;
      },
      shape);
}

bool AllFinite(const Sketch& s) {
  for (const LineShape& l : s.lines) {
    if (!AllFinite(Shape{l})) return false;
  }
  for (const ArcShape& a : s.arcs) {
    if (!AllFinite(Shape{a})) return false;
  }
  for (const PolylineShape& p : s.polylines) {
    if (!AllFinite(Shape{p})) return false;
  }
  for (const SolidShape& p : s.solids) {
    if (!AllFinite(Shape{p})) return false;
  }
  for (const TextShape& t : s.texts) {
    if (!AllFinite(Shape{t})) return false;
  }
  return true;
}

// The code of what makes an entity unusable, or null.
std::optional<AuditCode> Broken(const Entity& entity) {
  if (!AllFinite(entity.shape)) return AuditCode::Nonfinite;
  if (auto* c = std::get_if<CircleShape>(&entity.shape); c && c->radius <= 0)
    return AuditCode::ZeroRadius;
  if (auto* a = std::get_if<ArcShape>(&entity.shape); a && a->radius <= 0)
    return AuditCode::ZeroRadius;
  if (auto* p = std::get_if<PolylineShape>(&entity.shape); p && p->vertices.size() < 2) {
    return AuditCode::EmptyPolyline;
  }
  if (auto* h = std::get_if<HatchShape>(&entity.shape); h && h->loops.empty())
    return AuditCode::EmptyHatch;
  return std::nullopt;
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
