// Which numbers of a query text become parameters, and which must stay.
#include "db/recordset/SqlLiterals.h"

#include <gtest/gtest.h>

namespace qzdbs::db {
namespace {

TEST(LiftComparedNumbers, OnlyNumbersComparedWithEqualsOutsideQuotesAreLifted) {
  struct Case {
    std::string sql;
    std::string text;
    std::vector<int64_t> values;
  };
  const Case cases[] = {
      {"SELECT [Name] FROM [QZParts] WHERE [PartID] = 12 AND [ID]=-3",
       "SELECT [Name] FROM [QZParts] WHERE [PartID] = ? AND [ID]=?",
       {12, -3}},
      {"SELECT * FROM T WHERE (  [L]=1 OR [L]=2)",
       "SELECT * FROM T WHERE (  [L]=? OR [L]=?)",
       {1, 2}},
      // Numbers that are not compared values, or not whole numbers, stay.
      {"SELECT * FROM T ORDER BY 1 LIMIT 5", "SELECT * FROM T ORDER BY 1 LIMIT 5", {}},
      {"SELECT * FROM T WHERE A = 1.5 OR B = 2e3 OR C = 0x1F OR D = 3 + 4",
       "SELECT * FROM T WHERE A = 1.5 OR B = 2e3 OR C = 0x1F OR D = ? + 4",
       {3}},
      {"SELECT * FROM T WHERE A = 99999999999999999999",
       "SELECT * FROM T WHERE A = 99999999999999999999",
       {}},
      {"SELECT * FROM T WHERE A = - 5", "SELECT * FROM T WHERE A = - 5", {}},
      {"SELECT * FROM T WHERE A >= 7", "SELECT * FROM T WHERE A >= ?", {7}},
      // Quoted texts and bracketed names are copied as they are.
      {"SELECT '=1', \"a=2\", [b=3] FROM T WHERE N = 'x''=4' AND M = 5",
       "SELECT '=1', \"a=2\", [b=3] FROM T WHERE N = 'x''=4' AND M = ?",
       {5}},
      {"SELECT * FROM T WHERE N = 'unterminated =6",
       "SELECT * FROM T WHERE N = 'unterminated =6",
       {}},
  };
  for (const Case& c : cases) {
    LiftedQuery lifted = LiftComparedNumbers(c.sql);
    EXPECT_EQ(lifted.text, c.text) << c.sql;
    EXPECT_EQ(lifted.values, c.values) << c.sql;
  }
}

}  // namespace
}  // namespace qzdbs::db
