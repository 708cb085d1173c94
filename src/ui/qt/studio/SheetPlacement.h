// Where the studio's parts stand on the sheet, and what the pointer finds
// there: the map of a placed part, snapping to the grid and to the
// endpoints of what is drawn, the lines a part is drawn with, and the part
// under the pointer.
#pragma once

#include <vector>

#include "server/Document.h"
#include "server/Geometry.h"
#include "server/document/Extents.h"
#include "ui/StudioDrawing.h"

namespace qzdbs::ui::qt {

// Puts a part drawn with its base point at `anchor` where `placement` says.
server::Affine PlacementMap(const Point3& anchor, const Placement& placement);

// The placement that sets a part drawn with `extents` and base point
// `anchor` `gap` to the right of `right`, unturned: where studios that chose
// for the user put it.
Placement BesideOf(double right, double gap, const server::Extents& extents, const Point3& anchor);

enum class SnapKind { None, Grid, Endpoint };

struct Snapped {
  Point3 point{};
  SnapKind kind = SnapKind::None;
};

// An endpoint within `reach` of `point` wins (the nearest); otherwise the
// nearest grid point when `grid` is positive; otherwise the point itself.
Snapped Snap(const Point3& point, double grid, const std::vector<Point3>& endpoints, double reach);

// The ends of lines and arcs and the vertices of polylines, where `map`
// puts them.
std::vector<Point3> Endpoints(const server::Document& part, const server::Affine& map);

// The part's extents where `map` puts it.
server::Extents PlacedExtents(const server::Document& part, const server::Affine& map);

// A part as the pointer meets it and as the preview outlines it: what is
// drawn, where `map` puts it, as polylines (curves as short chords, a text
// as its box). An area (a text's box, a solid, a hatched region) is met
// anywhere inside, a line only near it.
struct Stroke {
  std::vector<Point3> points;
  bool area = false;
};
using Strokes = std::vector<Stroke>;

// Leaves out what the canvas does not draw: invisible entities and the
// layers that do not print.
Strokes PartStrokes(const server::Document& part, const server::Affine& map);

// How far `point` is from the nearest stroke: 0 inside an area, infinity
// when there is none.
double DistanceTo(const Strokes& strokes, const Point3& point);

// The part under `point`: the last drawn that comes within `reach` of it;
// -1 when none does. The empty corners of a part's box are not the part.
int PartAt(const std::vector<Strokes>& parts, const Point3& point, double reach);

}  // namespace qzdbs::ui::qt
