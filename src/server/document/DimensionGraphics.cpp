// Drawing the seven kinds of dimension.
#include "server/document/DimensionGraphics.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "server/Geometry.h"
#include "server/document/DimensionText.h"
#include "server/document/SketchParts.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

// Sizes of the style at the drawing scale, and where to report.
struct Context {
  double textHeight;
  double arrow;
  double extOffset;
  double extExtension;
  double gap;
  std::vector<Finding>& findings;
  const std::string& where;
  int choice;
};

// The other places of a text: outside beside either arrow, then half a text
// height further out at each step (a short dimension's text stays near it);
// last, just inside either arrow.
constexpr int kLinearSteps = 9;
constexpr double kLinearStep = 0.5;
constexpr int kLinearChoices = kLinearSteps * 2 + 2;
// A diameter or radius turned by these angles from where the library put it.
constexpr double kRadialTurns[] = {45, -45, 90, -90, 135, -135, 180};
// An ordinate's leader jogged sideways by so many text heights.
constexpr double kOrdinateJogs[] = {1.5, -1.5, 3, -3};

// The text position counts as given when it is not the point the dimension
// line was placed by (the library repeats that point when it has no text
// position of its own).
bool TextPositionGiven(const DimensionShape& dim, const Point3& placedBy) {
  return !SamePoint(dim.attributes.textPosition, placedBy, 1e-6);
}

int ArrowKind(const DimensionShape& dim, bool first) {
  return first ? dim.attributes.outIndex : dim.attributes.inIndex;
}

void AddArrowIf(const DimensionShape& dim, Sketch& sketch, bool first, const Point3& tip,
                const Point3& direction, double size) {
  bool wanted = first ? dim.attributes.firstArrow : dim.attributes.secondArrow;
  if (wanted) AddArrow(sketch, tip, direction, size, ArrowKind(dim, first));
}

// An extension line from a feature point towards the dimension line, starting
// the style's offset away from the feature and running past the line.
void AddExtensionLine(Sketch& sketch, const Point3& feature, const Point3& onLine,
                      const Context& c) {
  Point3 d = onLine - feature;
  double length = Length(d);
  if (length < kEpsilon) return;
  Point3 w = d * (1.0 / length);
  if (length <= c.extOffset) return;
  sketch.lines.push_back(LineShape{feature + w * c.extOffset, onLine + w * c.extExtension});
}

// The text of a straight dimension line: above the line (or centred in a gap
// of it when DimDad is 1), reading along it, or turned when asked. Returns
// the extent along the line, from the line's own origin, that the text covers.
std::pair<double, double> PlaceLineText(DimensionShape& dim, const Point3& origin,
                                        const Point3& along, double at, const Context& c) {
  double angle = ReadableAngle(AngleOf(along));
  Point3 up = LeftNormal(Direction(angle));
  Point3 mid = origin + along * at;
  double width = RunsWidth(dim.text, c.textHeight);
  bool centred = dim.attributes.dimDad == 1;
  double rotation = dim.attributes.rotateText ? dim.attributes.textRotation : angle;
  TextShape text = centred ? MakeText(dim.text, mid, rotation, 5, c.textHeight)
                           : MakeText(dim.text, mid + up * c.gap, rotation, 8, c.textHeight);
  dim.graphics.texts.push_back(text);
  if (dim.attributes.rectText) AddFrame(dim.graphics, text, c.gap * 0.5);
  return {at - width / 2 - c.gap, at + width / 2 + c.gap};
}

// The dimension line from a to b along u, with arrows at both ends (inside
// when they fit, outside otherwise), stretched to reach the text and broken
// round a centred text.
void AddDimensionLine(DimensionShape& dim, const Point3& a, const Point3& b,
                      std::pair<double, double> textSpan, const Context& c) {
  Point3 u = Normalized(b - a);
  double span = Distance(a, b);
  bool inside = span >= 2 * c.arrow + c.gap;
  double from = inside ? 0 : -2 * c.arrow;
  double to = inside ? span : span + 2 * c.arrow;
  from = std::min(from, textSpan.first);
  to = std::max(to, textSpan.second);
  if (dim.attributes.dimDad == 1) {
    if (textSpan.first > from)
      dim.graphics.lines.push_back(LineShape{a + u * from, a + u * textSpan.first});
    if (textSpan.second < to)
      dim.graphics.lines.push_back(LineShape{a + u * textSpan.second, a + u * to});
  } else {
    dim.graphics.lines.push_back(LineShape{a + u * from, a + u * to});
  }
  AddArrowIf(dim, dim.graphics, true, a, inside ? u * -1.0 : u, c.arrow);
  AddArrowIf(dim, dim.graphics, false, b, inside ? u : u * -1.0, c.arrow);
}

std::optional<double> DrawLinear(DimensionShape& dim, const Context& c) {
  Point3 u = dim.kind == DimKind::Rotated ? Direction(dim.rotation) : dim.ext2 - dim.ext1;
  if (Length(u) < kEpsilon) return std::nullopt;
  u = Normalized(u);
  Point3 q1 = dim.dimLine + u * Dot(dim.ext1 - dim.dimLine, u);
  Point3 q2 = dim.dimLine + u * Dot(dim.ext2 - dim.dimLine, u);
  double measurement = std::fabs(Dot(dim.ext2 - dim.ext1, u));
  SetDimensionText(dim, measurement, c.findings, c.where);

  if (dim.attributes.firstLine) AddExtensionLine(dim.graphics, dim.ext1, q1, c);
  if (dim.attributes.secondLine) AddExtensionLine(dim.graphics, dim.ext2, q2, c);

  Point3 e = Distance(q1, q2) < kEpsilon ? u : Normalized(q2 - q1);
  double span = Distance(q1, q2);
  double width = RunsWidth(dim.text, c.textHeight);
  double at = span / 2;
  if (TextPositionGiven(dim, dim.dimLine)) {
    at = Dot(dim.attributes.textPosition - q1, e);
  } else if (dim.attributes.dimJust == 1) {
    at = width / 2 + 2 * c.arrow;
  } else if (dim.attributes.dimJust == 2) {
    at = span - width / 2 - 2 * c.arrow;
  }
  // A text that does not fit between the extension lines stands outside,
  // beside the arrow on the side it was nearer, from the middle on the first
  // side unless DimJust asks for the second (ISO 129-1).
  if (width + 2 * c.gap > span && at > -width / 2 && at < span + width / 2) {
    const double outside = 2 * c.arrow + c.gap + width / 2;
    const bool second =
        std::fabs(at - span / 2) > 1e-6 ? at > span / 2 : dim.attributes.dimJust == 2;
    at = second ? span + outside : -outside;
  }
  if (c.choice > kLinearSteps * 2) {
    const double inside = c.arrow + c.gap + width / 2;
    at = c.choice % 2 ? inside : span - inside;
  } else if (c.choice > 0) {
    const double outside =
        2 * c.arrow + c.gap + width / 2 + (c.choice - 1) / 2 * kLinearStep * c.textHeight;
    at = c.choice % 2 ? -outside : span + outside;
  }
  auto textSpan = PlaceLineText(dim, q1, e, at, c);
  AddDimensionLine(dim, q1, q2, textSpan, c);
  return measurement;
}

// Diameter and radius: the line runs along the direction of the text from
// the centre; inside the circle the text sits on it, outside the line goes
// on under the text.
std::optional<double> DrawRadial(DimensionShape& dim, const Context& c) {
  if (dim.radius <= kEpsilon) return std::nullopt;
  bool diameter = dim.kind == DimKind::Diametric;
  double measurement = diameter ? 2 * dim.radius : dim.radius;
  SetDimensionText(dim, measurement, c.findings, c.where);

  Point3 toText = dim.attributes.textPosition - dim.center;
  if (c.choice > 0) {
    const double turn = Radians(kRadialTurns[c.choice - 1]);
    toText = {toText[0] * std::cos(turn) - toText[1] * std::sin(turn),
              toText[0] * std::sin(turn) + toText[1] * std::cos(turn), 0};
    dim.attributes.textPosition = dim.center + toText;
  }
  Point3 v = Length(toText) < kEpsilon ? Direction(45) : Normalized(toText);
  double distance = Length(toText);
  Point3 near = dim.center + v * dim.radius;
  Point3 far = dim.center - v * dim.radius;
  Point3 start = diameter ? far : dim.center;
  double width = RunsWidth(dim.text, c.textHeight);

  double at;  // where the text centre sits along v, from the centre
  double reach;
  // Inside a circle too small for it the text goes outside (ISO 129-1).
  const double room = diameter ? 2 * dim.radius - 2 * c.arrow : dim.radius - c.arrow;
  if (distance <= dim.radius && width + 2 * c.gap > room) distance = dim.radius + c.arrow;
  if (distance <= dim.radius) {
    at = distance;
    reach = dim.radius;
  } else {
    at = distance + width / 2;
    reach = distance + width;
  }
  double angle = ReadableAngle(AngleOf(v));
  Point3 up = LeftNormal(Direction(angle));
  double rotation = dim.attributes.rotateText ? dim.attributes.textRotation : angle;
  TextShape text = MakeText(dim.text, dim.center + v * at + up * c.gap, rotation, 8, c.textHeight);
  dim.graphics.texts.push_back(text);
  if (dim.attributes.rectText) AddFrame(dim.graphics, text, c.gap * 0.5);

  dim.graphics.lines.push_back(LineShape{start, dim.center + v * std::max(reach, at + width / 2)});
  AddArrowIf(dim, dim.graphics, true, near, v, c.arrow);
  if (diameter) AddArrowIf(dim, dim.graphics, false, far, v * -1.0, c.arrow);
  return measurement;
}

// The sector of an angular dimension: vertex, the rays' angles (the arc runs
// counter-clockwise from first to second) and the feature points on each ray.
struct Sector {
  Point3 vertex;
  double first;
  double second;
  std::vector<Point3> firstFeatures;
  std::vector<Point3> secondFeatures;
};

std::optional<Sector> ThreePointSector(const DimensionShape& dim) {
  if (SamePoint(dim.ext1End, dim.vertex) || SamePoint(dim.ext2End, dim.vertex)) return std::nullopt;
  double a1 = AngleOf(dim.ext1End - dim.vertex);
  double a2 = AngleOf(dim.ext2End - dim.vertex);
  double ap = AngleOf(dim.arcPoint - dim.vertex);
  if (Sweep(a1, ap) <= Sweep(a1, a2))
    return Sector{dim.vertex, a1, a2, {dim.ext1End}, {dim.ext2End}};
  return Sector{dim.vertex, a2, a1, {dim.ext2End}, {dim.ext1End}};
}

std::optional<Sector> TwoLineSector(const DimensionShape& dim) {
  Point3 d1 = dim.ext1End - dim.ext1Start;
  Point3 d2 = dim.ext2End - dim.ext2Start;
  double denominator = Cross(d1, d2);
  if (Length(d1) < kEpsilon || Length(d2) < kEpsilon ||
      std::fabs(denominator) < kEpsilon * Length(d1) * Length(d2)) {
    return std::nullopt;
  }
  double t = Cross(dim.ext2Start - dim.ext1Start, d2) / denominator;
  Point3 vertex = dim.ext1Start + d1 * t;
  // The arc point picks the quadrant: write it in the lines' directions.
  Point3 p = dim.arcPoint - vertex;
  double alpha = Cross(p, d2) / denominator;
  double beta = Cross(d1, p) / denominator;
  Point3 r1 = alpha >= 0 ? d1 : d1 * -1.0;
  Point3 r2 = beta >= 0 ? d2 : d2 * -1.0;
  std::vector<Point3> f1{dim.ext1Start, dim.ext1End};
  std::vector<Point3> f2{dim.ext2Start, dim.ext2End};
  if (Cross(r1, r2) >= 0) return Sector{vertex, AngleOf(r1), AngleOf(r2), f1, f2};
  return Sector{vertex, AngleOf(r2), AngleOf(r1), f2, f1};
}

// An extension line along a ray when the feature stops short of the arc.
void AddRayExtension(Sketch& sketch, const Point3& vertex, double angle,
                     const std::vector<Point3>& features, double radius, const Context& c) {
  Point3 u = Direction(angle);
  double reach = 0;
  for (const Point3& p : features)
    reach = std::max(reach, Dot(p - vertex, u));
  if (reach + c.extOffset >= radius) return;
  sketch.lines.push_back(
      LineShape{vertex + u * (reach + c.extOffset), vertex + u * (radius + c.extExtension)});
}

std::optional<double> DrawAngular(DimensionShape& dim, const Context& c) {
  std::optional<Sector> sector =
      dim.kind == DimKind::Angular3Point ? ThreePointSector(dim) : TwoLineSector(dim);
  double radius = sector ? Distance(sector->vertex, dim.arcPoint) : 0;
  if (!sector || radius < kEpsilon) return std::nullopt;
  double sweep = Sweep(sector->first, sector->second);
  SetDimensionText(dim, sweep, c.findings, c.where);
  if (dim.attributes.firstLine) {
    AddRayExtension(dim.graphics, sector->vertex, sector->first, sector->firstFeatures, radius, c);
  }
  if (dim.attributes.secondLine) {
    AddRayExtension(dim.graphics, sector->vertex, sector->second, sector->secondFeatures, radius,
                    c);
  }
  double arcLength = Radians(sweep) * radius;
  bool inside = arcLength >= 2 * c.arrow + c.gap;
  double extra = inside ? 0 : Degrees(2 * c.arrow / radius);
  dim.graphics.arcs.push_back(
      ArcShape{sector->vertex, radius, sector->first - extra, sector->second + extra});
  Point3 start = sector->vertex + Direction(sector->first) * radius;
  Point3 end = sector->vertex + Direction(sector->second) * radius;
  Point3 startTangent = LeftNormal(Direction(sector->first)) * -1.0;  // pointing back along the arc
  Point3 endTangent = LeftNormal(Direction(sector->second));
  AddArrowIf(dim, dim.graphics, true, start, inside ? startTangent : startTangent * -1.0, c.arrow);
  AddArrowIf(dim, dim.graphics, false, end, inside ? endTangent : endTangent * -1.0, c.arrow);

  // Angles are written horizontally (GB/T 4458.4), beyond the arc's middle
  // (the whole box clear of the arc) unless the library placed the text.
  const Point3 middle = Direction(sector->first + sweep / 2);
  const double clear = std::fabs(middle[0]) * RunsWidth(dim.text, c.textHeight) / 2 +
                       std::fabs(middle[1]) * c.textHeight / 2;
  Point3 position = TextPositionGiven(dim, dim.arcPoint)
                        ? dim.attributes.textPosition
                        : sector->vertex + middle * (radius + c.gap + clear);
  double rotation = dim.attributes.rotateText ? dim.attributes.textRotation : 0;
  TextShape text = MakeText(dim.text, position, rotation, 5, c.textHeight);
  dim.graphics.texts.push_back(text);
  if (dim.attributes.rectText) AddFrame(dim.graphics, text, c.gap * 0.5);
  return sweep;
}

// An ordinate: a leader from the feature to the leader end, with a jog when
// they are not on one line, and the text beyond its end.
std::optional<double> DrawOrdinate(DimensionShape& dim, const Context& c) {
  Point3 axis = dim.xAxis ? Point3{0, 1, 0} : Point3{1, 0, 0};  // the leader's direction
  double measurement =
      dim.xAxis ? dim.definingPoint[0] - dim.origin[0] : dim.definingPoint[1] - dim.origin[1];
  measurement = std::fabs(measurement);
  SetDimensionText(dim, measurement, c.findings, c.where);
  if (c.choice > 0) {
    const Point3 across = dim.xAxis ? Point3{1, 0, 0} : Point3{0, 1, 0};
    dim.leaderEnd = dim.leaderEnd + across * (kOrdinateJogs[c.choice - 1] * c.textHeight);
  }
  double run = Dot(dim.leaderEnd - dim.definingPoint, axis);
  double sign = run >= 0 ? 1 : -1;
  Point3 start = dim.definingPoint + axis * (sign * c.extOffset);
  Point3 across = dim.leaderEnd - dim.definingPoint - axis * run;
  if (Length(across) < kEpsilon) {
    dim.graphics.lines.push_back(LineShape{start, dim.leaderEnd});
  } else {
    // The jog near the text, where the leader has left the part behind.
    Point3 jog1 = dim.definingPoint + axis * (run * 0.6);
    Point3 jog2 = jog1 + across + axis * (run * 0.2);
    dim.graphics.lines.push_back(LineShape{start, jog1});
    dim.graphics.lines.push_back(LineShape{jog1, jog2});
    dim.graphics.lines.push_back(LineShape{jog2, dim.leaderEnd});
  }
  double rotation = dim.xAxis ? 90 : 0;
  int attachment = sign > 0 ? 4 : 6;
  TextShape text =
      MakeText(dim.text, dim.leaderEnd + axis * (sign * c.gap), rotation, attachment, c.textHeight);
  dim.graphics.texts.push_back(text);
  if (dim.attributes.rectText) AddFrame(dim.graphics, text, c.gap * 0.5);
  return measurement;
}

}  // namespace

int TextChoices(const DimensionShape& dim) {
  switch (dim.kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      return kLinearChoices;
    case DimKind::Diametric:
    case DimKind::Radial:
      return static_cast<int>(std::size(kRadialTurns));
    case DimKind::Ordinate:
      return static_cast<int>(std::size(kOrdinateJogs));
    case DimKind::Angular3Point:
    case DimKind::Angular2Line:
      break;
  }
  return 0;
}

void CompleteDimension(DimensionShape& dim, const DimStyle& style, std::vector<Finding>& findings,
                       const std::string& where, int textChoice) {
  dim.graphics = Sketch{};
  Context c{style.Size(style.textHeight),
            style.Size(style.arrowSize),
            style.Size(style.extOffset),
            style.Size(style.extExtension),
            style.Size(style.textGap),
            findings,
            where,
            textChoice};
  std::optional<double> measurement;
  switch (dim.kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      measurement = DrawLinear(dim, c);
      break;
    case DimKind::Diametric:
    case DimKind::Radial:
      measurement = DrawRadial(dim, c);
      break;
    case DimKind::Angular3Point:
    case DimKind::Angular2Line:
      measurement = DrawAngular(dim, c);
      break;
    case DimKind::Ordinate:
      measurement = DrawOrdinate(dim, c);
      break;
  }
  if (!measurement) {
    findings.push_back(Finding{
        AuditCode::DimDegenerate,
        "the dimension's defining points give no measurement; it is left out", where, false});
    dim.graphics = Sketch{};
    return;
  }
  dim.measurement = *measurement;
  const TextShape& text = dim.graphics.texts.front();
  auto corners = TextCorners(text);
  dim.textMid = Midpoint(corners[0], corners[2]);
}

}  // namespace qzdbs::server
