// Leaders.
#include "server/document/Leader.h"

#include <algorithm>
#include <cmath>

#include "server/Geometry.h"
#include "server/document/SketchParts.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

// A Catmull-Rom curve through the vertices: it passes every vertex, as a
// spline leader does.
std::vector<Point3> SmoothPath(const std::vector<Point3>& v) {
  if (v.size() < 3) return v;
  std::vector<Point3> path;
  constexpr int kSteps = 12;
  for (size_t i = 0; i + 1 < v.size(); ++i) {
    const Point3& p0 = v[i == 0 ? 0 : i - 1];
    const Point3& p1 = v[i];
    const Point3& p2 = v[i + 1];
    const Point3& p3 = v[i + 2 < v.size() ? i + 2 : i + 1];
    for (int s = 0; s < kSteps; ++s) {
      double t = static_cast<double>(s) / kSteps;
      double t2 = t * t;
      double t3 = t2 * t;
      path.push_back((p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 +
                      (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
                     0.5);
    }
  }
  path.push_back(v.back());
  return path;
}

}  // namespace

void CompleteLeader(LeaderShape& leader, const DimStyle& style, const TextShape* annotation) {
  leader.graphics = Sketch{};
  const std::vector<Point3>& v = leader.vertices;
  if (v.size() < 2) return;
  double arrow = style.Size(style.arrowSize);
  PolylineShape path;
  path.vertices = leader.spline ? SmoothPath(v) : v;
  leader.graphics.polylines.push_back(path);
  if (leader.arrow) AddArrow(leader.graphics, v[0], v[0] - v[1], arrow, 0);
  if (leader.hookLine) {
    const Point3& last = v.back();
    double side = last[0] >= v[v.size() - 2][0] ? 1 : -1;
    double length = arrow;
    if (annotation) {
      auto corners = TextCorners(*annotation);
      Point3 centre = Midpoint(corners[0], corners[2]);
      if (std::fabs(centre[0] - last[0]) > kEpsilon) side = centre[0] > last[0] ? 1 : -1;
      // The shoulder ends its gap before the text (ISO 128-22), never under it.
      double nearEdge = corners[0][0];
      for (const Point3& corner : corners)
        nearEdge = side > 0 ? std::min(nearEdge, corner[0]) : std::max(nearEdge, corner[0]);
      length = std::min(length, side * (nearEdge - last[0]) - style.Size(style.textGap));
    }
    if (length > kEpsilon)
      leader.graphics.lines.push_back(LineShape{last, last + Point3{side * length, 0, 0}});
  }
}

}  // namespace qzdbs::server
