// Reading one entity's parameters into its parameter collection, by type code.
#pragma once

#include <cstdint>
#include <string>

#include "state/colCompute.h"

namespace qzdbs {

namespace db {
class Connection;
}

struct EntityReadContext {
  const db::Connection& connection;  // the definition reader's own connection
  int32_t partID;
  int32_t entityID;
  colCompute& params;  // the entity parameter collection; only added to
};

// Runs the reader of `code`; true for a code outside 1..27, which reads nothing.
bool ReadEntityParameters(int32_t code, const EntityReadContext& context);

// The reader's own name ("getEntLine") and its first query's text; empty
// outside 1..27.
std::string EntityReaderName(int32_t code);
std::string EntityReaderSql(int32_t code, int32_t partID, int32_t entityID);

// The member list query of a block reference or leader, and the boundary
// query of a hatch.
std::string EntityListSql(int32_t partID, int32_t entityID, int32_t listID);
std::string HatchLoopSql(int32_t partID, int32_t entityID, int32_t outerList, int32_t innerList);

}  // namespace qzdbs
