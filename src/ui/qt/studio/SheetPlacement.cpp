// Placing, snapping and finding the studio's parts.
#include "ui/qt/studio/SheetPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

#include "server/document/ShapeTransform.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::ui::qt {

using server::operator+;
using server::operator*;
using server::operator-;

server::Affine PlacementMap(const Point3& anchor, const Placement& placement) {
  const server::Affine turn = server::Affine::Rotation(anchor, 90.0 * placement.quarterTurns);
  return server::Affine::Translation({placement.x - anchor[0], placement.y - anchor[1], 0})
      .After(turn);
}

Placement BesideOf(double right, double gap, const server::Extents& extents, const Point3& anchor) {
  if (!extents.valid) return {right + gap, anchor[1], 0};
  return {anchor[0] + right + gap - extents.min[0], anchor[1], 0};
}

Snapped Snap(const Point3& point, double grid, const std::vector<Point3>& endpoints, double reach) {
  Snapped best{point, SnapKind::None};
  double nearest = std::numeric_limits<double>::infinity();
  for (const Point3& end : endpoints) {
    const double distance = server::Distance(point, end);
    if (distance <= reach && distance < nearest) {
      nearest = distance;
      best = {end, SnapKind::Endpoint};
    }
  }
  if (best.kind == SnapKind::None && grid > 0)
    best = {{std::round(point[0] / grid) * grid, std::round(point[1] / grid) * grid, point[2]},
            SnapKind::Grid};
  return best;
}

std::vector<Point3> Endpoints(const server::Document& part, const server::Affine& map) {
  std::vector<Point3> ends;
  for (const auto& view : part.views)
    for (const auto& entity : view.entities) {
      if (const auto* line = std::get_if<server::LineShape>(&entity.shape)) {
        ends.push_back(map.Apply(line->start));
        ends.push_back(map.Apply(line->end));
      } else if (const auto* arc = std::get_if<server::ArcShape>(&entity.shape)) {
        ends.push_back(map.Apply(arc->center + arc->radius * server::Direction(arc->startAngle)));
        ends.push_back(map.Apply(arc->center + arc->radius * server::Direction(arc->endAngle)));
      } else if (const auto* polyline = std::get_if<server::PolylineShape>(&entity.shape)) {
        for (const Point3& vertex : polyline->vertices)
          ends.push_back(map.Apply(vertex));
      }
    }
  return ends;
}

server::Extents PlacedExtents(const server::Document& part, const server::Affine& map) {
  const server::Extents own = server::DocumentExtents(part);
  server::Extents placed;
  if (!own.valid) return placed;
  for (const Point3& corner :
       {own.min, own.max, Point3{own.min[0], own.max[1], 0}, Point3{own.max[0], own.min[1], 0}})
    placed.Add(map.Apply(corner));
  return placed;
}

namespace {

// Block references nest no deeper than this; a block that names itself
// stops here.
constexpr int kMaxBlockDepth = 8;

// Curves as chords of at most 5 degrees, close enough for a pointer.
constexpr double kStepDegrees = 5;

class StrokeCollector {
 public:
  explicit StrokeCollector(const server::Document& part) : part_(part) {}

  void AddEntity(const server::Entity& entity, const server::Affine& map, int depth) {
    const server::Layer* layer = part_.FindLayer(entity.layer);
    if (!entity.visible || (layer && !layer->plot)) return;
    if (const auto* insert = std::get_if<server::InsertShape>(&entity.shape)) {
      const server::BlockDefinition* block = part_.FindBlock(insert->blockName);
      if (!block || depth >= kMaxBlockDepth) return;
      const server::Affine inner = map.After(server::InsertMap(*insert, block->basePoint));
      for (const server::Entity& member : block->entities)
        AddEntity(member, inner, depth + 1);
      for (const auto& [tag, text] : server::PlacedAttributes(*insert, *block))
        Add(text, map);
      return;
    }
    std::visit([&](const auto& shape) { Add(shape, map); }, entity.shape);
  }

  Strokes strokes;

 private:
  void Path(std::vector<Point3> points, const server::Affine& map, bool area = false) {
    for (Point3& point : points)
      point = map.Apply(point);
    strokes.push_back({std::move(points), area});
  }
  void Add(const server::LineShape& s, const server::Affine& map) { Path({s.start, s.end}, map); }
  void Add(const server::CircleShape& s, const server::Affine& map) {
    Path(server::ArcPoints(s.center, s.radius, 0, 360, kStepDegrees, 8), map);
  }
  void Add(const server::ArcShape& s, const server::Affine& map) {
    Path(server::ArcPoints(s.center, s.radius, s.startAngle,
                           server::Sweep(s.startAngle, s.endAngle), kStepDegrees, 8),
         map);
  }
  void Add(const server::EllipseShape& s, const server::Affine& map) {
    Path(server::EllipsePoints(s.center, s.majorAxis, s.ratio, s.startParam,
                               server::Sweep(s.startParam, s.endParam), kStepDegrees, 72),
         map);
  }
  void Add(const server::PolylineShape& s, const server::Affine& map) {
    std::vector<Point3> points = s.vertices;
    if (s.closed && !points.empty()) points.push_back(points.front());
    Path(std::move(points), map);
  }
  // The box of the text's own lines, turned with it (the extents of a turned
  // text would be a larger box standing upright).
  void Add(const server::TextShape& s, const server::Affine& map) {
    const auto corners = server::TextCorners(s);
    Path({corners[0], corners[1], corners[2], corners[3], corners[0]}, map, true);
  }
  void Add(const server::SolidShape& s, const server::Affine& map) {
    Path({s.corners[0], s.corners[1], s.corners[2], s.corners[0]}, map, true);
  }
  void Add(const server::HatchShape& s, const server::Affine& map) {
    for (const server::BoundaryLoop& loop : s.loops) {
      std::vector<Point3> points = loop.polygon;
      if (!points.empty()) points.push_back(points.front());
      Path(std::move(points), map, true);
    }
  }
  void Add(const server::DimensionShape& s, const server::Affine& map) { Add(s.graphics, map); }
  void Add(const server::LeaderShape& s, const server::Affine& map) { Add(s.graphics, map); }
  void Add(const server::Sketch& sketch, const server::Affine& map) {
    server::ForEachShape(sketch, [&](const auto& shape) { Add(shape, map); });
  }
  // AddEntity follows a block reference.
  void Add(const server::InsertShape&, const server::Affine&) {}

  const server::Document& part_;
};

double SegmentDistance(const Point3& point, const Point3& a, const Point3& b) {
  const Point3 along = b - a;
  const double length2 = server::Dot(along, along);
  const double t =
      length2 > 0 ? std::clamp(server::Dot(point - a, along) / length2, 0.0, 1.0) : 0.0;
  return server::Distance(point, a + along * t);
}

// Even-odd: a point inside a closed path crosses it an odd number of times
// going right.
bool Inside(const std::vector<Point3>& polygon, const Point3& point) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point3& a = polygon[i];
    const Point3& b = polygon[j];
    if ((a[1] > point[1]) != (b[1] > point[1]) &&
        point[0] < (b[0] - a[0]) * (point[1] - a[1]) / (b[1] - a[1]) + a[0])
      inside = !inside;
  }
  return inside;
}

}  // namespace

Strokes PartStrokes(const server::Document& part, const server::Affine& map) {
  StrokeCollector collector(part);
  for (const auto& view : part.views)
    for (const auto& entity : view.entities)
      collector.AddEntity(entity, map, 0);
  return std::move(collector.strokes);
}

double DistanceTo(const Strokes& strokes, const Point3& point) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const Stroke& stroke : strokes) {
    if (stroke.points.empty()) continue;
    if (stroke.area && stroke.points.size() > 2 && Inside(stroke.points, point)) return 0;
    nearest = std::min(nearest, server::Distance(point, stroke.points.front()));
    for (size_t i = 1; i < stroke.points.size(); ++i)
      nearest = std::min(nearest, SegmentDistance(point, stroke.points[i - 1], stroke.points[i]));
  }
  return nearest;
}

int PartAt(const std::vector<Strokes>& parts, const Point3& point, double reach) {
  for (int i = static_cast<int>(parts.size()) - 1; i >= 0; --i)
    if (DistanceTo(parts[static_cast<size_t>(i)], point) <= reach) return i;
  return -1;
}

}  // namespace qzdbs::ui::qt
