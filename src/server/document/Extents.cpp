// Bounding boxes of the document's shapes.
#include "server/document/Extents.h"

#include <algorithm>
#include <cmath>

#include "server/document/ShapeTransform.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

void AddArc(Extents& e, const Point3& center, double radius, double start, double end) {
  double sweep = Sweep(start, end);
  e.Add(center + Direction(start) * radius);
  e.Add(center + Direction(start + sweep) * radius);
  // The quadrant points the arc passes.
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    double angle = 90.0 * quadrant;
    if (Sweep(start, angle) < sweep || sweep >= 360.0 - 1e-9) {
      e.Add(center + Direction(angle) * radius);
    }
  }
}

void AddEllipse(Extents& e, const EllipseShape& s) {
  Point3 minor = LeftNormal(s.majorAxis) * s.ratio;
  double sweep = Sweep(s.startParam, s.endParam);
  constexpr int kSteps = 72;
  for (int i = 0; i <= kSteps; ++i) {
    double t = Radians(s.startParam + sweep * i / kSteps);
    e.Add(s.center + s.majorAxis * std::cos(t) + minor * std::sin(t));
  }
}

void AddText(Extents& e, const TextShape& text, TextBoxes texts) {
  for (const Point3& corner : texts == TextBoxes::kCad ? CadTextCorners(text) : TextCorners(text))
    e.Add(corner);
}

}  // namespace

void Extents::Add(const Point3& p) {
  if (!IsFinite(p)) return;
  if (!valid) {
    min = max = p;
    valid = true;
    return;
  }
  for (int i = 0; i < 3; ++i) {
    min[i] = std::min(min[i], p[i]);
    max[i] = std::max(max[i], p[i]);
  }
}

void Extents::Add(const Extents& other) {
  if (!other.valid) return;
  Add(other.min);
  Add(other.max);
}

namespace {

// Adds the points of each kind of shape; block references need the document
// (a sketch holds none).
struct AddShape {
  Extents& e;
  const Document* document;
  TextBoxes texts = TextBoxes::kLayout;

  void operator()(const LineShape& s) const {
    e.Add(s.start);
    e.Add(s.end);
  }
  void operator()(const CircleShape& s) const {
    e.Add(s.center - Point3{s.radius, s.radius, 0});
    e.Add(s.center + Point3{s.radius, s.radius, 0});
  }
  void operator()(const ArcShape& s) const {
    AddArc(e, s.center, s.radius, s.startAngle, s.endAngle);
  }
  void operator()(const EllipseShape& s) const { AddEllipse(e, s); }
  void operator()(const PolylineShape& s) const {
    for (const Point3& p : s.vertices)
      e.Add(p);
  }
  void operator()(const TextShape& s) const { AddText(e, s, texts); }
  void operator()(const SolidShape& s) const {
    for (const Point3& p : s.corners)
      e.Add(p);
  }
  void operator()(const HatchShape& s) const {
    for (const BoundaryLoop& loop : s.loops) {
      for (const Point3& p : loop.polygon)
        e.Add(p);
    }
  }
  void operator()(const DimensionShape& s) const { ForEachShape(s.graphics, *this); }
  void operator()(const LeaderShape& s) const {
    for (const Point3& p : s.vertices)
      e.Add(p);
    ForEachShape(s.graphics, *this);
  }
  void operator()(const InsertShape& s) const {
    e.Add(s.position);
    const BlockDefinition* block = document ? document->FindBlock(s.blockName) : nullptr;
    if (!block) return;
    Affine place = InsertMap(s, block->basePoint);
    for (const Entity& entity : block->entities) {
      Shape placed = entity.shape;
      TransformShape(placed, place);
      std::visit(*this, placed);
    }
    for (const auto& [tag, text] : PlacedAttributes(s, *block))
      (*this)(text);
  }
};

}  // namespace

Extents SketchExtents(const Sketch& sketch) {
  Extents e;
  ForEachShape(sketch, AddShape{e, nullptr});
  return e;
}

Extents ShapeExtents(const Shape& shape, const Document& document, TextBoxes texts) {
  Extents e;
  std::visit(AddShape{e, &document, texts}, shape);
  return e;
}

Extents EntityListExtents(const std::vector<Entity>& entities, const Document& document,
                          bool includeNonPrinting, TextBoxes texts) {
  Extents e;
  for (const Entity& entity : entities) {
    if (!includeNonPrinting) {
      const Layer* layer = document.FindLayer(entity.layer);
      if (!entity.visible || (layer && !layer->plot)) continue;
    }
    e.Add(ShapeExtents(entity.shape, document, texts));
  }
  return e;
}

Extents ViewExtents(const View& view, const Document& document, bool includeNonPrinting) {
  return EntityListExtents(view.entities, document, includeNonPrinting);
}

Extents DocumentExtents(const Document& document, bool includeNonPrinting, TextBoxes texts) {
  Extents e;
  for (const View& view : document.views)
    e.Add(EntityListExtents(view.entities, document, includeNonPrinting, texts));
  return e;
}

}  // namespace qzdbs::server
