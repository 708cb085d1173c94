// View placement.
#include "server/document/Layout.h"

#include "server/document/Extents.h"
#include "server/document/ShapeTransform.h"

namespace qzdbs::server {

void LayOutViews(Document& document, double gap) {
  const Point3& partBase = document.part.basePoint;
  bool first = true;
  double right = partBase[0];
  for (View& view : document.views) {
    Extents extents = ViewExtents(view, document);
    if (first) {
      view.insertionPoint = partBase;
    } else {
      double leftOfBase = extents.valid ? view.basePoint[0] - extents.min[0] : 0;
      view.insertionPoint = {right + gap + leftOfBase, partBase[1], partBase[2]};
    }
    Affine place = Affine::Translation(view.insertionPoint - view.basePoint);
    for (Entity& entity : view.entities)
      TransformShape(entity.shape, place);
    double viewRight = extents.valid ? extents.max[0] + place.tx : view.insertionPoint[0];
    right = first ? viewRight : std::max(right, viewRight);
    first = false;
  }
}

}  // namespace qzdbs::server
