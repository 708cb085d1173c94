// The definition reader of one part: structure parameters, properties,
// points, entities, layers, identity and base points, and every entity's
// parameters, read on a connection of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/OrderedMap.h"
#include "db/colEntityList.h"
#include "state/colCompute.h"

namespace qzdbs {

namespace db {
class Connection;
}

class clsPartComputeDB {
 public:
  clsPartComputeDB();
  ~clsPartComputeDB();
  clsPartComputeDB(const clsPartComputeDB&) = delete;
  clsPartComputeDB& operator=(const clsPartComputeDB&) = delete;

  void InitClass(int32_t nPartID) { partID_ = nPartID; }
  bool openCnn(const std::string& str_Cnn);

  // Each family's records go to the collection and again to its pending list.
  bool getStructurePara(colCompute& colStruct, colCompute& coltemp);
  bool getPartProperties(colCompute& colProp, colCompute& colPropTemp);  // on LibraryConnection
  bool getPartPoint(colCompute& colPoint, colCompute& coltemp);

  // Entities in drawing order; one already in colVETotal is not drawn again.
  bool getPartEntity(colEntityList& colVE, colEntityList& colVETotal);
  bool getViewEntity(int32_t nViewID, colEntityList& colVE, colEntityList& colVETotal);

  // Reads the entity's parameters into colEntP with the reader of its type
  // code; true, reading nothing, for a code outside 1..27.
  bool getEntityParaDB(int32_t nEntity, int32_t nEntType, std::shared_ptr<colCompute> colEntP);

  bool getAllLayer(OrderedMap<std::string>& colLayer);  // "X" & LayerID -> name
  bool getPartCommInfo(int32_t nPartID, std::string& PartGUID, std::string& PartName);
  // The name of the base point of a part ("QZParts", "PartID") or a view
  // ("QZPartViews", "PartViewID"); empty after a message when there is not
  // exactly one.
  std::string getBasePointName(const std::string& RelateTable, const std::string& IDField,
                               int32_t nID);

  int32_t PartID() const { return partID_; }
  int32_t CurrentEntity() const { return entityID_; }
  const std::shared_ptr<colCompute>& CurrentEntityPara() const { return entityPara_; }

  // The SQL texts the reader runs.
  static std::string StructureParaSql(int32_t partID);
  static std::string PropertiesSql(int32_t partID);
  static std::string PointSql(int32_t partID);
  static std::string PartEntitySql(int32_t partID);
  static std::string ViewEntitySql(int32_t partID, int32_t viewID);
  static std::string LayerSql();
  static std::string CommInfoSql(int32_t partID);
  static std::string BasePointSql(const std::string& table, const std::string& idField, int32_t id,
                                  int32_t partID);

 private:
  db::Connection& Own();
  bool ReadEntities(const std::string& sql, const char* title, colEntityList& colVE,
                    colEntityList& colVETotal);

  int32_t partID_ = 0;
  std::unique_ptr<db::Connection> cnn_;  // created empty on first use
  int32_t entityID_ = 0;
  std::shared_ptr<colCompute> entityPara_;
};

}  // namespace qzdbs
