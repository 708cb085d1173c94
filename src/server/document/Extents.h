// The region a shape, a view or a document covers.
#pragma once

#include "server/Document.h"
#include "server/Geometry.h"

namespace qzdbs::server {

struct Extents {
  Point3 min{};
  Point3 max{};
  bool valid = false;

  void Add(const Point3& p);
  void Add(const Extents& other);
  double Width() const { return valid ? max[0] - min[0] : 0; }
  double Height() const { return valid ? max[1] - min[1] : 0; }
};

// How texts are measured: by the document's text layout, or by the box any
// CAD program's font stays within (for extents another program reads).
enum class TextBoxes { kLayout, kCad };

// Block references are measured through their definitions, so the document
// is needed.
Extents ShapeExtents(const Shape& shape, const Document& document,
                     TextBoxes texts = TextBoxes::kLayout);
Extents SketchExtents(const Sketch& sketch);
Extents EntityListExtents(const std::vector<Entity>& entities, const Document& document,
                          bool includeNonPrinting = true, TextBoxes texts = TextBoxes::kLayout);
Extents ViewExtents(const View& view, const Document& document, bool includeNonPrinting = true);
Extents DocumentExtents(const Document& document, bool includeNonPrinting = true,
                        TextBoxes texts = TextBoxes::kLayout);

}  // namespace qzdbs::server
