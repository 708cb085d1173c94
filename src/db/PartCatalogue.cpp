// Catalogue queries and node reading.
#include "db/PartCatalogue.h"

#include <memory>

#include "db/recordset/Recordset.h"

namespace qzdbs {

std::string RootNodesSql(int32_t nodeType) {
  return "Select * From [QZPartDirectory] Where [NodeType] = " + std::to_string(nodeType) +
         " Order By [Position]";
}

std::string ChildNodesSql(int32_t fatherID) {
  return "select * from [QZPartDirectory] where [FatherID] = " + std::to_string(fatherID) +
         " Order by [Position]";
}

std::vector<clsPartTreeDBPtr> ReadCatalogueNodes(const db::Connection& connection,
                                                 const std::string& sql,
                                                 const std::string& dbPath) {
  db::Recordset rs;
  rs.Open(sql, connection);
  // Older catalogues may lack the part column; their part nodes open no part.
  const bool hasPart = rs.HasField("PartID");
  std::vector<clsPartTreeDBPtr> nodes;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    auto node = std::make_shared<clsPartTreeDB>();
    node->DBPath = dbPath;
    node->NodeID = rs["NodeID"].AsLong();
    node->NodeName = rs["NodeName"].AsText();
    node->FatherID = rs["FatherID"].AsLong();
    node->Position = rs["Position"].AsLong();
    node->NodeType = rs["NodeType"].AsInteger();
    if (hasPart) node->PartID = rs["PartID"].LongOr(0);
    nodes.push_back(std::move(node));
  }
  return nodes;
}

}  // namespace qzdbs
