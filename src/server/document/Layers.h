// The document's layer table: every layer its entities use, with colour,
// line weight and line type from the layer style table.
#pragma once

#include <set>
#include <string>

#include "server/Document.h"
#include "server/document/LayerStyles.h"

namespace qzdbs::server {

// Rebuilds document.layers and document.textStyles from what the entities
// (and the blocks' entities) use. Layers in nonPrinting do not print.
void CollectLayers(Document& document, const std::set<std::string>& nonPrinting,
                   const LayerStyleTable& styles, double thickWidth);

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
