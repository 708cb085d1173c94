// Hatch boundaries and pattern lines.
#include "server/document/Hatch.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "base/Overloaded.h"
#include "server/Geometry.h"

namespace qzdbs::server {

namespace {

// ISO 128 / the common pattern files: line families as (angle, spacing),
// spacing at scale 1 in millimetres (the 1/8 inch of the classic patterns).
struct FamilyDef {
  double angle;
  double spacing;
};

const std::map<std::string, std::vector<FamilyDef>>& PatternTable() {
  static const std::map<std::string, std::vector<FamilyDef>> table = {
      {"ANSI31", {{45, 3.175}}},  {"ANSI37", {{45, 3.175}, {135, 3.175}}},
      {"LINE", {{0, 3.175}}},     {"NET", {{0, 3.175}, {90, 3.175}}},
      {"HATCH45", {{45, 3.175}}}, {"CROSS90", {{0, 3.175}, {90, 3.175}}},
  };
  return table;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

double BulgeOf(double sweepDegrees) {
  return std::tan(Radians(sweepDegrees) / 4);
}

BoundaryPiece ArcPiece(const Point3& center, double radius, double start, double end) {
  double sweep = Sweep(start, end);
  if (sweep >= 360.0 - 1e-9) {
    Point3 a = center + Direction(start) * radius;
    Point3 b = center + Direction(start + 180) * radius;
    return {{a, b, a}, {1.0, 1.0}};
  }
  return {{center + Direction(start) * radius, center + Direction(start + sweep) * radius},
          {BulgeOf(sweep)}};
}

// An ellipse in a boundary loop: a chord every 5 degrees.
constexpr double kHatchStepDegrees = 5;

BoundaryPiece EllipsePiece(const EllipseShape& e) {
  BoundaryPiece piece;
  piece.vertices = EllipsePoints(e.center, e.majorAxis, e.ratio, e.startParam,
                                 Sweep(e.startParam, e.endParam), kHatchStepDegrees, 8);
  piece.bulges.assign(piece.vertices.size() - 1, 0.0);
  return piece;
}

void Reverse(BoundaryPiece& piece) {
  std::reverse(piece.vertices.begin(), piece.vertices.end());
  std::reverse(piece.bulges.begin(), piece.bulges.end());
  for (double& bulge : piece.bulges)
    bulge = -bulge;
}

bool Closed(const BoundaryPiece& piece, double tolerance) {
  return piece.vertices.size() > 2 &&
         SamePoint(piece.vertices.front(), piece.vertices.back(), tolerance);
}

BoundaryLoop LoopOf(BoundaryPiece piece, bool outer) {
  BoundaryLoop loop;
  loop.outer = outer;
  // The closing vertex repeats the first: a loop lists each vertex once.
  piece.vertices.pop_back();
  loop.vertices = std::move(piece.vertices);
  loop.bulges = std::move(piece.bulges);
  loop.polygon = FlattenLoop(loop);
  return loop;
}

double Tolerance(const std::vector<BoundaryPiece>& pieces) {
  double size = 0;
  for (const BoundaryPiece& piece : pieces) {
    for (const Point3& p : piece.vertices)
      size = std::max({size, std::fabs(p[0]), std::fabs(p[1])});
  }
  return std::max(1e-6, size * 1e-7);
}

}  // namespace

bool BoundaryPieceOf(const Shape& shape, BoundaryPiece& piece) {
  return std::visit(
      Overloaded{[&](const LineShape& line) {
                   piece = {{line.start, line.end}, {0.0}};
                   return true;
                 },
                 [&](const CircleShape& circle) {
                   piece = ArcPiece(circle.center, circle.radius, 0, 360);
                   return true;
                 },
                 [&](const ArcShape& arc) {
                   piece = ArcPiece(arc.center, arc.radius, arc.startAngle, arc.endAngle);
                   return true;
                 },
                 [&](const EllipseShape& ellipse) {
                   piece = EllipsePiece(ellipse);
                   return true;
                 },
                 [&](const PolylineShape& polyline) {
                   if (polyline.vertices.size() < 2) return false;
                   piece.vertices = polyline.vertices;
                   if (polyline.closed) piece.vertices.push_back(polyline.vertices.front());
                   piece.bulges.assign(piece.vertices.size() - 1, 0.0);
                   return true;
                 },
                 []<typename T>(const T&) {
                   static_assert(kOneOf<T, TextShape, SolidShape, HatchShape, DimensionShape,
                                        LeaderShape, InsertShape>,
                                 "a new kind of shape: say whether it bounds a hatch");
                   return false;
                 }},
      shape);
}

std::vector<BoundaryLoop> ChainLoops(std::vector<BoundaryPiece> pieces, bool outer,
                                     int& openChains) {
  double tolerance = Tolerance(pieces);
  std::vector<BoundaryLoop> loops;
  std::vector<bool> used(pieces.size(), false);
  for (size_t first = 0; first < pieces.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    BoundaryPiece chain = pieces[first];
    while (!Closed(chain, tolerance)) {
      bool extended = false;
      for (size_t i = 0; i < pieces.size() && !extended; ++i) {
        if (used[i]) continue;
        BoundaryPiece next = pieces[i];
        if (SamePoint(next.vertices.back(), chain.vertices.back(), tolerance)) Reverse(next);
        if (!SamePoint(next.vertices.front(), chain.vertices.back(), tolerance)) continue;
        chain.vertices.insert(chain.vertices.end(), next.vertices.begin() + 1, next.vertices.end());
        chain.bulges.insert(chain.bulges.end(), next.bulges.begin(), next.bulges.end());
        used[i] = true;
        extended = true;
      }
      if (!extended) break;
    }
    if (!Closed(chain, tolerance)) {
      ++openChains;
      if (chain.vertices.size() < 2) continue;
      chain.vertices.push_back(chain.vertices.front());
      chain.bulges.push_back(0.0);
    }
    chain.vertices.back() = chain.vertices.front();
    if (chain.vertices.size() >= 3) loops.push_back(LoopOf(std::move(chain), outer));
  }
  return loops;
}

std::vector<Point3> FlattenLoop(const BoundaryLoop& loop) {
  std::vector<Point3> polygon;
  size_t n = loop.vertices.size();
  for (size_t i = 0; i < n; ++i) {
    const Point3& a = loop.vertices[i];
    const Point3& b = loop.vertices[(i + 1) % n];
    double bulge = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
    polygon.push_back(a);
    if (std::fabs(bulge) < 1e-12) continue;
    double chord = Distance(a, b);
    if (chord < kEpsilon) continue;
    double sweep = 4 * std::atan(bulge);  // radians, signed
    Point3 u = (b - a) * (1.0 / chord);
    Point3 center =
        Midpoint(a, b) + LeftNormal(u) * (chord / 2 * (1 - bulge * bulge) / (2 * bulge));
    double start = std::atan2(a[1] - center[1], a[0] - center[0]);
    double radius = Distance(center, a);
    int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(Degrees(sweep)) / 5)));
    for (int k = 1; k < steps; ++k) {
      double t = start + sweep * k / steps;
      polygon.push_back(center + Point3{std::cos(t), std::sin(t), 0} * radius);
    }
  }
  return polygon;
}

bool PatternFamilies(const std::string& name, double scale, double angle, bool doubled,
                     std::vector<PatternFamily>& families) {
  const auto& table = PatternTable();
  auto it = table.find(Upper(name));
  bool known = it != table.end();
  const std::vector<FamilyDef>& defs = known ? it->second : table.at("ANSI31");
  families.clear();
  if (scale <= 0) scale = 1;
  for (const FamilyDef& def : defs) {
    for (double turn : doubled ? std::vector<double>{0, 90} : std::vector<double>{0}) {
      double a = NormalizeAngle(def.angle + angle + turn);
      families.push_back(
          PatternFamily{a, {0, 0, 0}, LeftNormal(Direction(a)) * (def.spacing * scale)});
    }
  }
  return known;
}

bool CompleteHatch(HatchShape& hatch, std::vector<Finding>& findings, const std::string& where) {
  hatch.fill.clear();
  hatch.families.clear();
  hatch.solid = Upper(hatch.pattern) == "SOLID";
  if (hatch.solid) return true;
  bool known =
      PatternFamilies(hatch.pattern, hatch.scale, hatch.angle, hatch.doubled, hatch.families);
  if (!known) {
    findings.push_back(Finding{AuditCode::HatchPattern,
                               "pattern \"" + hatch.pattern + "\" is not known; drawn as ANSI31",
                               where, true});
  }
  constexpr size_t kMaxLines = 20000;
  for (const PatternFamily& family : hatch.families) {
    Point3 u = Direction(family.angle);
    Point3 n = LeftNormal(u);
    double spacing = std::fabs(Dot(family.offset, n));
    if (spacing < kEpsilon) continue;
    double low = INFINITY, high = -INFINITY;
    for (const BoundaryLoop& loop : hatch.loops) {
      for (const Point3& p : loop.polygon) {
        double level = Dot(p - family.origin, n);
        low = std::min(low, level);
        high = std::max(high, level);
      }
    }
    if (!(low <= high)) continue;
    if ((high - low) / spacing > kMaxLines) {
      findings.push_back(Finding{AuditCode::HatchDense,
                                 "the pattern is too fine for the region; its lines are left out",
                                 where, false});
      continue;
    }
    for (double k = std::ceil(low / spacing); k * spacing <= high; k += 1) {
      Point3 base = family.origin + n * (k * spacing);
      std::vector<double> crossings;
      for (const BoundaryLoop& loop : hatch.loops) {
        size_t count = loop.polygon.size();
        for (size_t i = 0; i < count; ++i) {
          const Point3& a = loop.polygon[i];
          const Point3& b = loop.polygon[(i + 1) % count];
          double da = Dot(a - base, n);
          double db = Dot(b - base, n);
          if ((da > 0) == (db > 0)) continue;
          Point3 hit = a + (b - a) * (da / (da - db));
          crossings.push_back(Dot(hit - base, u));
        }
      }
      std::sort(crossings.begin(), crossings.end());
      for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
        if (crossings[i + 1] - crossings[i] < kEpsilon) continue;
        hatch.fill.push_back(LineShape{base + u * crossings[i], base + u * crossings[i + 1]});
      }
    }
  }
  return known;
}

}  // namespace qzdbs::server
