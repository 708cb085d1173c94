// The similarity maps applied to shapes.
#include "server/document/ShapeTransform.h"

#include <cmath>
#include <utility>

#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

bool Readable(double degrees) {
  double a = NormalizeAngle(degrees);
  return a <= 90.0 + 1e-9 || a > 270.0 + 1e-9;
}

void TransformArcAngles(double& start, double& end, const Affine& map) {
  double s = map.MapAngle(start);
  double e = map.MapAngle(end);
  if (map.Reflects()) std::swap(s, e);
  start = NormalizeAngle(s);
  end = NormalizeAngle(e);
  if (std::fabs(end - start) < 1e-12) end = start + 360.0;
}

void TransformArc(ArcShape& arc, const Affine& map) {
  bool full = Sweep(arc.startAngle, arc.endAngle) >= 360.0 - 1e-9;
  arc.center = map.Apply(arc.center);
  arc.radius *= map.Scale();
  if (full) return;
  TransformArcAngles(arc.startAngle, arc.endAngle, map);
}

void TransformPoints(std::vector<Point3>& points, const Affine& map) {
  for (Point3& p : points)
    p = map.Apply(p);
}

void TransformHatch(HatchShape& hatch, const Affine& map) {
  for (BoundaryLoop& loop : hatch.loops) {
    TransformPoints(loop.vertices, map);
    // A reflection turns every arc the other way round.
    if (map.Reflects()) {
      for (double& bulge : loop.bulges)
        bulge = -bulge;
    }
    TransformPoints(loop.polygon, map);
  }
  for (PatternFamily& family : hatch.families) {
    family.angle = map.MapAngle(family.angle);
    family.origin = map.Apply(family.origin);
    family.offset = map.ApplyVector(family.offset);
  }
  for (LineShape& line : hatch.fill) {
    line.start = map.Apply(line.start);
    line.end = map.Apply(line.end);
  }
  hatch.scale *= map.Scale();
  // Section lines are not mirror-drawn: a reflection keeps the pattern angle.
  if (!map.Reflects()) hatch.angle = NormalizeAngle(hatch.angle + map.RotationAngle());
}

void TransformDimension(DimensionShape& dim, const Affine& map) {
  for (Point3* p : {&dim.ext1, &dim.ext2, &dim.dimLine, &dim.center, &dim.vertex, &dim.arcPoint,
                    &dim.ext1Start, &dim.ext2Start, &dim.ext1End, &dim.ext2End, &dim.definingPoint,
                    &dim.origin, &dim.leaderEnd, &dim.textMid, &dim.attributes.textPosition}) {
    *p = map.Apply(*p);
  }
  dim.radius *= map.Scale();
  dim.rotation = map.MapAngle(dim.rotation);
  if (dim.attributes.rotateText) {
    dim.attributes.textRotation = map.MapAngle(dim.attributes.textRotation);
  }
  if (dim.kind == DimKind::Ordinate && std::fabs(std::fmod(map.RotationAngle(), 180.0)) > 45.0 &&
      std::fabs(std::fmod(map.RotationAngle(), 180.0)) < 135.0) {
    // A quarter turn makes a horizontal ordinate a vertical one.
    dim.xAxis = !dim.xAxis;
  }
  TransformSketch(dim.graphics, map);
}

}  // namespace

void TransformText(TextShape& text, const Affine& map) {
  Point3 position = map.Apply(text.position);
  double height = text.height * map.Scale();
  double rotation = map.MapAngle(text.rotation);
  if (!map.Reflects()) {
    text.position = position;
    text.height = height;
    text.width *= map.Scale();
    text.rotation = NormalizeAngle(rotation);
    return;
  }
  // A reflection turns the text's box over. Either read it along the
  // reflected direction with its rows swapped, or backwards with its columns
  // swapped; take the one that stands upright.
  auto box = LocalTextBox(text);
  Point3 u = Direction(rotation);
  bool alongReflected = Readable(rotation);
  text.position = position;
  text.height = height;
  text.width *= map.Scale();
  double scale = map.Scale();
  if (alongReflected) {
    text.rotation = NormalizeAngle(rotation);
    if (text.attachment >= 1 && text.attachment <= 9) {
      int row = (text.attachment - 1) / 3;
      text.attachment = (2 - row) * 3 + (text.attachment - 1) % 3 + 1;
    } else {
      // The reflected box hangs below the baseline: lift the baseline to its bottom.
      text.position = position - LeftNormal(u) * ((box[3] + box[1]) * scale);
    }
  } else {
    text.rotation = NormalizeAngle(rotation + 180.0);
    if (text.attachment >= 1 && text.attachment <= 9) {
      int column = (text.attachment - 1) % 3;
      text.attachment = ((text.attachment - 1) / 3) * 3 + (2 - column) + 1;
    } else {
      // Reading backwards from the mirrored start: start where the mirrored text ends.
      text.position = position + u * ((box[2] + box[0]) * scale);
    }
  }
}

Affine InsertMap(const InsertShape& insert, const Point3& blockBase) {
  return Affine::Translation(insert.position)
      .After(Affine::Rotation({0, 0, 0}, insert.rotation))
      .After(Affine::Scaling({0, 0, 0}, insert.scale))
      .After(insert.mirrored ? Affine{1, 0, 0, -1, 0, 0} : Affine{})
      .After(Affine::Translation(blockBase * -1.0));
}

namespace {

// Maps each kind of shape.
struct MapShape {
  const Affine& map;

  void operator()(LineShape& s) const {
    s.start = map.Apply(s.start);
    s.end = map.Apply(s.end);
  }
  void operator()(CircleShape& s) const {
    s.center = map.Apply(s.center);
    s.radius *= map.Scale();
  }
  void operator()(ArcShape& s) const { TransformArc(s, map); }
  void operator()(EllipseShape& s) const {
    s.center = map.Apply(s.center);
    s.majorAxis = map.ApplyVector(s.majorAxis);
    if (map.Reflects() && Sweep(s.startParam, s.endParam) < 360.0 - 1e-9) {
      // Reflected, the parameter runs the other way round.
      double start = NormalizeAngle(-s.endParam);
      s.endParam = NormalizeAngle(-s.startParam);
      s.startParam = start;
    }
  }
  void operator()(PolylineShape& s) const {
    TransformPoints(s.vertices, map);
    s.width *= map.Scale();
  }
  void operator()(TextShape& s) const { TransformText(s, map); }
  void operator()(SolidShape& s) const {
    for (Point3& corner : s.corners)
      corner = map.Apply(corner);
  }
  void operator()(HatchShape& s) const { TransformHatch(s, map); }
  void operator()(DimensionShape& s) const { TransformDimension(s, map); }
  void operator()(LeaderShape& s) const {
    TransformPoints(s.vertices, map);
    ForEachShape(s.graphics, *this);
  }
  void operator()(InsertShape& s) const {
    s.position = map.Apply(s.position);
    s.scale *= map.Scale();
    s.rotation = NormalizeAngle(map.MapAngle(s.rotation));
    if (map.Reflects()) s.mirrored = !s.mirrored;
  }
};

}  // namespace

void TransformSketch(Sketch& sketch, const Affine& map) {
  ForEachShape(sketch, MapShape{map});
}

void TransformShape(Shape& shape, const Affine& map) {
  std::visit(MapShape{map}, shape);
}

std::vector<std::pair<std::string, TextShape>> PlacedAttributes(const InsertShape& insert,
                                                                const BlockDefinition& block) {
  std::vector<std::pair<std::string, TextShape>> placed;
  const Affine place = InsertMap(insert, block.basePoint);
  for (const auto& [tag, value] : insert.attributes) {
    for (const AttributeDefinition& definition : block.attributeDefinitions) {
      if (definition.tag != tag) continue;
      TextShape text = definition.text;
      text.runs = {TextRun::Plain(value)};
      TransformText(text, place);
      placed.emplace_back(tag, std::move(text));
      break;
    }
  }
  return placed;
}

}  // namespace qzdbs::server
