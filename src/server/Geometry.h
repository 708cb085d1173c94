// Plane geometry of the drawing document: points are Point3 (Z kept but the
// drawing lives in the XY plane), angles are degrees counter-clockwise.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "host/HostObject.h"

namespace qzdbs::server {

constexpr double kEpsilon = 1e-9;

inline Point3 operator+(const Point3& a, const Point3& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
inline Point3 operator-(const Point3& a, const Point3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline Point3 operator*(const Point3& a, double s) {
  return {a[0] * s, a[1] * s, a[2] * s};
}
inline Point3 operator*(double s, const Point3& a) {
  return a * s;
}

inline double Dot(const Point3& a, const Point3& b) {
  return a[0] * b[0] + a[1] * b[1];
}
inline double Cross(const Point3& a, const Point3& b) {
  return a[0] * b[1] - a[1] * b[0];
}
inline double Length(const Point3& a) {
  return std::hypot(a[0], a[1]);
}
inline double Distance(const Point3& a, const Point3& b) {
  return Length(b - a);
}
inline Point3 Normalized(const Point3& a) {
  double length = Length(a);
  return length < kEpsilon ? Point3{1, 0, 0} : Point3{a[0] / length, a[1] / length, 0};
}
// The left normal: the direction turned a quarter counter-clockwise.
inline Point3 LeftNormal(const Point3& a) {
  return {-a[1], a[0], 0};
}
inline Point3 Midpoint(const Point3& a, const Point3& b) {
  return (a + b) * 0.5;
}

inline double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}
inline double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}
// The unit vector at an angle.
inline Point3 Direction(double degrees) {
  return {std::cos(Radians(degrees)), std::sin(Radians(degrees)), 0};
}
inline double AngleOf(const Point3& v) {
  return Degrees(std::atan2(v[1], v[0]));
}
// An angle brought into [0, 360).
inline double NormalizeAngle(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  if (a >= 360.0 - 1e-12) a = 0;
  return a;
}
// The counter-clockwise sweep from one angle to another, in (0, 360].
inline double Sweep(double from, double to) {
  double s = NormalizeAngle(to - from);
  return s < 1e-12 ? 360.0 : s;
}
inline bool IsFinite(const Point3& p) {
  return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}
inline bool SamePoint(const Point3& a, const Point3& b, double tolerance = 1e-6) {
  return Distance(a, b) <= tolerance;
}

// Points along a circular arc from `start` through `sweep` degrees: a chord
// for every `stepDegrees` of it and no fewer than `minChords`, for whatever
// takes curves as straight lines (pictures, hatch loops, hit tests).
std::vector<Point3> ArcPoints(const Point3& center, double radius, double start, double sweep,
                              double stepDegrees, int minChords);
// The same along an elliptical arc: `majorAxis` from the centre, the minor
// axis `ratio` of it, the parameter from `start` through `sweep` degrees.
std::vector<Point3> EllipsePoints(const Point3& center, const Point3& majorAxis, double ratio,
                                  double start, double sweep, double stepDegrees, int minChords);

// A similarity of the plane: x' = A x + t, where A is a rotation, possibly
// with a reflection and a uniform scale. Moves, rotations, mirrors, array
// steps and view placement are all of this kind, so circles stay circles.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1;  // A = [a b; c d]
  double tx = 0, ty = 0;

  static Affine Translation(const Point3& offset) { return {1, 0, 0, 1, offset[0], offset[1]}; }
  static Affine Rotation(const Point3& center, double degrees);
  // Reflection in the line through two points.
  static Affine Mirror(const Point3& from, const Point3& to);
  static Affine Scaling(const Point3& center, double factor);

  Point3 Apply(const Point3& p) const {
    return {a * p[0] + b * p[1] + tx, c * p[0] + d * p[1] + ty, p[2]};
  }
  Point3 ApplyVector(const Point3& v) const {
    return {a * v[0] + b * v[1], c * v[0] + d * v[1], v[2]};
  }
  // This after other.
  Affine After(const Affine& other) const;
  bool Reflects() const { return a * d - b * c < 0; }
  double Scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
  // The angle by which the map turns the X axis.
  double RotationAngle() const { return AngleOf({a, c, 0}); }
  // Where a direction given as an angle goes.
  double MapAngle(double degrees) const { return AngleOf(ApplyVector(Direction(degrees))); }
};

}  // namespace qzdbs::server
