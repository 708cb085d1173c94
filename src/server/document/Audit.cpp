// The audit.
#include "server/document/Audit.h"

#include <cmath>

#include "server/Geometry.h"
#include "server/document/ControlCharacters.h"

namespace qzdbs::server {

namespace {

// The largest coordinate, length or size any exporter is asked to write: a
// library's 1e12 mm radius or 1e308 text scale makes files no reader opens.
constexpr double kLargest = 1e9;

using Check = bool (*)(double);

bool IsFiniteValue(double v) {
  return std::isfinite(v);
}

bool IsWritable(double v) {
  return std::isfinite(v) && std::fabs(v) <= kLargest;
}

bool Pass(const Point3& p, Check ok) {
  return ok(p[0]) && ok(p[1]) && ok(p[2]);
}

bool AllPass(const Sketch& s, Check ok);

bool AllPass(const Shape& shape, Check ok) {
  return std::visit(
      [ok](const auto& s) -> bool {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) {
          return Pass(s.start, ok) && Pass(s.end, ok);
        } else if constexpr (std::is_same_v<T, CircleShape>) {
          return Pass(s.center, ok) && ok(s.radius);
        } else if constexpr (std::is_same_v<T, ArcShape>) {
          return Pass(s.center, ok) && ok(s.radius) && ok(s.startAngle) && ok(s.endAngle);
        } else if constexpr (std::is_same_v<T, EllipseShape>) {
          return Pass(s.center, ok) && Pass(s.majorAxis, ok) && ok(s.ratio) && ok(s.startParam) &&
                 ok(s.endParam);
        } else if constexpr (std::is_same_v<T, PolylineShape>) {
          for (const Point3& p : s.vertices) {
            if (!Pass(p, ok)) return false;
          }
          return ok(s.width);
        } else if constexpr (std::is_same_v<T, TextShape>) {
          return Pass(s.position, ok) && ok(s.height) && ok(s.rotation) && ok(s.widthFactor) &&
                 ok(s.oblique) && ok(s.width);
        } else if constexpr (std::is_same_v<T, SolidShape>) {
          for (const Point3& p : s.corners) {
            if (!Pass(p, ok)) return false;
          }
          return true;
        } else if constexpr (std::is_same_v<T, HatchShape>) {
          for (const BoundaryLoop& loop : s.loops) {
            for (const Point3& p : loop.vertices) {
              if (!Pass(p, ok)) return false;
            }
          }
          return true;
        } else if constexpr (std::is_same_v<T, DimensionShape>) {
          return AllPass(s.graphics, ok) && ok(s.measurement);
        } else if constexpr (std::is_same_v<T, LeaderShape>) {
          for (const Point3& p : s.vertices) {
            if (!Pass(p, ok)) return false;
          }
          return AllPass(s.graphics, ok);
        } else if constexpr (std::is_same_v<T, InsertShape>) {
          return Pass(s.position, ok) && ok(s.rotation) && ok(s.scale);
        }
        return true;
      },
      shape);
}

bool AllPass(const Sketch& s, Check ok) {
  for (const LineShape& l : s.lines) {
    if (!AllPass(Shape{l}, ok)) return false;
  }
  for (const ArcShape& a : s.arcs) {
    if (!AllPass(Shape{a}, ok)) return false;
  }
  for (const PolylineShape& p : s.polylines) {
    if (!AllPass(Shape{p}, ok)) return false;
  }
  for (const SolidShape& p : s.solids) {
    if (!AllPass(Shape{p}, ok)) return false;
  }
  for (const TextShape& t : s.texts) {
    if (!AllPass(Shape{t}, ok)) return false;
  }
  return true;
}

// The code of what makes an entity unusable, or null.
const char* Broken(const Entity& entity) {
  if (!AllPass(entity.shape, IsFiniteValue)) return "NONFINITE";
  if (!AllPass(entity.shape, IsWritable)) return "MAGNITUDE";
  if (auto* c = std::get_if<CircleShape>(&entity.shape); c && c->radius <= 0) return "ZERO_RADIUS";
  if (auto* a = std::get_if<ArcShape>(&entity.shape); a && a->radius <= 0) return "ZERO_RADIUS";
  if (auto* p = std::get_if<PolylineShape>(&entity.shape); p && p->vertices.size() < 2) {
    return "EMPTY_POLYLINE";
  }
  if (auto* h = std::get_if<HatchShape>(&entity.shape); h && h->loops.empty()) return "EMPTY_HATCH";
  return nullptr;
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
  ReplaceControlCharacters(document);
  for (View& view : document.views) {
    for (Entity& entity : view.entities) {
      if (entity.layer.empty()) {
        entity.layer = "0";
        document.findings.push_back(
            Finding{"LAYER_EMPTY", "no layer name; put on layer \"0\"", Where(view, entity), true});
      }
      if (entity.color < 0 || entity.color > 256) {
        document.findings.push_back(Finding{
            "COLOR_RANGE",
            "colour " + std::to_string(entity.color) + " is not a colour number; drawn by layer",
            Where(view, entity), true});
        entity.color = 256;
      }
    }
  }
  const auto leaveOut = [&](const Entity& entity, const std::string& where, bool onlyUnwritable) {
    const char* code = Broken(entity);
    if (!code) return false;
    const std::string name = code;
    if (onlyUnwritable && name != "NONFINITE" && name != "MAGNITUDE") return false;
    const bool tooLarge = name == "MAGNITUDE";
    document.findings.push_back(Finding{code,
                                        tooLarge ? "a value beyond ±1e9 mm; the entity is left out"
                                                 : "the entity cannot be drawn and is left out",
                                        where, false});
    return true;
  };
  RemoveEntities(document, [&](const Entity& entity, const EntityRef& ref) {
    return leaveOut(entity, Where(document.views[ref.view], entity), false);
  });
  // A block's drawing file is read from outside the library: what no
  // exporter can write is left out of it too.
  for (BlockDefinition& block : document.blocks) {
    std::erase_if(block.entities, [&](const Entity& entity) {
      return leaveOut(entity, "block " + block.name + ", " + entity.className, true);
    });
  }
}

}  // namespace qzdbs::server
