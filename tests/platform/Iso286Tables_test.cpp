// The ISO 286 tables compiled into the library, and the checks that keep a
// damaged table from being read.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/iso286/Iso286Tables.h"

namespace qzdbs::iso286 {
namespace {

TEST(Iso286Tables, CompiledTablesReachTo3150mm) {
  const Iso286Tables& tables = Iso286Tables::Compiled();
  EXPECT_EQ(tables.itGrades.RowCount(), 21u);
  EXPECT_EQ(tables.shaft.RowCount(), 41u);
  EXPECT_EQ(tables.hole.RowCount(), 41u);
  for (const Iso286Table* table : {&tables.itGrades, &tables.shaft, &tables.hole}) {
    EXPECT_EQ(table->UpperLimit(), 3150);
  }
  EXPECT_TRUE(tables.itGrades.HasColumn("IT01"));
  EXPECT_TRUE(tables.itGrades.HasColumn("IT18"));
  EXPECT_TRUE(tables.shaft.HasColumn("zc"));
  EXPECT_TRUE(tables.hole.HasColumn("delta_IT8"));
}

TEST(Iso286Tables, BlankCellsHaveNoValueAndCrLfIsRead) {
  Iso286Table table = Iso286Table::Parse("over_mm,up_to_mm,a,b\r\n0,3,-1,\r\n3,6,,2.5\r\n");
  EXPECT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(table.Lookup("a", 3), -1);
  EXPECT_FALSE(table.Lookup("b", 3).has_value());
  EXPECT_FALSE(table.Lookup("a", 4).has_value());
  EXPECT_EQ(table.Lookup("b", 4), 2.5);
  EXPECT_THROW(table.Lookup("c", 4), std::logic_error);
}

TEST(Iso286Tables, DamagedTablesAreRejected) {
  const char* damaged[] = {
      "",                                     // no header
      "size,up_to_mm,a\n0,3,1\n",             // wrong header
      "over_mm,up_to_mm\n0,3\n",              // no column
      "over_mm,up_to_mm,a\n0,3,1\n6,10,1\n",  // gap between ranges
      "over_mm,up_to_mm,a\n0,3,1\n2,10,1\n",  // overlapping ranges
      "over_mm,up_to_mm,a\n1,3,1\n",          // does not start at 0
      "over_mm,up_to_mm,a\n0,3,1\n3,3,1\n",   // empty range
      "over_mm,up_to_mm,a\n0,3,1,2\n",        // too many cells
      "over_mm,up_to_mm,a,b\n0,3,1\n",        // too few cells
      "over_mm,up_to_mm,a\n0,3,1O\n",         // not a number
  };
  for (const char* csv : damaged) {
    SCOPED_TRACE(csv);
    EXPECT_THROW(Iso286Table::Parse(csv), std::invalid_argument);
  }
}

}  // namespace
}  // namespace qzdbs::iso286
