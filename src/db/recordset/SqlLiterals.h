// Query texts that differ only in the numbers they compare with: the readers
// ask the same question of every entity and part, with its identifiers
// written into the text. Lifting those numbers out as parameters lets one
// prepared statement serve every such text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qzdbs::db {

struct LiftedQuery {
  std::string text;             // the query with each lifted number written as ?
  std::vector<int64_t> values;  // the numbers, in the order of the ?s
};

// Lifts every whole number that directly follows "=" (spaces and a minus sign
// allowed) outside quotes and brackets; a number anywhere else (ORDER BY 1,
// LIMIT 5, arithmetic) stays in the text, where it may mean something else
// than a value. Numbers too large for 64 bits stay as well.
LiftedQuery LiftComparedNumbers(const std::string& sql);

}  // namespace qzdbs::db
