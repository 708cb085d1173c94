// Arrowheads, readable texts and frames.
#include "server/document/SketchParts.h"

#include "server/text/TextMetrics.h"

namespace qzdbs::server {

void AddArrow(Sketch& sketch, const Point3& tip, const Point3& direction, double size, int kind) {
  Point3 u = Normalized(direction);
  Point3 n = LeftNormal(u);
  if (kind == 1) {
    // The stroke crosses the tip at 45 degrees.
    Point3 d = Normalized(u + n) * (size * 0.5);
    sketch.lines.push_back(LineShape{tip - d, tip + d});
    return;
  }
  Point3 base = tip - u * size;
  double half = size / 6.0;
  if (kind == 2) {
    sketch.lines.push_back(LineShape{tip, base + n * half});
    sketch.lines.push_back(LineShape{tip, base - n * half});
    return;
  }
  sketch.solids.push_back(SolidShape{{tip, base + n * half, base - n * half}});
}

double ReadableAngle(double degrees) {
  double a = NormalizeAngle(degrees);
  if (a > 120.0 + 1e-9 && a <= 300.0 + 1e-9) a -= 180.0;
  if (a > 300.0 + 1e-9) a -= 360.0;
  return a;
}

TextShape MakeText(const RichText& runs, const Point3& position, double rotation, int attachment,
                   double height) {
  TextShape text;
  text.runs = runs;
  text.position = position;
  text.rotation = NormalizeAngle(rotation);
  text.attachment = attachment;
  text.height = height;
  text.multiline = true;
  return text;
}

void AddFrame(Sketch& sketch, const TextShape& text, double margin) {
  auto corners = TextCorners(text);
  Point3 u = Direction(text.rotation);
  Point3 v = LeftNormal(u);
  PolylineShape frame;
  frame.closed = true;
  frame.vertices = {corners[0] - u * margin - v * margin, corners[1] + u * margin - v * margin,
                    corners[2] + u * margin + v * margin, corners[3] - u * margin + v * margin};
  sketch.polylines.push_back(frame);
}

}  // namespace qzdbs::server
