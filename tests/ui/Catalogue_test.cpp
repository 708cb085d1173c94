// The catalogue over one or more libraries.
#include "ui/Catalogue.h"

#include <gtest/gtest.h>

#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

using Kind = ui::CatalogueNode::Kind;

// The tree as indented lines: "name [kind partID]".
void Describe(const ui::CatalogueNode& node, int depth, std::vector<std::string>& lines) {
  std::string line(static_cast<size_t>(depth) * 2, ' ');
  line += node.name;
  if (node.kind == Kind::Part) line += " #" + std::to_string(node.partID);
  lines.push_back(line);
  for (const auto& child : node.children)
    Describe(child, depth + 1, lines);
}

std::unique_ptr<ScratchLibrary> SampleLibrary(const std::string& sql = {},
                                              const std::string& fileName = "sample.qzlib") {
  return std::make_unique<ScratchLibrary>(SampleLibrarySql() + sql, fileName);
}

TEST(CatalogueTest, EachLibraryIsItsFileNameAboveItsTree) {
  auto first = SampleLibrary({}, "first.qzlib");
  auto second =
      SampleLibrary("DELETE FROM QZPartDirectory WHERE NodeID IN (3, 6);", "second.qzlib");
  ui::Catalogue catalogue;
  ASSERT_TRUE(catalogue.Load({first->Path(), second->Path()}));
  EXPECT_TRUE(catalogue.Message().empty());
  std::vector<std::string> lines;
  for (const auto& library : catalogue.Libraries())
    Describe(library, 0, lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"first.qzlib", "  示例标准件库", "    螺栓与垫圈",
                                             "      六角头螺栓 #1", "      外齿锁紧垫圈 #2",
                                             "    法兰", "      板式平焊法兰 #3", "second.qzlib",
                                             "  示例标准件库", "    螺栓与垫圈",
                                             "      六角头螺栓 #1", "      外齿锁紧垫圈 #2"}));
  auto parts = catalogue.Parts();
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[0]->libraryPath, first->Path());
  EXPECT_EQ(parts[4]->libraryPath, second->Path());
  EXPECT_EQ(parts[4]->partID, 2);
  EXPECT_EQ(catalogue.Libraries()[0].kind, Kind::Library);
  EXPECT_EQ(catalogue.Libraries()[0].children[0].children[0].kind, Kind::Folder);
}

TEST(CatalogueTest, UnreadableLibrariesAreNamedAndTheOthersKept) {
  ScratchDir scratch;
  auto good = SampleLibrary();
  ScratchLibrary noCatalogue("CREATE TABLE Other (x);", "nocat.qzlib");
  ui::Catalogue catalogue;
  EXPECT_FALSE(
      catalogue.Load({scratch.Folder() + "absent.qzlib", good->Path(), noCatalogue.Path()}));
  ASSERT_EQ(catalogue.Libraries().size(), 1u);
  EXPECT_EQ(catalogue.Libraries()[0].libraryPath, good->Path());
  const std::string& message = catalogue.Message();
  EXPECT_NE(message.find(scratch.Folder() + "absent.qzlib"), std::string::npos) << message;
  EXPECT_NE(message.find(noCatalogue.Path()), std::string::npos) << message;
}

TEST(CatalogueTest, DirectoryLoopsAreReadOnce) {
  // Folder 7 below folder 2 claims the root as its child.
  auto library = SampleLibrary(
      "INSERT INTO QZPartDirectory (NodeID, NodeName, FatherID, Position, NodeType, PartID) "
      "VALUES (7, 'loop', 2, 3, 1, 0); UPDATE QZPartDirectory SET FatherID = 7 WHERE NodeID = 1;");
  ui::Catalogue catalogue;
  ASSERT_TRUE(catalogue.Load({library->Path()}));
  std::vector<std::string> lines;
  Describe(catalogue.Libraries()[0], 0, lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"sample.qzlib", "  示例标准件库", "    螺栓与垫圈",
                                             "      六角头螺栓 #1", "      外齿锁紧垫圈 #2",
                                             "      loop", "    法兰", "      板式平焊法兰 #3"}));
}

}  // namespace
}  // namespace qzdbs::test
