// Lines, circles, arcs, ellipses and 2D and 3D polylines.
#include <cmath>

#include "output/BuilderRun.h"
#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "output/builders/BuilderSteps.h"
#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

// Adds the vertices PointID1, PointID2, ... A vertex whose point is unknown
// ends the builder with an empty message, as the vertex loop has no error of its own.
template <typename Polyline>
void AddVertices(const Polyline& polyline, const EntityParams& params, double vertexCount) {
  for (int32_t i = 1; i <= vertexCount; ++i) {
    Point3 vertex{};
    if (!params.TryPoint("PointID" + std::to_string(i), vertex)) throw SilentStop{};
    polyline.AddVertex(vertex);
  }
}

}  // namespace

HostHandle OutputEntLine(const EntityParams& params, int32_t sequence,
                         const clsEntityList& record) {
  Point3 start = params.Point("StartPoint");
  Point3 end = params.Point("EndPoint");
  auto line = NewHostObject<DbLine>();
  line.StartPoint(start);
  line.EndPoint(end);
  return Finish(sequence, record, line);
}

HostHandle OutputEntCircle(const EntityParams& params, int32_t sequence,
                           const clsEntityList& record) {
  double radius = ToReal(params.Reference("Radius.S"));
  Point3 center = params.Point("CenterPoint");
  auto circle = NewHostObject<DbCircle>();
  circle.CenterPoint(center);
  circle.Radius(radius);
  return Finish(sequence, record, circle);
}

HostHandle OutputEntArc(const EntityParams& params, int32_t sequence, const clsEntityList& record) {
  double radius = ToReal(params.Reference("Radius.S"));
  double startAngle = ToReal(params.Reference("StartAngle.S"));
  double endAngle = ToReal(params.Reference("EndAngle.S"));
  Point3 center = params.Point("CenterPoint");
  auto arc = NewHostObject<DbArc>();
  arc.CenterPoint(center);
  arc.Radius(radius);
  arc.StartAngle(startAngle);
  arc.EndAngle(endAngle);
  return Finish(sequence, record, arc);
}

HostHandle OutputEntEllipse(const EntityParams& params, int32_t sequence,
                            const clsEntityList& record) {
  const bool isArc = ToInt16(params.Literal("isEllipseOArc.S")) == 1;
  Point3 center = params.Point("CenterPoint");
  double majorRadius = ToReal(params.Reference("MajorRadius.S"));
  double minorRadius = ToReal(params.Reference("MinorRadius.S"));
  double startAngle = 0, endAngle = 0;
  if (isArc) {
    startAngle = ToReal(params.Reference("StartAngle.S"));
    endAngle = ToReal(params.Reference("EndAngle.S"));
  }
  Point3 majorAxis = params.Point("MajorAxis");
  auto ellipse = NewHostObject<DbEllipse>();
  ellipse.CenterPoint(center);
  if (isArc) {
    ellipse.StartAngle(startAngle);
    ellipse.EndAngle(endAngle);
  }
  ellipse.MajorAxis(majorAxis);
  ellipse.MinorAxis({0, 0, 0});
  ellipse.MajorRadius(majorRadius);
  ellipse.MinorRadius(minorRadius);
  return Finish(sequence, record, ellipse);
}

HostHandle OutputEntLWPline(const EntityParams& params, int32_t sequence,
                            const clsEntityList& record) {
  int32_t type = ToInt32(params.Literal("PlineType.S"));
  bool closed = ToFlag(params.Literal("isClosed.S"));
  double width = ToReal(params.Literal("ConstantWidth.S"));
  auto polyline = NewHostObject<DbPolyline>();
  polyline.PlineType(type);
  polyline.ConstantWidth(width);
  polyline.isClosed(closed);
  AddVertices(polyline, params, RoundHalfEven((params.Count() - 3) / 3.0));
  return Finish(sequence, record, polyline);
}

HostHandle OutputEnt3dPolyline(const EntityParams& params, int32_t sequence,
                               const clsEntityList& record) {
  int32_t type = ToInt32(params.Literal("PlineType.S"));
  bool closed = ToFlag(params.Literal("isClosed.S"));
  auto polyline = NewHostObject<Db3dPolyline>();
  polyline.PlineType(type);
  polyline.isClosed(closed);
  AddVertices(polyline, params, (params.Count() - 2) / 3.0);
  return Finish(sequence, record, polyline);
}

}  // namespace qzdbs
