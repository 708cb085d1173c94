// Bounding boxes of the document's shapes.
#include "server/document/Extents.h"

#include <algorithm>
#include <cmath>

#include "server/document/ShapeTransform.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

void AddArc(Extents& e, const Point3& center, double radius, double start, double end) {
  double sweep = Sweep(start, end);
  e.Add(center + Direction(start) * radius);
  e.Add(center + Direction(start + sweep) * radius);
  // The quadrant points the arc passes.
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    double angle = 90.0 * quadrant;
    if (Sweep(start, angle) < sweep || sweep >= 360.0 - 1e-9) {
      e.Add(center + Direction(angle) * radius);
    }
  }
}

void AddEllipse(Extents& e, const EllipseShape& s) {
  Point3 minor = LeftNormal(s.majorAxis) * s.ratio;
  double sweep = Sweep(s.startParam, s.endParam);
  constexpr int kSteps = 72;
  for (int i = 0; i <= kSteps; ++i) {
    double t = Radians(s.startParam + sweep * i / kSteps);
    e.Add(s.center + s.majorAxis * std::cos(t) + minor * std::sin(t));
  }
}

void AddText(Extents& e, const TextShape& text) {
  for (const Point3& corner : TextCorners(text))
    e.Add(corner);
}

}  // namespace

void Extents::Add(const Point3& p) {
  if (!IsFinite(p)) return;
  if (!valid) {
    min = max = p;
    valid = true;
    return;
  }
  for (int i = 0; i < 3; ++i) {
    min[i] = std::min(min[i], p[i]);
    max[i] = std::max(max[i], p[i]);
  }
}

void Extents::Add(const Extents& other) {
  if (!other.valid) return;
  Add(other.min);
  Add(other.max);
}

Extents SketchExtents(const Sketch& sketch) {
  Extents e;
  for (const LineShape& line : sketch.lines) {
    e.Add(line.start);
    e.Add(line.end);
  }
  for (const ArcShape& arc : sketch.arcs)
    AddArc(e, arc.center, arc.radius, arc.startAngle, arc.endAngle);
  for (const PolylineShape& polyline : sketch.polylines) {
    for (const Point3& p : polyline.vertices)
      e.Add(p);
  }
  for (const SolidShape& solid : sketch.solids) {
    for (const Point3& p : solid.corners)
      e.Add(p);
  }
  for (const TextShape& text : sketch.texts)
    AddText(e, text);
  return e;
}

Extents ShapeExtents(const Shape& shape, const Document& document) {
  Extents e;
  std::visit(
      [&](const auto& s) {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) {
          e.Add(s.start);
          e.Add(s.end);
        } else if constexpr (std::is_same_v<T, CircleShape>) {
          e.Add(s.center - Point3{s.radius, s.radius, 0});
          e.Add(s.center + Point3{s.radius, s.radius, 0});
        } else if constexpr (std::is_same_v<T, ArcShape>) {
          AddArc(e, s.center, s.radius, s.startAngle, s.endAngle);
        } else if constexpr (std::is_same_v<T, EllipseShape>) {
          AddEllipse(e, s);
        } else if constexpr (std::is_same_v<T, PolylineShape>) {
          for (const Point3& p : s.vertices)
            e.Add(p);
        } else if constexpr (std::is_same_v<T, TextShape>) {
          AddText(e, s);
        } else if constexpr (std::is_same_v<T, SolidShape>) {
          for (const Point3& p : s.corners)
            e.Add(p);
        } else if constexpr (std::is_same_v<T, HatchShape>) {
          for (const BoundaryLoop& loop : s.loops) {
            for (const Point3& p : loop.polygon)
              e.Add(p);
          }
        } else if constexpr (std::is_same_v<T, DimensionShape>) {
          e.Add(SketchExtents(s.graphics));
        } else if constexpr (std::is_same_v<T, LeaderShape>) {
          for (const Point3& p : s.vertices)
            e.Add(p);
          e.Add(SketchExtents(s.graphics));
        } else if constexpr (std::is_same_v<T, InsertShape>) {
          e.Add(s.position);
          const BlockDefinition* block = document.FindBlock(s.blockName);
          if (!block) return;
          Affine place = InsertMap(s, block->basePoint);
          for (const Entity& entity : block->entities) {
            Shape placed = entity.shape;
            TransformShape(placed, place);
            e.Add(ShapeExtents(placed, document));
          }
        }
      },
      shape);
  return e;
}

Extents EntityListExtents(const std::vector<Entity>& entities, const Document& document,
                          bool includeNonPrinting) {
  Extents e;
  for (const Entity& entity : entities) {
    if (!includeNonPrinting) {
      const Layer* layer = document.FindLayer(entity.layer);
      if (!entity.visible || (layer && !layer->plot)) continue;
    }
    e.Add(ShapeExtents(entity.shape, document));
  }
  return e;
}

Extents ViewExtents(const View& view, const Document& document, bool includeNonPrinting) {
  return EntityListExtents(view.entities, document, includeNonPrinting);
}

Extents DocumentExtents(const Document& document, bool includeNonPrinting) {
  Extents e;
  for (const View& view : document.views)
    e.Add(ViewExtents(view, document, includeNonPrinting));
  return e;
}

}  // namespace qzdbs::server
