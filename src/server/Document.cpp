// Look-ups in the drawing document.
#include "server/Document.h"

namespace qzdbs::server {

const Layer* Document::FindLayer(const std::string& name) const {
  for (const Layer& layer : layers) {
    if (layer.name == name) return &layer;
  }
  return nullptr;
}

const BlockDefinition* Document::FindBlock(const std::string& name) const {
  for (const BlockDefinition& block : blocks) {
    if (block.name == name) return &block;
  }
  return nullptr;
}

}  // namespace qzdbs::server
