// The similarity maps of the drawing document.
#include "server/Geometry.h"

#include <algorithm>

namespace qzdbs::server {

namespace {

int Chords(double sweep, double stepDegrees, int minChords) {
  return std::max(minChords, static_cast<int>(std::ceil(sweep / stepDegrees)));
}

}  // namespace

std::vector<Point3> ArcPoints(const Point3& center, double radius, double start, double sweep,
                              double stepDegrees, int minChords) {
  const int steps = Chords(sweep, stepDegrees, minChords);
  std::vector<Point3> points;
  for (int i = 0; i <= steps; ++i)
    points.push_back(center + Direction(start + sweep * i / steps) * radius);
  return points;
}

std::vector<Point3> EllipsePoints(const Point3& center, const Point3& majorAxis, double ratio,
                                  double start, double sweep, double stepDegrees, int minChords) {
  const Point3 minor = LeftNormal(majorAxis) * ratio;
  const int steps = Chords(sweep, stepDegrees, minChords);
  std::vector<Point3> points;
  for (int i = 0; i <= steps; ++i) {
    const double t = Radians(start + sweep * i / steps);
    points.push_back(center + majorAxis * std::cos(t) + minor * std::sin(t));
  }
  return points;
}

Affine Affine::Rotation(const Point3& center, double degrees) {
  double cs = std::cos(Radians(degrees));
  double sn = std::sin(Radians(degrees));
  // Exact quarter turns keep axis-parallel geometry axis-parallel.
  if (std::fabs(cs) < 1e-15) cs = 0;
  if (std::fabs(sn) < 1e-15) sn = 0;
  Affine r{cs, -sn, sn, cs, 0, 0};
  r.tx = center[0] - (cs * center[0] - sn * center[1]);
  r.ty = center[1] - (sn * center[0] + cs * center[1]);
  return r;
}

Affine Affine::Mirror(const Point3& from, const Point3& to) {
  Point3 u = Normalized(to - from);
  // Reflection matrix for the direction u: [2ux²-1, 2uxuy; 2uxuy, 2uy²-1].
  Affine m{2 * u[0] * u[0] - 1, 2 * u[0] * u[1], 2 * u[0] * u[1], 2 * u[1] * u[1] - 1, 0, 0};
  Point3 moved = m.Apply(from);
  m.tx = from[0] - moved[0];
  m.ty = from[1] - moved[1];
  return m;
}

Affine Affine::Scaling(const Point3& center, double factor) {
  return {factor, 0, 0, factor, center[0] * (1 - factor), center[1] * (1 - factor)};
}

Affine Affine::After(const Affine& o) const {
  return {a * o.a + b * o.c, a * o.b + b * o.d,        c * o.a + d * o.c,
          c * o.b + d * o.d, a * o.tx + b * o.ty + tx, c * o.tx + d * o.ty + ty};
}

}  // namespace qzdbs::server
