// Texts crossed by lines, arrowheads or other texts.
#include "server/document/TextOverlap.h"

#include <algorithm>
#include <cmath>

#include "server/Geometry.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

// Touching is not crossing: a dimension text stands its gap above its line,
// a frame round a text keeps its gap.
constexpr double kClearance = 0.05;

struct Segment {
  Point3 a, b;
  size_t owner;  // index of the entity in its view
};

// A text's frame, box and corners are measured once, not once for every
// segment and every other text they are tried against.
struct Label {
  Label(const TextShape& shape, size_t index)
      : text(&shape),
        owner(index),
        blank(PlainText(shape.runs).find_first_not_of(' ') == std::string::npos),
        u(Direction(shape.rotation)),
        v(LeftNormal(u)),
        corners(TextCorners(shape)) {
    const auto local = LocalTextBox(shape);
    box = {local[0] + kClearance, local[1] + kClearance, local[2] - kClearance,
           local[3] - kClearance};
  }

  Point3 Local(const Point3& p) const {
    const Point3 d = p - text->position;
    return {Dot(d, u), Dot(d, v), 0};
  }

  const TextShape* text;  // in the view, which outlives the check
  size_t owner;
  bool blank;
  Point3 u, v;
  std::array<Point3, 4> corners;
  std::array<double, 4> box;  // in its own frame, shrunk by the clearance
};

class ViewCheck {
 public:
  ViewCheck(const View& view, const Document& document) : view_(view), document_(document) {}

  size_t Count() {
    CollectAll();
    size_t crossed = 0;
    for (size_t t = 0; t < labels_.size(); ++t)
      crossed += CrossedBy(t).empty() ? 0 : 1;
    return crossed;
  }

  void Run(std::vector<Finding>& findings) {
    CollectAll();
    for (size_t t = 0; t < labels_.size(); ++t) {
      const std::string crossed = CrossedBy(t);
      if (crossed.empty()) continue;
      const Entity& entity = view_.entities[labels_[t].owner];
      findings.push_back(
          Finding{AuditCode::TextOverlap,
                  "the text \"" + PlainText(labels_[t].text->runs) + "\" is crossed by " + crossed,
                  "view " + view_.name + ", " + entity.key + " " + entity.className, true});
    }
  }

 private:
  void CollectAll() {
    for (size_t e = 0; e < view_.entities.size(); ++e)
      Collect(view_.entities[e], e);
  }

  bool Prints(const Entity& entity) const {
    if (!entity.visible) return false;
    const Layer* layer = document_.FindLayer(entity.layer);
    return !layer || layer->plot;
  }

  void AddPath(const std::vector<Point3>& points, bool closed, size_t owner) {
    for (size_t i = 1; i < points.size(); ++i)
      segments_.push_back({points[i - 1], points[i], owner});
    if (closed && points.size() > 2) segments_.push_back({points.back(), points.front(), owner});
  }

  void AddArc(const Point3& center, double radius, double start, double sweep, size_t owner) {
    const int steps = std::max(4, static_cast<int>(std::ceil(std::abs(sweep) / 5)));
    std::vector<Point3> points;
    for (int i = 0; i <= steps; ++i)
      points.push_back(center + Direction(start + sweep * i / steps) * radius);
    AddPath(points, false, owner);
  }

  void AddSketch(const Sketch& sketch, size_t owner) {
    for (const LineShape& line : sketch.lines)
      segments_.push_back({line.start, line.end, owner});
    for (const ArcShape& arc : sketch.arcs)
      AddArc(arc.center, arc.radius, arc.startAngle, Sweep(arc.startAngle, arc.endAngle), owner);
    for (const PolylineShape& polyline : sketch.polylines)
      AddPath(polyline.vertices, polyline.closed, owner);
    for (const SolidShape& solid : sketch.solids)
      AddPath(std::vector<Point3>(solid.corners.begin(), solid.corners.end()), true, owner);
    for (const TextShape& text : sketch.texts)
      labels_.emplace_back(text, owner);
  }

  void Collect(const Entity& entity, size_t owner) {
    if (!Prints(entity)) return;
    std::visit(
        [&](const auto& s) {
          using T = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<T, LineShape>) {
            segments_.push_back({s.start, s.end, owner});
          } else if constexpr (std::is_same_v<T, CircleShape>) {
            AddArc(s.center, s.radius, 0, 360, owner);
          } else if constexpr (std::is_same_v<T, ArcShape>) {
            AddArc(s.center, s.radius, s.startAngle, Sweep(s.startAngle, s.endAngle), owner);
          } else if constexpr (std::is_same_v<T, EllipseShape>) {
            const Point3 minor = LeftNormal(s.majorAxis) * s.ratio;
            const double sweep = Sweep(s.startParam, s.endParam);
            std::vector<Point3> points;
            for (int i = 0; i <= 72; ++i) {
              const double t = Radians(s.startParam + sweep * i / 72);
              points.push_back(s.center + s.majorAxis * std::cos(t) + minor * std::sin(t));
            }
            AddPath(points, false, owner);
          } else if constexpr (std::is_same_v<T, PolylineShape>) {
            AddPath(s.vertices, s.closed, owner);
          } else if constexpr (std::is_same_v<T, TextShape>) {
            labels_.emplace_back(s, owner);
          } else if constexpr (std::is_same_v<T, DimensionShape> ||
                               std::is_same_v<T, LeaderShape>) {
            AddSketch(s.graphics, owner);
          }
        },
        entity.shape);
  }

  // Liang-Barsky: does the segment reach into the box?
  static bool SegmentCrossesBox(const Point3& a, const Point3& b,
                                const std::array<double, 4>& box) {
    double t0 = 0, t1 = 1;
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a[0] - box[0], box[2] - a[0], a[1] - box[1], box[3] - a[1]};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return false;
        continue;
      }
      const double t = q[i] / p[i];
      if (p[i] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
      if (t0 > t1) return false;
    }
    return true;
  }

  static bool Crosses(const Label& label, const Point3& a, const Point3& b) {
    return SegmentCrossesBox(label.Local(a), label.Local(b), label.box);
  }

  // Separating axes of two boxes: those of the first, then of the second.
  static bool TextsOverlap(const Label& one, const Label& other) {
    for (size_t i = 0; i < 4; ++i) {
      if (Crosses(one, other.corners[i], other.corners[(i + 1) % 4])) return true;
    }
    // One inside the other without edges crossing.
    const Point3 inner = one.Local(other.corners[0]);
    const auto& box = one.box;
    return inner[0] > box[0] && inner[0] < box[2] && inner[1] > box[1] && inner[1] < box[3];
  }

  std::string Describe(size_t owner) const {
    const Entity& entity = view_.entities[owner];
    return entity.key + " " + entity.className;
  }

  std::string CrossedBy(size_t t) const {
    const Label& label = labels_[t];
    if (label.blank) return {};
    for (const Segment& segment : segments_) {
      if (Crosses(label, segment.a, segment.b)) return "a line of " + Describe(segment.owner);
    }
    for (size_t o = 0; o < labels_.size(); ++o) {
      if (o == t || labels_[o].blank) continue;
      if (TextsOverlap(label, labels_[o]))
        return "the text \"" + PlainText(labels_[o].text->runs) + "\" of " +
               Describe(labels_[o].owner);
    }
    return {};
  }

  const View& view_;
  const Document& document_;
  std::vector<Segment> segments_;
  std::vector<Label> labels_;
};

}  // namespace

void FindTextOverlaps(Document& document) {
  for (const View& view : document.views)
    ViewCheck(view, document).Run(document.findings);
}

size_t CountTextOverlaps(const View& view, const Document& document) {
  return ViewCheck(view, document).Count();
}

}  // namespace qzdbs::server
