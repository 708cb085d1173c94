// Trying the other places of crossed dimension texts.
#include "server/document/TextClearance.h"

#include <utility>
#include <variant>

#include "server/document/DimensionGraphics.h"
#include "server/document/TextOverlap.h"

namespace qzdbs::server {

namespace {

void TryPlaces(View& view, size_t e, Document& document, size_t& crossed) {
  auto* dim = std::get_if<DimensionShape>(&view.entities[e].shape);
  if (!dim || dim->graphics.texts.empty()) return;
  const DimensionShape placed = *dim;
  DimensionShape best = placed;
  for (int choice = 1; choice <= TextChoices(placed) && crossed > 0; ++choice) {
    std::vector<Finding> repeated;
    DimensionShape trial = placed;
    CompleteDimension(trial, document.dimStyle, repeated, {}, choice);
    if (trial.graphics.texts.empty()) continue;
    *dim = std::move(trial);
    const size_t now = CountTextOverlaps(view, document);
    if (now < crossed) {
      crossed = now;
      best = *dim;
    }
  }
  *dim = std::move(best);
}

// Each try re-measures the dimension: its findings were reported when it was
// first completed and are not repeated. A second round helps a dimension
// whose places were all taken until a later one moved.
void ClearView(View& view, Document& document) {
  size_t crossed = CountTextOverlaps(view, document);
  for (int round = 0; round < 2; ++round) {
    for (size_t e = 0; e < view.entities.size() && crossed > 0; ++e)
      TryPlaces(view, e, document, crossed);
  }
}

}  // namespace

void ClearDimensionTexts(Document& document) {
  for (View& view : document.views)
    ClearView(view, document);
}

}  // namespace qzdbs::server
