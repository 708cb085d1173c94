// Host objects read into the document's terms.
#include "server/document/HostReading.h"

#include <algorithm>
#include <functional>
#include <map>

#include "host/HostClasses.h"
#include "server/Geometry.h"
#include "server/text/AnnotationText.h"

namespace qzdbs::server {

namespace {

template <typename T>
T MemberOr(const MemoryObject& object, std::string_view member, T fallback) {
  const HostValue* value = object.Properties().Find(member);
  return value ? HostValueAs<T>(*value) : fallback;
}

double PositiveOr(double value, double fallback) {
  return value > 0 ? value : fallback;
}

Shape ReadLine(const MemoryObject& o) {
  DbLine line(BorrowHandle(o));
  return LineShape{line.StartPoint(), line.EndPoint()};
}

Shape ReadCircle(const MemoryObject& o) {
  DbCircle circle(BorrowHandle(o));
  return CircleShape{circle.CenterPoint(), circle.Radius()};
}

Shape ReadArc(const MemoryObject& o) {
  DbArc arc(BorrowHandle(o));
  return ArcShape{arc.CenterPoint(), arc.Radius(), arc.StartAngle(), arc.EndAngle()};
}

Shape ReadEllipse(const MemoryObject& o) {
  DbEllipse e(BorrowHandle(o));
  EllipseShape s;
  s.center = e.CenterPoint();
  double major = e.MajorRadius();
  double minor = e.MinorRadius();
  Point3 axis = e.MajorAxis();
  // The axis member gives the major direction; the radii give the sizes. A
  // minor radius larger than the major one turns the ellipse a quarter, and
  // its parameters with it.
  Point3 direction = Length(axis) < kEpsilon ? Point3{1, 0, 0} : Normalized(axis);
  double shift = 0;
  if (minor > major) {
    std::swap(major, minor);
    direction = LeftNormal(direction);
    shift = -90;
  }
  s.majorAxis = direction * major;
  s.ratio = major > 0 ? minor / major : 1;
  // A full ellipse leaves its angles unset.
  if (HasMember(o, "StartAngle") || HasMember(o, "EndAngle")) {
    s.startParam = NormalizeAngle(e.StartAngle() + shift);
    s.endParam = NormalizeAngle(e.EndAngle() + shift);
    if (std::fabs(s.endParam - s.startParam) < 1e-12) s.endParam = s.startParam + 360;
  }
  return s;
}

std::vector<Point3> ReadVertices(const MemoryObject& o) {
  std::vector<Point3> vertices;
  for (const HostValue& v : o.List("AddVertex"))
    vertices.push_back(HostValueAs<Point3>(v));
  return vertices;
}

Shape ReadPolyline(const MemoryObject& o) {
  DbPolyline p(BorrowHandle(o));
  return PolylineShape{ReadVertices(o), p.isClosed(), p.ConstantWidth(), false, p.PlineType()};
}

Shape Read3dPolyline(const MemoryObject& o) {
  Db3dPolyline p(BorrowHandle(o));
  return PolylineShape{ReadVertices(o), p.isClosed(), 0, true, p.PlineType()};
}

Shape ReadText(const MemoryObject& o) {
  DbText t(BorrowHandle(o));
  TextShape s;
  s.position = t.InsertionPoint();
  s.height = PositiveOr(t.Height(), 3.5);
  s.rotation = t.Rotation();
  s.widthFactor = PositiveOr(t.ScaleFactor(), 1);
  s.oblique = t.ObliqueAngle();
  s.runs = {TextRun::Plain(ExpandSpecialCodes(t.TextString()))};
  s.style = MemberOr<std::string>(o, "TextStyleName", "Standard");
  if (s.style.empty()) s.style = "Standard";
  return s;
}

Shape ReadMText(const MemoryObject& o) {
  DbMText t(BorrowHandle(o));
  TextShape s;
  s.multiline = true;
  s.position = t.InsertionPoint();
  s.height = PositiveOr(t.Height(), 3.5);
  s.rotation = t.Rotation();
  s.width = std::max(0.0, t.Width());
  s.lineSpacing = PositiveOr(t.LineSpacingFactor(), 1);
  s.attachment = std::clamp(MemberOr<int32_t>(o, "AttachmentPoint", 1), 1, 9);
  s.style = MemberOr<std::string>(o, "TextStyleName", "Standard");
  if (s.style.empty()) s.style = "Standard";
  AnnotationParts parts;
  parts.front = ExpandSpecialCodes(t.DimFront());
  parts.body = ExpandSpecialCodes(t.TextString());
  parts.haveCode = t.isHaveTolCode();
  parts.code = t.ToleranceCode();
  parts.haveValues = t.isHaveTolVal();
  parts.upper = t.TopTol();
  parts.lower = t.BottomTol();
  parts.haveFollow = t.isHaveFollow();
  parts.follow = ExpandSpecialCodes(t.DimFollow());
  s.runs = ComposeAnnotation(parts);
  return s;
}

DimAttributes ReadDimAttributes(const MemoryObject& o) {
  DbDimension d(BorrowHandle(o));
  DimAttributes a;
  a.dimType = d.DimType();
  a.styleName = d.DimStyleName();
  a.textPosition = d.TextPosition();
  a.textRotation = d.TextRotation();
  a.rotateText = d.isRotateText();
  a.textString = MemberOr<std::string>(o, "TextString", "<>");
  a.hostMeasurement = d.Measurement();
  a.calcTolerance = std::any_of(o.Events().begin(), o.Events().end(), [](const HostEvent& e) {
    return e.op == HostEvent::Op::Call && e.member == "CalcTolerance";
  });
  a.tolCode = d.str_DimTolNo();
  a.topTol = d.fTopTol();
  a.bottomTol = d.fBottomTol();
  a.tolUnit = d.str_TolUnit();
  a.haveTolCode = d.isHaveTolCode();
  a.haveTolVal = d.isHaveTolVal();
  a.haveFollow = d.isHaveFollow();
  a.follow = d.str_DimFollow();
  a.rectText = d.isRectText();
  a.dimdec = d.dimdec();
  a.outIndex = d.iOutIndex();
  a.inIndex = d.iInIndex();
  a.hasLAngle = d.isHasLAngle();
  a.lAngle = d.dLAngle();
  a.dimJust = d.DimJust();
  a.dimDad = d.DimDad();
  a.firstArrow = MemberOr<bool>(o, "HasFirstArr", true);
  a.secondArrow = MemberOr<bool>(o, "HasSecondArr", true);
  a.firstLine = MemberOr<bool>(o, "HasFirstLine", true);
  a.secondLine = MemberOr<bool>(o, "HasSecondLine", true);
  return a;
}

// Where the text goes when the engine gave no position: the point that
// placed the dimension line, which counts as no position of its own.
Point3 DefaultTextPosition(const DimensionShape& s) {
  switch (s.kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      return s.dimLine;
    case DimKind::Diametric:
    case DimKind::Radial:
      return s.center + Direction(45) * (s.radius * 0.5);
    case DimKind::Angular3Point:
    case DimKind::Angular2Line:
      return s.arcPoint;
    case DimKind::Ordinate:
      return s.leaderEnd;
  }
  return {};
}

Shape ReadDimension(const MemoryObject& o, DimKind kind) {
  DimensionShape s;
  s.kind = kind;
  s.attributes = ReadDimAttributes(o);
  auto point = [&](const char* member) { return MemberOr<Point3>(o, member, Point3{}); };
  switch (kind) {
    case DimKind::Rotated:
    case DimKind::Aligned:
      s.ext1 = point("ExtLine1Point");
      s.ext2 = point("ExtLine2Point");
      s.dimLine = point("DimLinePoint");
      s.rotation = MemberOr<double>(o, "Rotation", 0);
      break;
    case DimKind::Diametric:
    case DimKind::Radial:
      s.center = point("CenterPoint");
      s.radius = MemberOr<double>(o, "Radius", 0);
      break;
    case DimKind::Angular3Point:
      s.vertex = point("AngleVertPoint");
      s.arcPoint = point("ArcPoint");
      s.ext1End = point("ExtLine1EndPoint");
      s.ext2End = point("ExtLine2EndPoint");
      break;
    case DimKind::Angular2Line:
      s.arcPoint = point("ArcPoint");
      s.ext1Start = point("ExtLine1StartPoint");
      s.ext1End = point("ExtLine1EndPoint");
      s.ext2Start = point("ExtLine2StartPoint");
      s.ext2End = point("ExtLine2EndPoint");
      break;
    case DimKind::Ordinate:
      s.definingPoint = point("DefiningPoint");
      s.origin = point("Origin");
      s.leaderEnd = point("LeaderEndPoint");
      s.xAxis = MemberOr<int32_t>(o, "useXYAxis", 0) != 0;
      break;
  }
  if (!HasMember(o, "TextPosition")) s.attributes.textPosition = DefaultTextPosition(s);
  return s;
}

// Leader types, bit 0: spline path; bit 1: no arrowhead. 0, the library's
// usual value, is a straight leader with an arrow.
Shape ReadLeader(const MemoryObject& o) {
  DbLeader l(BorrowHandle(o));
  LeaderShape s;
  s.vertices = ReadVertices(o);
  s.leaderType = l.LeaderType();
  s.spline = (s.leaderType & 1) != 0;
  s.arrow = (s.leaderType & 2) == 0;
  s.hookLine = l.hasHookLine();
  s.annotationId = l.AnnotationID();
  return s;
}

Shape ReadInsert(const MemoryObject& o) {
  DbBlockReference r(BorrowHandle(o));
  InsertShape s;
  s.blockName = r.BlockName();
  s.position = r.InsertPoint();
  s.rotation = r.Rotation();
  s.scale = MemberOr<double>(o, "ScaleFactor", 1);
  if (s.scale == 0) s.scale = 1;
  return s;
}

using ShapeReader = std::function<Shape(const MemoryObject&)>;

ShapeReader DimensionReader(DimKind kind) {
  return [kind](const MemoryObject& o) { return ReadDimension(o, kind); };
}

const std::map<std::string, ShapeReader, std::less<>>& ShapeReaders() {
  static const std::map<std::string, ShapeReader, std::less<>> readers = {
      {"DbLine", ReadLine},
      {"DbCircle", ReadCircle},
      {"DbArc", ReadArc},
      {"DbEllipse", ReadEllipse},
      {"DbPolyline", ReadPolyline},
      {"Db3dPolyline", Read3dPolyline},
      {"DbText", ReadText},
      {"DbMText", ReadMText},
      {"DbLeader", ReadLeader},
      {"DbBlockReference", ReadInsert},
      {"DbRotatedDimension", DimensionReader(DimKind::Rotated)},
      {"DbAlignedDimension", DimensionReader(DimKind::Aligned)},
      {"DbDiametricDimension", DimensionReader(DimKind::Diametric)},
      {"DbRadialDimension", DimensionReader(DimKind::Radial)},
      {"Db3PointAngularDimension", DimensionReader(DimKind::Angular3Point)},
      {"Db2LineAngularDimension", DimensionReader(DimKind::Angular2Line)},
      {"DbOrdinateDimension", DimensionReader(DimKind::Ordinate)},
  };
  return readers;
}

}  // namespace

std::shared_ptr<HostObject> BorrowHandle(const MemoryObject& object) {
  // The typed classes take a shared handle but only read through it here.
  return std::shared_ptr<HostObject>(const_cast<MemoryObject*>(&object), [](HostObject*) {});
}

bool HasMember(const MemoryObject& object, std::string_view member) {
  return object.Properties().Find(member) != nullptr;
}

Entity ReadEntity(const MemoryObject& object, const std::string& key) {
  Entity entity;
  entity.key = key;
  entity.className = object.ClassName();
  entity.id = MemberOr<int32_t>(object, "ID", 0);
  entity.name = MemberOr<std::string>(object, "Name", "");
  entity.sequence = MemberOr<int32_t>(object, "Sequence", 0);
  entity.layer = MemberOr<std::string>(object, "LayerName", "0");
  entity.color = MemberOr<int32_t>(object, "Color", 256);
  entity.visible = MemberOr<bool>(object, "Visible", true);
  entity.assist = MemberOr<bool>(object, "IsAssist", false);
  entity.matchProp = MemberOr<bool>(object, "IsMatchProp", false);
  return entity;
}

std::optional<Shape> ReadShape(const MemoryObject& object) {
  auto it = ShapeReaders().find(object.ClassName());
  if (it == ShapeReaders().end()) return std::nullopt;
  return it->second(object);
}

std::vector<int32_t> ReadIdentifiers(const MemoryObject& object, std::string_view addMember) {
  std::vector<int32_t> ids;
  for (const HostValue& v : object.List(addMember))
    ids.push_back(HostValueAs<int32_t>(v));
  return ids;
}

std::vector<std::pair<std::string, std::string>> ReadEntries(const MemoryObject& dictionary) {
  return dictionary.Entries();
}

}  // namespace qzdbs::server
