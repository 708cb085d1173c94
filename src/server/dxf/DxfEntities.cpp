// DXF entities of the document.
#include "server/dxf/DxfEntities.h"

#include <algorithm>
#include <cmath>

#include "base/Overloaded.h"
#include "server/Geometry.h"
#include "server/document/ShapeTransform.h"
#include "server/text/AnnotationText.h"
#include "server/text/DxfText.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string EscapeMText(std::string text) {
  text = Replace(text, "\\", "\\\\");
  text = Replace(text, "{", "\\{");
  text = Replace(text, "}", "\\}");
  return Replace(text, "\n", "\\P");
}

// A stack's parts may not hold its own separators.
std::string StackPart(const std::string& text) {
  return Replace(Replace(EscapeMText(text), "^", "\\^"), ";", "\\;");
}

// The DXF dimension type numbers, and the subclass each writes.
int DimensionTypeNumber(const DimensionShape& d) {
  switch (d.kind) {
    case DimKind::Rotated:
      return 0;
    case DimKind::Aligned:
      return 1;
    case DimKind::Angular2Line:
    case DimKind::Angular3Point:
      return 2;
    case DimKind::Diametric:
      return 3;
    case DimKind::Radial:
      return 4;
    case DimKind::Ordinate:
      return d.xAxis ? 6 | 64 : 6;
  }
  return 0;
}

// The point on the dimension line at the second extension line: the
// definition point of linear dimensions.
Point3 LinearDefinitionPoint(const DimensionShape& d) {
  Point3 u = d.kind == DimKind::Rotated ? Direction(d.rotation) : Normalized(d.ext2 - d.ext1);
  return d.dimLine + u * Dot(d.ext2 - d.dimLine, u);
}

Point3 RadialDirection(const DimensionShape& d) {
  Point3 toText = d.attributes.textPosition - d.center;
  return Length(toText) < kEpsilon ? Direction(45) : Normalized(toText);
}

// The two-line angular dimension names its arc location. A three-point one is
// written as the two lines from its vertex (the same angle and arc): some
// readers draw no three-point angular dimension.
void DimensionSubclass(const DxfStream& out, const DimensionShape& d) {
  switch (d.kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      out.dxfString(100, "AcDbAlignedDimension");
      out.Point(13, d.ext1);
      out.Point(14, d.ext2);
      if (d.kind == DimKind::Rotated) {
        out.dxfReal(50, NormalizeAngle(d.rotation));
        out.dxfString(100, "AcDbRotatedDimension");
      }
      break;
    case DimKind::Diametric:
      out.dxfString(100, "AcDbDiametricDimension");
      out.Point(15, d.center + RadialDirection(d) * d.radius);
      out.dxfReal(40, 0.0);
      break;
    case DimKind::Radial:
      out.dxfString(100, "AcDbRadialDimension");
      out.Point(15, d.center + RadialDirection(d) * d.radius);
      out.dxfReal(40, 0.0);
      break;
    case DimKind::Angular2Line:
      out.dxfString(100, "AcDb2LineAngularDimension");
      out.Point(13, d.ext1Start);
      out.Point(14, d.ext1End);
      out.Point(15, d.ext2Start);
      out.Point(16, d.arcPoint);
      break;
    case DimKind::Angular3Point:
      out.dxfString(100, "AcDb2LineAngularDimension");
      out.Point(13, d.vertex);
      out.Point(14, d.ext1End);
      out.Point(15, d.vertex);
      out.Point(16, d.arcPoint);
      break;
    case DimKind::Ordinate:
      out.dxfString(100, "AcDbOrdinateDimension");
      out.Point(13, d.definingPoint);
      out.Point(14, d.leaderEnd);
      break;
  }
}

Point3 DimensionDefinitionPoint(const DimensionShape& d) {
  switch (d.kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      return LinearDefinitionPoint(d);
    case DimKind::Diametric:
      return d.center - RadialDirection(d) * d.radius;
    case DimKind::Radial:
      return d.center;
    case DimKind::Angular2Line:
    case DimKind::Angular3Point:
      return d.ext2End;
    case DimKind::Ordinate:
      return d.origin;
  }
  return {};
}

}  // namespace

std::string MTextCodes(const RichText& runs) {
  std::string out;
  for (const TextRun& run : runs) {
    if (run.stacked) {
      out += "\\S" + StackPart(run.upper) + "^" + StackPart(run.lower) + ";";
    } else {
      out += EscapeMText(run.text);
    }
  }
  return out;
}

unsigned long DxfEntityWriter::Write(const Entity& entity) {
  DxfStyle style{DxfName(entity.layer), entity.color, entity.visible, entity.lineTypeScale};
  return Shape(entity.shape, style, &entity);
}

void DxfEntityWriter::WriteSketch(const Sketch& sketch, const DxfStyle& style) {
  ForEachShape(sketch, Overloaded{
                           [&](const LineShape& line) { Shape(line, style, nullptr); },
                           [&](const ArcShape& arc) { Shape(arc, style, nullptr); },
                           [&](const PolylineShape& polyline) { Polyline(polyline, style); },
                           [&](const SolidShape& solid) { Solid(solid, style); },
                           [&](const TextShape& text) { MText(text, style); },
                       });
}

unsigned long DxfEntityWriter::Shape(const qzdbs::server::Shape& shape, const DxfStyle& style,
                                     const Entity* owner) {
  unsigned long h = out_.getNextHandle();
  return std::visit(
      Overloaded{
          [&](const LineShape& line) {
            const Point3& a = line.start;
            const Point3& b = line.end;
            dxf_.writeLine(out_, DL_LineData(a[0], a[1], a[2], b[0], b[1], b[2]),
                           out_.Attributes(style));
            return h;
          },
          [&](const CircleShape& circle) {
            const Point3& c = circle.center;
            dxf_.writeCircle(out_, DL_CircleData(c[0], c[1], c[2], circle.radius),
                             out_.Attributes(style));
            return h;
          },
          [&](const ArcShape& arc) {
            const Point3& c = arc.center;
            double sweep = Sweep(arc.startAngle, arc.endAngle);
            if (sweep >= 360.0 - 1e-9) {
              dxf_.writeCircle(out_, DL_CircleData(c[0], c[1], c[2], arc.radius),
                               out_.Attributes(style));
            } else {
              double start = NormalizeAngle(arc.startAngle);
              dxf_.writeArc(
                  out_,
                  DL_ArcData(c[0], c[1], c[2], arc.radius, start, NormalizeAngle(start + sweep)),
                  out_.Attributes(style));
            }
            return h;
          },
          [&](const EllipseShape& ellipse) {
            const Point3& c = ellipse.center;
            const Point3& m = ellipse.majorAxis;
            double sweep = Sweep(ellipse.startParam, ellipse.endParam);
            double start = Radians(NormalizeAngle(ellipse.startParam));
            dxf_.writeEllipse(out_,
                              DL_EllipseData(c[0], c[1], c[2], m[0], m[1], m[2], ellipse.ratio,
                                             start, start + Radians(sweep)),
                              out_.Attributes(style));
            return h;
          },
          [&](const PolylineShape& polyline) {
            return polyline.is3d ? Polyline3d(polyline, style) : Polyline(polyline, style);
          },
          [&](const TextShape& text) {
            bool single = !text.multiline && text.attachment == 0 && text.runs.size() <= 1 &&
                          (text.runs.empty() || !text.runs.front().stacked);
            return single ? Text(text, style) : MText(text, style);
          },
          [&](const SolidShape& solid) { return Solid(solid, style); },
          [&](const HatchShape& hatch) { return Hatch(hatch, style); },
          [&](const DimensionShape& dim) -> unsigned long {
            auto block = owner ? dimensionBlocks_.find(owner) : dimensionBlocks_.end();
            if (block == dimensionBlocks_.end() || dim.graphics.Empty()) return 0;
            return Dimension(dim, style, block->second);
          },
          [&](const LeaderShape& leader) { return Leader(leader, style); },
          [&](const InsertShape& insert) { return Insert(insert, style); },
      },
      shape);
}

unsigned long DxfEntityWriter::Polyline(const PolylineShape& p, const DxfStyle& style) {
  unsigned long h = out_.Head("LWPOLYLINE", style);
  out_.dxfString(100, "AcDbPolyline");
  out_.dxfInt(90, static_cast<int>(p.vertices.size()));
  out_.dxfInt(70, p.closed ? 1 : 0);
  out_.dxfReal(43, p.width);
  for (const Point3& v : p.vertices)
    out_.Point2(10, v);
  return h;
}

unsigned long DxfEntityWriter::Polyline3d(const PolylineShape& p, const DxfStyle& style) {
  unsigned long h = out_.Head("POLYLINE", style);
  out_.dxfString(100, "AcDb3dPolyline");
  out_.dxfInt(66, 1);
  out_.Point(10, {0, 0, 0});
  out_.dxfInt(70, 8 | (p.closed ? 1 : 0));
  for (const Point3& v : p.vertices) {
    out_.Head("VERTEX", style);
    out_.dxfString(100, "AcDbVertex");
    out_.dxfString(100, "AcDb3dPolylineVertex");
    out_.Point(10, v);
    out_.dxfInt(70, 32);
  }
  out_.Head("SEQEND", style);
  return h;
}

unsigned long DxfEntityWriter::Text(const TextShape& t, const DxfStyle& style) {
  unsigned long h = out_.Head("TEXT", style);
  out_.dxfString(100, "AcDbText");
  out_.Point(10, t.position);
  out_.dxfReal(40, t.height);
  out_.dxfString(1, t.runs.empty() ? std::string() : t.runs.front().text);
  out_.dxfReal(50, NormalizeAngle(t.rotation));
  out_.dxfReal(41, t.widthFactor);
  out_.dxfReal(51, t.oblique);
  out_.dxfString(7, DxfName(t.style));
  out_.dxfString(100, "AcDbText");
  return h;
}

unsigned long DxfEntityWriter::MText(const TextShape& t, const DxfStyle& style) {
  unsigned long h = out_.Head("MTEXT", style);
  out_.dxfString(100, "AcDbMText");
  out_.Point(10, t.position);
  out_.dxfReal(40, t.height);
  out_.dxfReal(41, t.width);
  out_.dxfInt(71, t.attachment >= 1 && t.attachment <= 9 ? t.attachment : 7);
  out_.dxfInt(72, 1);
  std::string text = MTextCodes(t.runs);
  if (std::fabs(t.widthFactor - 1) > 1e-9) {
    text = "\\W" + std::to_string(t.widthFactor) + ";" + text;
  }
  out_.LongText(text);
  out_.dxfString(7, DxfName(t.style));
  out_.Point(11, Direction(t.rotation));
  out_.dxfInt(73, 1);
  out_.dxfReal(44, t.lineSpacing);
  return h;
}

unsigned long DxfEntityWriter::Solid(const SolidShape& s, const DxfStyle& style) {
  unsigned long h = out_.getNextHandle();
  const auto& c = s.corners;
  dxf_.writeSolid(out_,
                  DL_SolidData(c[0][0], c[0][1], c[0][2], c[1][0], c[1][1], c[1][2], c[2][0],
                               c[2][1], c[2][2], c[2][0], c[2][1], c[2][2]),
                  out_.Attributes(style));
  return h;
}

unsigned long DxfEntityWriter::Hatch(const HatchShape& hatch, const DxfStyle& style) {
  unsigned long h = out_.Head("HATCH", style);
  out_.dxfString(100, "AcDbHatch");
  out_.Point(10, {0, 0, 0});
  out_.Point(210, {0, 0, 1});
  out_.dxfString(2, hatch.solid ? "SOLID" : DxfName(hatch.pattern));
  out_.dxfInt(70, hatch.solid ? 1 : 0);
  out_.dxfInt(71, 0);
  out_.dxfInt(91, static_cast<int>(hatch.loops.size()));
  for (const BoundaryLoop& loop : hatch.loops) {
    // Polyline paths (2), the outer ones external (1).
    out_.dxfInt(92, loop.outer ? 3 : 2);
    out_.dxfInt(72, 1);
    out_.dxfInt(73, 1);
    out_.dxfInt(93, static_cast<int>(loop.vertices.size()));
    for (size_t i = 0; i < loop.vertices.size(); ++i) {
      out_.Point2(10, loop.vertices[i]);
      out_.dxfReal(42, i < loop.bulges.size() ? loop.bulges[i] : 0.0);
    }
    out_.dxfInt(97, 0);
  }
  out_.dxfInt(75, 0);  // odd parity
  out_.dxfInt(76, 1);  // predefined pattern
  if (!hatch.solid) {
    out_.dxfReal(52, hatch.angle);
    out_.dxfReal(41, hatch.scale);
    out_.dxfInt(77, hatch.doubled ? 1 : 0);
    out_.dxfInt(78, static_cast<int>(hatch.families.size()));
    for (const PatternFamily& family : hatch.families) {
      out_.dxfReal(53, family.angle);
      out_.dxfReal(43, family.origin[0]);
      out_.dxfReal(44, family.origin[1]);
      out_.dxfReal(45, family.offset[0]);
      out_.dxfReal(46, family.offset[1]);
      out_.dxfInt(79, 0);
    }
  }
  out_.dxfInt(98, 0);
  return h;
}

unsigned long DxfEntityWriter::Dimension(const DimensionShape& d, const DxfStyle& style,
                                         const std::string& block) {
  unsigned long h = out_.Head("DIMENSION", style);
  out_.dxfString(100, "AcDbDimension");
  out_.dxfString(2, block);
  out_.Point(10, DimensionDefinitionPoint(d));
  out_.Point(11, d.textMid);
  // 32: the block belongs to this dimension alone; 128: the text stands
  // where it was put.
  out_.dxfInt(70, DimensionTypeNumber(d) | 32 | 128);
  out_.dxfString(1, MTextCodes(d.cadText.empty() ? d.text : d.cadText));
  out_.dxfString(3, DxfName(document_.dimStyle.name));
  if (d.attributes.rotateText) out_.dxfReal(53, d.attributes.textRotation);
  DimensionSubclass(out_, d);
  if (!d.cadText.empty()) DimensionOverrides(d);
  return h;
}

// The dimension's own style overrides: its decimals, and its deviations as
// the tolerance a CAD program writes after "<>".
void DxfEntityWriter::DimensionOverrides(const DimensionShape& d) {
  out_.dxfString(1001, "ACAD");
  out_.dxfString(1000, "DSTYLE");
  out_.dxfString(1002, "{");
  auto variable = [&](int code) { out_.dxfInt(1070, code); };
  variable(271);  // DIMDEC
  out_.dxfInt(1070, std::clamp(d.cadDecimals, 0, 8));
  if (d.cadTolerance.shown) {
    variable(71);  // DIMTOL
    out_.dxfInt(1070, 1);
    variable(47);  // DIMTP: the upper deviation
    out_.dxfReal(1040, d.cadTolerance.upper);
    variable(48);  // DIMTM: the lower deviation, negated
    out_.dxfReal(1040, -d.cadTolerance.lower);
    variable(272);  // DIMTDEC
    out_.dxfInt(1070, DeviationPlaces(d.cadTolerance.upper, d.cadTolerance.lower));
    variable(146);  // DIMTFAC: deviations smaller than the size
    out_.dxfReal(1040, kStackScale);
  }
  out_.dxfString(1002, "}");
}

unsigned long DxfEntityWriter::Leader(const LeaderShape& l, const DxfStyle& style) {
  if (l.vertices.size() < 2) return 0;
  // The hook line is written as the path's last segment: without an
  // annotation object readers would not draw it.
  std::vector<Point3> path = l.vertices;
  if (l.hookLine && !l.graphics.lines.empty()) path.push_back(l.graphics.lines.back().end);
  unsigned long h = out_.Head("LEADER", style);
  out_.dxfString(100, "AcDbLeader");
  out_.dxfString(3, DxfName(document_.dimStyle.name));
  out_.dxfInt(71, l.arrow ? 1 : 0);
  out_.dxfInt(72, l.spline ? 1 : 0);
  out_.dxfInt(73, 3);
  out_.dxfInt(74, 0);
  out_.dxfInt(75, 0);
  out_.dxfReal(40, document_.dimStyle.Size(document_.dimStyle.textHeight));
  out_.dxfReal(41, 0.0);
  out_.dxfInt(76, static_cast<int>(path.size()));
  for (const Point3& v : path)
    out_.Point(10, v);
  return h;
}

unsigned long DxfEntityWriter::Insert(const InsertShape& insert, const DxfStyle& style) {
  unsigned long h = out_.Head("INSERT", style);
  out_.dxfString(100, "AcDbBlockReference");
  if (!insert.attributes.empty()) out_.dxfInt(66, 1);
  out_.dxfString(2, DxfName(insert.blockName));
  out_.Point(10, insert.position);
  out_.dxfReal(41, insert.scale);
  out_.dxfReal(42, insert.mirrored ? -insert.scale : insert.scale);
  out_.dxfReal(43, insert.scale);
  out_.dxfReal(50, NormalizeAngle(insert.rotation));
  if (insert.attributes.empty()) return h;
  // A value the block gives a place is written there; the others are data of
  // the part without a place on the drawing, written invisible.
  const BlockDefinition* block = document_.FindBlock(insert.blockName);
  const auto placed =
      block ? PlacedAttributes(insert, *block) : std::vector<std::pair<std::string, TextShape>>{};
  for (const auto& [tag, value] : insert.attributes) {
    const auto at = std::find_if(placed.begin(), placed.end(),
                                 [&tag = tag](const auto& p) { return p.first == tag; });
    out_.Head("ATTRIB", style);
    out_.dxfString(100, "AcDbText");
    out_.Point(10, at != placed.end() ? at->second.position : insert.position);
    out_.dxfReal(40, at != placed.end() ? at->second.height : document_.dimStyle.Size(2.5));
    out_.dxfString(1, value);
    if (at != placed.end() && at->second.rotation != 0) out_.dxfReal(50, at->second.rotation);
    out_.dxfString(7, "Standard");
    out_.dxfString(100, "AcDbAttribute");
    out_.dxfString(2, DxfTag(tag));
    out_.dxfInt(70, at != placed.end() ? 0 : 1);
  }
  out_.Head("SEQEND", style);
  return h;
}

}  // namespace qzdbs::server
