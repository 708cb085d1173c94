// Trying the other places of crossed dimension texts.
#include "server/document/TextClearance.h"

#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "server/document/DimensionGraphics.h"
#include "server/document/TextOverlap.h"

namespace qzdbs::server {

namespace {

// The dimension as the library and the rules placed it, for every entity
// (none for what is no dimension with a text): each place is tried from it.
using Originals = std::vector<std::optional<DimensionShape>>;

DimensionShape Placed(const DimensionShape& original, Document& document, int choice) {
  std::vector<Finding> repeated;
  DimensionShape trial = original;
  CompleteDimension(trial, document.dimStyle, repeated, {}, choice);
  return trial;
}

void TryPlaces(View& view, size_t e, const DimensionShape& original, Document& document,
               size_t& crossed) {
  auto& dim = std::get<DimensionShape>(view.entities[e].shape);
  DimensionShape best = dim;
  for (int choice = 1; choice <= TextChoices(original) && crossed > 0; ++choice) {
    DimensionShape trial = Placed(original, document, choice);
    if (trial.graphics.texts.empty()) continue;
    dim = std::move(trial);
    const size_t now = CountTextOverlaps(view, document);
    if (now < crossed) {
      crossed = now;
      best = dim;
    }
  }
  dim = std::move(best);
}

// A text moved aside for one that later moved itself goes back to the first
// of its places (the nearest) that leaves no more texts crossed.
void Settle(View& view, size_t e, const DimensionShape& original, Document& document,
            size_t& crossed) {
  auto& dim = std::get<DimensionShape>(view.entities[e].shape);
  const DimensionShape placed = dim;
  for (int choice = 0; choice <= TextChoices(original); ++choice) {
    DimensionShape trial = Placed(original, document, choice);
    if (trial.graphics.texts.empty()) continue;
    dim = std::move(trial);
    const size_t now = CountTextOverlaps(view, document);
    if (now <= crossed) {
      crossed = now;
      return;
    }
  }
  dim = placed;
}

// Each try re-measures the dimension: its findings were reported when it was
// first completed and are not repeated. A second round helps a dimension
// whose places were all taken until a later one moved.
void ClearView(View& view, Document& document) {
  Originals originals(view.entities.size());
  for (size_t e = 0; e < view.entities.size(); ++e)
    if (const auto* dim = std::get_if<DimensionShape>(&view.entities[e].shape);
        dim && !dim->graphics.texts.empty())
      originals[e] = *dim;
  size_t crossed = CountTextOverlaps(view, document);
  if (crossed == 0) return;
  for (int round = 0; round < 2; ++round) {
    for (size_t e = 0; e < view.entities.size() && crossed > 0; ++e)
      if (originals[e]) TryPlaces(view, e, *originals[e], document, crossed);
  }
  for (size_t e = 0; e < view.entities.size(); ++e)
    if (originals[e]) Settle(view, e, *originals[e], document, crossed);
}

}  // namespace

void ClearDimensionTexts(Document& document) {
  for (View& view : document.views)
    ClearView(view, document);
}

}  // namespace qzdbs::server
