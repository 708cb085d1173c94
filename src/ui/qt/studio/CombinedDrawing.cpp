// Merging the studio's parts into one document for the canvas and the exports.
#include "ui/qt/studio/CombinedDrawing.h"

#include <algorithm>
#include <map>
#include <string>

#include "server/document/Extents.h"
#include "server/document/ShapeTransform.h"

namespace qzdbs::ui::qt {

namespace {

using server::BlockDefinition;
using server::Document;
using server::Entity;

// A name not yet used by a block of `whole`.
std::string FreeBlockName(const Document& whole, const std::string& wanted, size_t part) {
  std::string name = wanted;
  for (int n = 1; whole.FindBlock(name); ++n)
    name = wanted + "_" + std::to_string(part + 1) + (n > 1 ? "_" + std::to_string(n) : "");
  return name;
}

void RenameReferences(std::vector<Entity>& entities,
                      const std::map<std::string, std::string>& renamed) {
  if (renamed.empty()) return;
  for (Entity& entity : entities) {
    if (auto* insert = std::get_if<server::InsertShape>(&entity.shape)) {
      const auto found = renamed.find(insert->blockName);
      if (found != renamed.end()) insert->blockName = found->second;
    }
  }
}

void MergeNamed(Document& whole, const Document& part) {
  for (const auto& layer : part.layers)
    if (!whole.FindLayer(layer.name)) whole.layers.push_back(layer);
  for (const auto& style : part.textStyles)
    if (std::find(whole.textStyles.begin(), whole.textStyles.end(), style) ==
        whole.textStyles.end())
      whole.textStyles.push_back(style);
  whole.findings.insert(whole.findings.end(), part.findings.begin(), part.findings.end());
}

// The part's blocks under names free in `whole`; the renames made.
std::map<std::string, std::string> MergeBlocks(Document& whole, const Document& part,
                                               size_t index) {
  std::map<std::string, std::string> renamed;
  const size_t first = whole.blocks.size();
  for (const BlockDefinition& block : part.blocks) {
    BlockDefinition copy = block;
    copy.name = FreeBlockName(whole, block.name, index);
    if (copy.name != block.name) renamed[block.name] = copy.name;
    whole.blocks.push_back(std::move(copy));
  }
  for (size_t b = first; b < whole.blocks.size(); ++b)
    RenameReferences(whole.blocks[b].entities, renamed);
  return renamed;
}

void MovePoint(Point3& point, const server::Affine& map) {
  point = map.Apply(point);
}

// A part drawn as a block: its entities, as drawn, become the block's; the
// drawing gets one reference at the part's base point.
void AddAsBlock(Document& whole, const Document& part, size_t index, const server::Affine& map,
                const std::map<std::string, std::string>& renamed) {
  BlockDefinition block;
  block.name = FreeBlockName(whole, part.part.name.empty() ? "PART" : part.part.name, index);
  block.basePoint = part.part.basePoint;
  for (const auto& view : part.views)
    block.entities.insert(block.entities.end(), view.entities.begin(), view.entities.end());
  RenameReferences(block.entities, renamed);
  server::InsertShape insert;
  insert.blockName = block.name;
  insert.position = map.Apply(part.part.basePoint);
  insert.rotation = map.RotationAngle();
  whole.blocks.push_back(std::move(block));
  server::View view;
  view.name = part.part.name;
  view.basePoint = insert.position;
  view.insertionPoint = insert.position;
  Entity reference;
  reference.key = "X1";
  reference.className = "DbBlockReference";
  reference.sequence = 1;
  reference.shape = insert;
  view.entities.push_back(std::move(reference));
  const bool grouped = std::any_of(part.groups.begin(), part.groups.end(),
                                   [](const server::Group& group) { return group.wholePart; });
  if (grouped) {
    server::Group group;
    group.name = part.part.name;
    group.wholePart = true;
    group.members.push_back({whole.views.size(), 0});
    whole.groups.push_back(std::move(group));
  }
  whole.views.push_back(std::move(view));
}

void AddViews(Document& whole, const Document& part, const server::Affine& map,
              const std::map<std::string, std::string>& renamed) {
  const size_t firstView = whole.views.size();
  for (server::View view : part.views) {
    MovePoint(view.basePoint, map);
    MovePoint(view.insertionPoint, map);
    for (Entity& entity : view.entities)
      server::TransformShape(entity.shape, map);
    RenameReferences(view.entities, renamed);
    whole.views.push_back(std::move(view));
  }
  for (server::Group group : part.groups) {
    for (auto& member : group.members)
      member.view += firstView;
    whole.groups.push_back(std::move(group));
  }
}

}  // namespace

Document CombineParts(const std::vector<Document>& parts, const std::vector<server::Affine>& maps) {
  const auto identity = [](const server::Affine& map) {
    return map.a == 1 && map.b == 0 && map.c == 0 && map.d == 1 && map.tx == 0 && map.ty == 0;
  };
  if (parts.size() == 1 && (maps.empty() || identity(maps.front()))) return parts.front();
  Document whole;
  if (parts.empty()) return whole;
  // The drawing's own settings come from the first part; the parts' own
  // identities, properties and parameters stay with the parts.
  whole.part.name = parts.front().part.name;
  whole.part.basePoint = parts.front().part.basePoint;
  whole.part.drawScale = parts.front().part.drawScale;
  whole.part.blockFolder = parts.front().part.blockFolder;
  whole.dimStyle = parts.front().dimStyle;
  for (size_t i = 0; i < parts.size(); ++i) {
    const Document& part = parts[i];
    const server::Affine map = i < maps.size() ? maps[i] : server::Affine{};
    MergeNamed(whole, part);
    const auto renamed = MergeBlocks(whole, part, i);
    if (part.part.makeBlock)
      AddAsBlock(whole, part, i, map, renamed);
    else
      AddViews(whole, part, map, renamed);
  }
  return whole;
}

Document CombineParts(const std::vector<Document>& parts, double gap) {
  std::vector<server::Affine> maps;
  double right = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const server::Extents extents = server::DocumentExtents(parts[i]);
    server::Affine map;
    if (i > 0 && extents.valid)
      map = server::Affine::Translation({right + gap - extents.min[0], 0, 0});
    if (extents.valid) right = map.Apply(extents.max)[0];
    maps.push_back(map);
  }
  return CombineParts(parts, maps);
}

}  // namespace qzdbs::ui::qt
