// The studio's drawing of several parts: placement side by side, block names
// kept apart, parts drawn as blocks, groups still pointing at their members.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/qt/studio/CombinedDrawing.h"

namespace qzdbs::test {
namespace {

using server::Document;
using server::Entity;
using ui::qt::CombineParts;

Entity Line(Point3 from, Point3 to, const std::string& layer = "0") {
  Entity entity;
  entity.layer = layer;
  entity.shape = server::LineShape{from, to};
  return entity;
}

Entity Insert(const std::string& block, Point3 at) {
  Entity entity;
  server::InsertShape insert;
  insert.blockName = block;
  insert.position = at;
  entity.shape = insert;
  return entity;
}

// A part whose one view holds a line from x0 to x1 and a reference to its
// own block "HEAD" (a short line), grouped.
Document Part(const std::string& name, double x0, double x1, int color) {
  Document part;
  part.part.name = name;
  part.layers.push_back({"粗实线", color, 50, "CONTINUOUS", true});
  server::BlockDefinition head;
  head.name = "HEAD";
  head.entities.push_back(Line({0, 0, 0}, {1, 0, 0}));
  part.blocks.push_back(head);
  server::View view;
  view.name = "主视图";
  view.entities.push_back(Line({x0, 0, 0}, {x1, 10, 0}, "粗实线"));
  view.entities.push_back(Insert("HEAD", {x0, 0, 0}));
  part.views.push_back(view);
  part.groups.push_back({"G", 1, {{0, 0}, {0, 1}}, false});
  return part;
}

const server::LineShape& LineOf(const Document& document, size_t view) {
  return std::get<server::LineShape>(document.views[view].entities[0].shape);
}

TEST(CombinedDrawingTest, PartsStandSideBySideWithTheirOwnBlocks) {
  const Document whole = CombineParts({Part("a", 0, 100, 1), Part("b", 50, 80, 2)}, 30);
  ASSERT_EQ(whole.views.size(), 2u);
  EXPECT_DOUBLE_EQ(LineOf(whole, 0).start[0], 0);
  // The second part's left edge is the gap past the first one's right edge.
  EXPECT_DOUBLE_EQ(LineOf(whole, 1).start[0], 130);
  EXPECT_DOUBLE_EQ(LineOf(whole, 1).end[0], 160);
  EXPECT_DOUBLE_EQ(LineOf(whole, 1).end[1], 10);

  // Both parts call their block "HEAD": the second keeps its own under a new
  // name, and its reference follows it (and moves with the part).
  ASSERT_EQ(whole.blocks.size(), 2u);
  EXPECT_EQ(whole.blocks[0].name, "HEAD");
  EXPECT_EQ(whole.blocks[1].name, "HEAD_2");
  const auto& second = std::get<server::InsertShape>(whole.views[1].entities[1].shape);
  EXPECT_EQ(second.blockName, "HEAD_2");
  EXPECT_DOUBLE_EQ(second.position[0], 130);
  EXPECT_EQ(std::get<server::InsertShape>(whole.views[0].entities[1].shape).blockName, "HEAD");

  // One layer of that name, with the first part's colour.
  ASSERT_EQ(whole.layers.size(), 1u);
  EXPECT_EQ(whole.layers[0].color, 1);
  // Each group still names its own part's entities.
  ASSERT_EQ(whole.groups.size(), 2u);
  EXPECT_EQ(whole.groups[1].members, (std::vector<server::EntityRef>{{1, 0}, {1, 1}}));
}

TEST(CombinedDrawingTest, PartDrawnAsBlockBecomesOneReference) {
  Document blockPart = Part("b", 0, 20, 2);
  blockPart.part.makeBlock = true;
  blockPart.part.basePoint = {5, 5, 0};
  blockPart.groups.push_back({"", 2, {{0, 0}, {0, 1}}, true});
  const Document whole = CombineParts({Part("a", 0, 100, 1), blockPart}, 10);
  EXPECT_FALSE(whole.part.makeBlock);
  ASSERT_EQ(whole.views.size(), 2u);
  ASSERT_EQ(whole.views[1].entities.size(), 1u);
  const auto& reference = std::get<server::InsertShape>(whole.views[1].entities[0].shape);
  EXPECT_EQ(reference.blockName, "b");
  // Its base point moved with the part: the part's left edge lands at 110.
  EXPECT_DOUBLE_EQ(reference.position[0], 115);
  const server::BlockDefinition* block = whole.FindBlock("b");
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->entities.size(), 2u);
  // The block keeps the part's own coordinates and its renamed inner block.
  EXPECT_DOUBLE_EQ(std::get<server::LineShape>(block->entities[0].shape).end[0], 20);
  EXPECT_EQ(std::get<server::InsertShape>(block->entities[1].shape).blockName, "HEAD_2");
  // The whole-part group now holds the one reference.
  ASSERT_EQ(whole.groups.size(), 2u);
  EXPECT_TRUE(whole.groups[1].wholePart);
  EXPECT_EQ(whole.groups[1].members, (std::vector<server::EntityRef>{{1, 0}}));

  // One part is left as it is: the exporter makes the block of a lone part.
  const Document lone = CombineParts({blockPart}, 10);
  EXPECT_TRUE(lone.part.makeBlock);
  EXPECT_EQ(lone.views.size(), 1u);
  EXPECT_TRUE(CombineParts({}, 10).views.empty());
}

}  // namespace
}  // namespace qzdbs::test
