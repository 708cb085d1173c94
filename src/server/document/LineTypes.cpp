// Line types and their scales.
#include "server/document/LineTypes.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "server/Geometry.h"
#include "server/document/Layers.h"

namespace qzdbs::server {

namespace {

double PathLength(const std::vector<Point3>& points, bool closed) {
  double length = 0;
  for (size_t i = 1; i < points.size(); ++i)
    length += Distance(points[i - 1], points[i]);
  if (closed && points.size() > 2) length += Distance(points.back(), points.front());
  return length;
}

// The length the pattern runs along; 0 for what has no pattern of its own.
double PatternRun(const Shape& shape) {
  constexpr double kPi = 3.14159265358979323846;
  if (const auto* line = std::get_if<LineShape>(&shape)) return Distance(line->start, line->end);
  if (const auto* circle = std::get_if<CircleShape>(&shape)) return 2 * kPi * circle->radius;
  if (const auto* arc = std::get_if<ArcShape>(&shape))
    return Radians(Sweep(arc->startAngle, arc->endAngle)) * arc->radius;
  if (const auto* ellipse = std::get_if<EllipseShape>(&shape))
    return Radians(Sweep(ellipse->startParam, ellipse->endParam)) * Length(ellipse->majorAxis) *
           (1 + ellipse->ratio) / 2;
  if (const auto* polyline = std::get_if<PolylineShape>(&shape))
    return PathLength(polyline->vertices, polyline->closed);
  return 0;
}

}  // namespace

const std::vector<LineTypePattern>& LineTypePatterns() {
  static const std::vector<LineTypePattern> patterns{
      {"CENTER", "Center ____ _ ____ _", {12, 3, 2, 3}},
      {"DASHED", "Dashed __ __ __", {6, 2}},
      {"PHANTOM", "Phantom ____ _ _ ____", {12, 3, 2, 3, 2, 3}},
  };
  return patterns;
}

const std::vector<double>& DashPattern(const std::string& lineType) {
  static const std::vector<double> kNone;
  for (const LineTypePattern& pattern : LineTypePatterns())
    if (pattern.name == lineType) return pattern.elements;
  return kNone;
}

void SetLineTypeScales(Document& document) {
  ForEachEntity(document, [&](Entity& entity) {
    entity.lineTypeScale = 1;
    const Layer* layer = document.FindLayer(entity.layer);
    if (!layer) return;
    const std::vector<double>& pattern = DashPattern(layer->lineType);
    const double run = PatternRun(entity.shape);
    if (pattern.empty() || run <= 0) return;
    // Two dashes: one whole pattern and the first dash again.
    const double needed = std::accumulate(pattern.begin(), pattern.end(), 0.0) + pattern[0];
    if (run >= needed) return;
    entity.lineTypeScale = std::max(0.01, std::floor(run / needed * 100) / 100);
  });
}

double FittedPatternScale(double length, const std::vector<double>& pattern, double scale) {
  if (pattern.empty() || length <= 0 || scale <= 0) return scale;
  const double whole = std::accumulate(pattern.begin(), pattern.end(), 0.0);
  // An even number of whole patterns and the first dash once more.
  const double patterns = std::max(2.0, 2 * std::round((length / scale - pattern[0]) / whole / 2));
  return length / (patterns * whole + pattern[0]);
}

}  // namespace qzdbs::server
