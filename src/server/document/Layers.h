// The document's layer table: every layer its entities use, with colour,
// line weight and line type after the layer names of GB/T 14665 (粗实线
// 0.5 mm, 中心线 red dash-dot, 虚线 yellow dashed, the rest 0.25 mm).
#pragma once

#include <set>
#include <string>

#include "server/Document.h"

namespace qzdbs::server {

Layer LayerFor(const std::string& name);

// Rebuilds document.layers and document.textStyles from what the entities
// (and the blocks' entities) use. Layers in nonPrinting do not print.
void CollectLayers(Document& document, const std::set<std::string>& nonPrinting);

// Visits every entity of the views and of the blocks.
template <typename F>
void ForEachEntity(Document& document, F&& visit) {
  for (View& view : document.views) {
    for (Entity& entity : view.entities)
      visit(entity);
  }
  for (BlockDefinition& block : document.blocks) {
    for (Entity& entity : block.entities)
      visit(entity);
  }
}

}  // namespace qzdbs::server
