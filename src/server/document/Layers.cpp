// Layers and text styles of the document.
#include "server/document/Layers.h"

#include <algorithm>

namespace qzdbs::server {

namespace {

void AddStyles(std::vector<std::string>& styles, const TextShape& text) {
  if (std::find(styles.begin(), styles.end(), text.style) == styles.end()) {
    styles.push_back(text.style);
  }
}

}  // namespace

void CollectLayers(Document& document, const std::set<std::string>& nonPrinting,
                   const LayerStyleTable& styles, double thickWidth) {
  std::vector<std::string> names{"0"};
  std::vector<std::string> textStyles{"Standard"};
  ForEachEntity(document, [&](Entity& entity) {
    if (std::find(names.begin(), names.end(), entity.layer) == names.end()) {
      names.push_back(entity.layer);
    }
    if (auto* text = std::get_if<TextShape>(&entity.shape)) AddStyles(textStyles, *text);
  });
  document.layers.clear();
  for (const std::string& name : names) {
    Layer layer = styles.Style(name, thickWidth);
    layer.plot = nonPrinting.count(name) == 0;
    document.layers.push_back(layer);
  }
  document.textStyles = textStyles;
}

}  // namespace qzdbs::server
