// Identifiers named by transforms, groups, hatches, block references and
// leaders: the same view first, then the part; unknown ones reported once.
#include <gtest/gtest.h>

#include <algorithm>

#include "ServerTestSupport.h"
#include "server/document/DocumentBuilder.h"

namespace qzdbs::server::test {
namespace {

DbMove MoveUp(SessionBuilder& b, const DbView& view, int32_t id, std::vector<int32_t> targets) {
  DbMove move = b.Add<DbMove>(view, id);
  move.FromPoint({0, 0, 0});
  move.ToPoint({0, 100, 0});
  move.bEraseOld(true);
  for (int32_t target : targets)
    move.AddEntityID(target);
  return move;
}

double StartY(const Entity& entity) {
  return std::get<LineShape>(entity.shape).start[1];
}

int Count(const Document& document, AuditCode code) {
  return static_cast<int>(std::count_if(document.findings.begin(), document.findings.end(),
                                        [&](const Finding& f) { return f.code == code; }));
}

TEST(IdentifierTest, TheSameViewComesBeforeThePart) {
  SessionBuilder b;
  DbView first = b.AddView("A", 1);
  b.AddLine(first, 5, {0, 0, 0}, {1, 0, 0});
  b.AddLine(first, 6, {0, 0, 0}, {1, 0, 0});
  DbView second = b.AddView("B", 2);
  b.AddLine(second, 5, {0, 0, 0}, {1, 0, 0});
  MoveUp(b, second, 9, {5, 6});
  Document document = b.Build();
  // 5 is in view B itself; 6 only in view A.
  EXPECT_EQ(StartY(EntityByKey(document, "X1", 0)), 0);
  EXPECT_EQ(StartY(EntityByKey(document, "X2", 0)), 100);
  EXPECT_EQ(StartY(EntityByKey(document, "X1", 1)), 100);
  EXPECT_TRUE(document.findings.empty());
}

TEST(IdentifierTest, AnIdentifierThatNamesNothingIsReportedOnceAndSkipped) {
  SessionBuilder b;
  DbView view = b.AddView("A", 1);
  b.AddLine(view, 5, {0, 0, 0}, {1, 0, 0});
  MoveUp(b, view, 8, {5, 77});
  MoveUp(b, view, 9, {77});
  // Entity 20 arrives after the move that names it: it is not there yet.
  MoveUp(b, view, 10, {20});
  b.AddLine(view, 20, {0, 0, 0}, {1, 0, 0});
  Document document = b.Build();
  EXPECT_EQ(StartY(EntityByKey(document, "X1")), 100);
  EXPECT_EQ(StartY(EntityByKey(document, "X5")), 0);
  ASSERT_EQ(Count(document, AuditCode::UnknownId), 2);
  EXPECT_EQ(document.findings[0].message, "identifier 77 names nothing; skipped");
  EXPECT_EQ(document.findings[0].where, "view A, X2 DbMove");
  EXPECT_FALSE(document.findings[0].mended);
  EXPECT_EQ(document.findings[1].message, "identifier 20 names nothing; skipped");
}

TEST(IdentifierTest, GroupsHoldTheirMembersAndStandForThemInTransforms) {
  SessionBuilder b;
  DbView view = b.AddView("A", 1);
  b.AddLine(view, 1, {0, 0, 0}, {1, 0, 0});
  b.AddLine(view, 2, {0, 0, 0}, {1, 0, 0});
  b.AddLine(view, 3, {0, 0, 0}, {1, 0, 0});
  DbGroup group = b.Add<DbGroup>(view, 40);
  group.GroupName("G");
  group.AddEntityID(1);
  group.AddEntityID(3);
  MoveUp(b, view, 41, {40});
  Document document = b.Build();
  ASSERT_EQ(document.groups.size(), 1u);
  EXPECT_EQ(document.groups[0].name, "G");
  EXPECT_EQ(document.groups[0].members, (std::vector<EntityRef>{{0, 0}, {0, 2}}));
  EXPECT_EQ(StartY(EntityByKey(document, "X1")), 100);
  EXPECT_EQ(StartY(EntityByKey(document, "X2")), 0);
  EXPECT_EQ(StartY(EntityByKey(document, "X3")), 100);
}

TEST(IdentifierTest, BlockReferencesTakeTheEntriesOfTheAttributeListsTheyName) {
  SessionBuilder b;
  DbView view = b.AddView("A", 1);
  DbDictionary list = b.Add<DbDictionary>(view, 7);
  list.Add("45钢", "材料");
  DbBlockReference insert = b.Add<DbBlockReference>(view, 8);
  insert.BlockName("B");
  insert.ScaleFactor(1);
  insert.AddAttributeID(7);
  insert.AddAttributeID(70);
  Document document = b.Build();
  auto& shape = std::get<InsertShape>(EntityByKey(document, "X2").shape);
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(shape.attributes, (Pairs{{"材料", "45钢"}}));
  EXPECT_EQ(Count(document, AuditCode::UnknownId), 1);
  // The block was never defined: a marker stands for it, and carries the tag.
  EXPECT_EQ(Count(document, AuditCode::BlockUndefined), 1);
  const BlockDefinition* block = document.FindBlock("B");
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(block->placeholder);
  EXPECT_EQ(block->attributeTags, std::vector<std::string>{"材料"});
}

TEST(IdentifierTest, ALeadersHookTurnsTowardsItsAnnotation) {
  for (double textX : {30.0, -30.0}) {
    SessionBuilder b;
    DbView view = b.AddView("A", 1);
    DbText text = b.Add<DbText>(view, 1);
    text.InsertionPoint({textX, 20, 0});
    text.TextString("A");
    text.Height(3.5);
    DbLeader leader = b.Add<DbLeader>(view, 2);
    leader.AnnotationID(1);
    leader.hasHookLine(true);
    leader.AddVertex({0, 0, 0});
    leader.AddVertex({10, 20, 0});
    Document document = b.Build();
    auto& shape = std::get<LeaderShape>(EntityByKey(document, "X2").shape);
    ASSERT_EQ(shape.graphics.lines.size(), 1u);
    const LineShape& hook = shape.graphics.lines[0];
    EXPECT_DOUBLE_EQ(hook.start[0], 10);
    // One arrow long, horizontal, on the side of the text.
    EXPECT_DOUBLE_EQ(hook.end[0], textX > 0 ? 13 : 7);
    EXPECT_DOUBLE_EQ(hook.end[1], 20);
    // The arrowhead's tip is the first vertex.
    ASSERT_EQ(shape.graphics.solids.size(), 1u);
    EXPECT_EQ(shape.graphics.solids[0].corners[0], (Point3{0, 0, 0}));
  }
}

}  // namespace
}  // namespace qzdbs::server::test
