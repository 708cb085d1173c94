// Placing, snapping and finding the studio's parts.
#include "ui/qt/studio/SheetPlacement.h"

#include <cmath>
#include <limits>
#include <variant>

namespace qzdbs::ui::qt {

using server::operator+;
using server::operator*;

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

int PartAt(const std::vector<server::Extents>& parts, const Point3& point, double reach) {
  for (int i = static_cast<int>(parts.size()) - 1; i >= 0; --i) {
    const server::Extents& box = parts[static_cast<size_t>(i)];
    if (box.valid && point[0] >= box.min[0] - reach && point[0] <= box.max[0] + reach &&
        point[1] >= box.min[1] - reach && point[1] <= box.max[1] + reach)
      return i;
  }
  return -1;
}

}  // namespace qzdbs::ui::qt
