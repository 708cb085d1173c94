// The two catalogue queries and the reading of their nodes, for whatever
// shows a library's tree of folders and parts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/clsPartTreeDB.h"

namespace qzdbs {

namespace db {
class Connection;
}

// The root nodes of one kind, in sibling order.
std::string RootNodesSql(int32_t nodeType);
// The children of one node, in sibling order.
std::string ChildNodesSql(int32_t fatherID);

// Runs one of the catalogue queries and returns its nodes in the order read,
// each with DBPath set to `dbPath`. Throws db::DbError when the query fails or
// a node lacks its identifier, parent, position or name.
std::vector<clsPartTreeDBPtr> ReadCatalogueNodes(const db::Connection& connection,
                                                 const std::string& sql, const std::string& dbPath);

}  // namespace qzdbs
