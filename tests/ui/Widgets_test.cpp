// The grid, editor and name lookup that the dialogs are made of.
#include <gtest/gtest.h>

#include "ui/CellEditor.h"
#include "ui/GridModel.h"
#include "ui/NameLookup.h"

namespace qzdbs::ui {
namespace {

TEST(GridModel, ReshapingKeepsCellsInsideAndTheSelectionInTheMovableCells) {
  GridModel grid(3, 3);
  grid.SetFixedRows(1);
  grid.SetFixedCols(1);
  grid.SetTextMatrix(1, 1, "a");
  grid.SetTextMatrix(2, 2, "b");
  grid.SetColWidth(1, 5);
  grid.Select(2, 2, 2, 2);
  grid.SetRows(2);
  EXPECT_EQ(grid.TextMatrix(1, 1), "a");
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.RowSel(), 1);
  grid.SetCols(4);
  EXPECT_EQ(grid.ColWidth(1), 5);
  EXPECT_EQ(grid.ColWidth(3), kShownColumnWidth);
  EXPECT_EQ(grid.TextMatrix(1, 3), "");
  EXPECT_THROW(grid.TextMatrix(2, 0), std::out_of_range);
  // Only the header is left: no current cell.
  grid.SetRows(1);
  EXPECT_FALSE(grid.HasCurrentCell());
  grid.Select(0, 0, 0, 0);
  EXPECT_EQ(grid.Row(), 0);
}

TEST(GridModel, ColumnsCountAsShownFromElevenTwips) {
  GridModel grid(1, 4);
  grid.SetColWidth(1, 10);
  grid.SetColWidth(2, 11);
  grid.SetColWidth(3, 5);
  EXPECT_FALSE(grid.ColumnShown(1));
  EXPECT_TRUE(grid.ColumnShown(2));
  EXPECT_FALSE(grid.ColumnShown(3));
}

TEST(CellEditor, CommitWritesOnlyWhileShown) {
  GridModel grid(2, 2);
  grid.SetFixedRows(1);
  grid.SetFixedCols(1);
  grid.SetTextMatrix(1, 1, "old");
  CellEditor editor(grid);
  editor.Commit();
  EXPECT_EQ(grid.TextMatrix(1, 1), "old");
  ASSERT_TRUE(editor.Start("x"));
  editor.SetText("xyz");
  editor.Commit();
  EXPECT_EQ(grid.TextMatrix(1, 1), "xyz");
  editor.SetText("late");
  editor.Commit();
  EXPECT_EQ(grid.TextMatrix(1, 1), "xyz");
}

TEST(NameLookup, ExactNumberCaseAndFragmentInThatOrder) {
  const std::vector<NamedItem> items = {
      {"主视图 (Front view)", 31}, {"左视图 (Left view)", 27}, {"Front", 99}, {"31", 5}};
  struct Case {
    const char* query;
    Match match;
    size_t found;
  };
  const Case cases[] = {
      {"Front", Match::Fragment, 2},  // the exact name wins over fragments
      {"31", Match::Fragment, 3},     // an exact name wins over a number
      {"27", Match::Whole, 1},       {"FRONT", Match::Whole, 2},
      {"left", Match::Fragment, 1},  {"左视图", Match::Fragment, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindNamed(items, c.query, c.match, "view", "views"), c.found) << c.query;
  // Parts of names count only where asked for, and must name one item.
  EXPECT_THROW(FindNamed(items, "Fro", Match::Whole, "view", "views"), LookupError);
  EXPECT_THROW(FindNamed(items, "view", Match::Fragment, "view", "views"), LookupError);
}

}  // namespace
}  // namespace qzdbs::ui
