// Layers and text styles of the document.
#include "server/document/Layers.h"

#include <algorithm>

namespace qzdbs::server {

namespace {

bool Contains(const std::string& name, std::initializer_list<const char*> parts) {
  std::string upper = name;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return std::any_of(parts.begin(), parts.end(),
                     [&](const char* part) { return upper.find(part) != std::string::npos; });
}

void AddStyles(std::vector<std::string>& styles, const TextShape& text) {
  if (std::find(styles.begin(), styles.end(), text.style) == styles.end()) {
    styles.push_back(text.style);
  }
}

}  // namespace

Layer LayerFor(const std::string& name) {
  Layer layer;
  layer.name = name;
  if (Contains(name, {"粗", "THICK", "VISIBLE", "OUTLINE"})) {
    layer.lineWeight = 50;
  } else if (Contains(name, {"中心", "点画", "CENTER", "AXIS"})) {
    layer.color = 1;
    layer.lineType = "CENTER";
  } else if (Contains(name, {"虚", "HIDDEN", "DASH"})) {
    layer.color = 2;
    layer.lineType = "DASHED";
  }
  return layer;
}

void CollectLayers(Document& document, const std::set<std::string>& nonPrinting) {
  std::vector<std::string> names{"0"};
  std::vector<std::string> styles{"Standard"};
  ForEachEntity(document, [&](Entity& entity) {
    if (std::find(names.begin(), names.end(), entity.layer) == names.end()) {
      names.push_back(entity.layer);
    }
    if (auto* text = std::get_if<TextShape>(&entity.shape)) AddStyles(styles, *text);
  });
  document.layers.clear();
  for (const std::string& name : names) {
    Layer layer = LayerFor(name);
    layer.plot = nonPrinting.count(name) == 0;
    document.layers.push_back(layer);
  }
  document.textStyles = styles;
}

}  // namespace qzdbs::server
