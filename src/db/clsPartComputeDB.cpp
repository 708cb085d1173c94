// The definition reader of one part.
#include "db/clsPartComputeDB.h"

#include <exception>
#include <memory>

#include "base/EngineError.h"
#include "db/EntityReaders.h"
#include "db/KeptReads.h"
#include "db/KeyedList.h"
#include "db/recordset/Recordset.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

// One parameter of a family (structure, property, point coordinate) as it
// goes into a family collection and again into its pending list.
struct FamilyPara {
  std::string ParaType;
  std::string ParaName;
  std::string Expression;  // also the starting value
  int16_t IsExpression;
  int16_t Visible;
  std::string TagStr;

  bool AddTo(colCompute& collection) const {
    return collection.Add(ParaType, ParaName, Expression, IsExpression, 0, Visible, Expression,
                          TagStr, 0);
  }
};

bool AddToBoth(colCompute& family, colCompute& pending, const FamilyPara& para) {
  return para.AddTo(family) && para.AddTo(pending);
}

// A family and its pending list as read from their query's result. A copy
// stands for a read into empty collections only.
struct KeptFamily {
  colCompute family;
  colCompute pending;
};

// Fills both from the kept copy of the result's family, or reads them with
// `read` and keeps a copy of what a successful read gave.
template <typename Read>
bool ReadFamily(const db::Recordset& rs, colCompute& family, colCompute& pending, Read read) {
  constexpr size_t kKeptFamilies = 12;  // a handful per thread, for the parts in hand
  thread_local db::KeptReads<KeptFamily> kept(kKeptFamilies);
  if (family.Count() > 0 || pending.Count() > 0) return read();
  if (const KeptFamily* copy = kept.Find(rs.Result())) {
    family = copy->family.Clone();
    pending = copy->pending.Clone();
    return true;
  }
  if (!read()) return false;
  kept.Keep(rs.Result(), {family.Clone(), pending.Clone()});
  return true;
}

// The columns of a family of named records: the structure parameters and
// the properties. A family without a visibility column is never shown.
struct NamedColumns {
  const char* family;
  const char* name;
  const char* value;
  const char* visible;
  const char* id;
};
constexpr NamedColumns kStructureColumns{"S", "Name", "Expression", "Visible", "StructureID"};
constexpr NamedColumns kPropertyColumns{"T", "PropertyName", "Value", nullptr, "PropertyID"};

bool AddNamedRows(db::Recordset& rs, const NamedColumns& c, colCompute& family,
                  colCompute& pending) {
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const FamilyPara para{c.family,
                          rs[c.name].AsText(),
                          rs[c.value].AsText(),
                          rs["IsExpression"].AsInteger(),
                          c.visible ? rs[c.visible].AsInteger() : int16_t{0},
                          std::string(c.family) + "." + std::to_string(rs[c.id].AsLong())};
    if (!AddToBoth(family, pending, para)) return false;
  }
  return true;
}

const db::Connection& LibraryConnection() {
  const auto& connection = Engine().LibraryConnection;
  if (!connection) throw db::DbError("对象关闭时，不允许操作: 零件库未打开");
  return *connection;
}

}  // namespace

clsPartComputeDB::clsPartComputeDB() = default;
clsPartComputeDB::~clsPartComputeDB() = default;

db::Connection& clsPartComputeDB::Own() {
  if (!cnn_) cnn_ = std::make_unique<db::Connection>();
  return *cnn_;
}

std::string clsPartComputeDB::StructureParaSql(int32_t partID) {
  return "SELECT [StructureID],[Name],[Expression],[IsExpression],[Visible] FROM " +
         std::string("[QZPartStructureParas] WHERE [PartID] = ") + std::to_string(partID) +
         " ORDER BY [Position]";
}

std::string clsPartComputeDB::PropertiesSql(int32_t partID) {
  return "SELECT QZProperties.PropertyID,  QZProperties.PropertyName," +
         std::string("QZPartPrptys.IsExpression,QZPartPrptys.Value  From ") +
         "QZProperties,QZPartPrptys Where QZProperties.PropertyID = " +
         "QZPartPrptys.PropertyID AND QZPartPrptys.PartID=" + std::to_string(partID) +
         " Order By [QZProperties].[PropertyID]";
}

std::string clsPartComputeDB::PointSql(int32_t partID) {
  return "SELECT [Name],[PXParaExp],[PYParaExp]," +
         std::string("[PZParaExp],[PointID] FROM [QZPartPoints] WHERE [PartID] = ") +
         std::to_string(partID) + " ORDER BY [Position]";
}

namespace {
const std::string kEntityColumns =
    "SELECT QZPartEntities.EntityID," +
    std::string("QZPartEntities.EntityType,QZPartEntities.Name") +
    ",QZPartEntities.Name,QZPartEntities.IsAssist" +
    ",QZPartEntities.LayerID,QZPartEntities.FilterExp,QZPartEntities.IsMatchProp ";
}

std::string clsPartComputeDB::PartEntitySql(int32_t partID) {
  return kEntityColumns + " FROM [QZPartEntities]" +
         " WHERE QZPartEntities.PartID = " + std::to_string(partID) +
         " ORDER BY [QZPartEntities].[Position] ";
}

std::string clsPartComputeDB::ViewEntitySql(int32_t partID, int32_t viewID) {
  const std::string part = std::to_string(partID);
  return kEntityColumns + " FROM [QZPartViewEntities]," + "[QZPartEntities] WHERE " +
         "QZPartViewEntities.EntityID =" + "QZPartEntities.EntityID AND " +
         "QZPartEntities.PartID = " + part + " AND " + "QZPartViewEntities.PartID = " + part +
         " AND " + "QZPartViewEntities.PartViewID = " + std::to_string(viewID) +
         "  ORDER BY [QZPartEntities].[Position] ";
}

std::string clsPartComputeDB::LayerSql() {
  return "SELECT [LayerID],[Name] FROM [QZLayer]";
}

std::string clsPartComputeDB::CommInfoSql(int32_t partID) {
  const std::string part = std::to_string(partID);
  return "SELECT [Name],[DATA1],[DATA2],[DATA3],[DATA4]" +
         std::string(" FROM [QZParts],[QZPartGUIDs]  WHERE ") +
         " [QZParts].[PartID] = [QZPartGUIDs].[ID] " + " AND [QZParts].[PartID] = " + part +
         " AND [QZPartGUIDs].[ID] = " + part;
}

std::string clsPartComputeDB::BasePointSql(const std::string& T, const std::string& F, int32_t id,
                                           int32_t partID) {
  const std::string part = std::to_string(partID);
  return "SELECT [QZPartPoints].[Name]" + std::string(" ,") + "[" + T + "].[BasePoint] FROM " +
         "[QZPartPoints], [" + T + "] WHERE " + "[QZPartPoints].[PointID] = [" + T +
         "].[BasePoint]" + " AND " + "[" + T + "].[" + F + "] = " + std::to_string(id) + " AND " +
         "[" + T + "].[PartID] = " + part + " AND [QZPartPoints].[PartID] = " + part;
}

bool clsPartComputeDB::openCnn(const std::string& str_Cnn) {
  try {
    db::Connection& connection = Own();
    if (connection.State() == db::ObjectState::Open) connection.Close();
    connection.ConnectionString = str_Cnn;
    connection.Open({}, {});
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool clsPartComputeDB::getStructurePara(colCompute& colStruct, colCompute& coltemp) {
  try {
    db::Recordset rs;
    rs.Open(StructureParaSql(partID_), Own());
    if (rs.RecordCount() < 1) return false;
    return ReadFamily(rs, colStruct, coltemp,
                      [&] { return AddNamedRows(rs, kStructureColumns, colStruct, coltemp); });
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Information, "getStructurePara");
    return false;
  }
}

bool clsPartComputeDB::getPartProperties(colCompute& colProp, colCompute& colPropTemp) {
  try {
    db::Recordset rs;
    rs.Open(PropertiesSql(partID_), LibraryConnection());
    if (rs.RecordCount() < 1) return false;
    return ReadFamily(rs, colProp, colPropTemp,
                      [&] { return AddNamedRows(rs, kPropertyColumns, colProp, colPropTemp); });
  } catch (const std::exception&) {
    return false;
  }
}

bool clsPartComputeDB::getPartPoint(colCompute& colPoint, colCompute& coltemp) {
  try {
    db::Recordset rs;
    rs.Open(PointSql(partID_), Own());
    if (rs.RecordCount() < 1) {
      MsgBox("零件点的信息表没有任何数据，系统无法正常运行", MsgIcon::Exclamation, "提示：点表");
      return false;
    }
    return ReadFamily(rs, colPoint, coltemp, [&] {
      for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const std::string name = rs["Name"].AsText();
        const std::string alias = "P." + std::to_string(rs["PointID"].AsLong());
        auto coordinate = [&](const char* axis, const char* column) {
          return FamilyPara{"P", name + "." + axis, rs[column].AsText(), 1, 1, alias + "." + axis};
        };
        const FamilyPara x = coordinate("X", "PXParaExp");
        const FamilyPara y = coordinate("Y", "PYParaExp");
        const FamilyPara z = coordinate("Z", "PZParaExp");
        for (colCompute* target : {&colPoint, &coltemp}) {
          if (!x.AddTo(*target) || !y.AddTo(*target) || !z.AddTo(*target)) return false;
        }
      }
      return true;
    });
  } catch (const std::exception&) {
    return false;
  }
}

bool clsPartComputeDB::ReadEntities(const std::string& sql, const char* title, colEntityList& colVE,
                                    colEntityList& colVETotal) {
  try {
    db::Recordset rs;
    rs.Open(sql, Own());
    if (rs.RecordCount() < 1) return false;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      const bool isAssist = rs["IsAssist"].AsInteger() == 1;
      const bool isMatchProp = rs["IsMatchProp"].AsInteger() == 1;
      const int32_t id = rs["EntityID"].AsLong();
      // The running list only tells whether an entity was met before.
      if (!colVETotal.Add(id, 0, "", false, 0, "", true, true, 256, nullptr, "", 0)) continue;
      if (!colVE.Add(id, rs["EntityType"].AsLong(), rs["Name"].AsText(), isAssist,
                     rs["LayerID"].AsLong(), rs["FilterExp"].AsText(), isMatchProp, true, 256,
                     nullptr, "", 0))
        return false;
    }
    return true;
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Exclamation, title);
    return false;
  }
}

bool clsPartComputeDB::getPartEntity(colEntityList& colVE, colEntityList& colVETotal) {
  return ReadEntities(PartEntitySql(partID_), "getPartEntity->", colVE, colVETotal);
}

bool clsPartComputeDB::getViewEntity(int32_t nViewID, colEntityList& colVE,
                                     colEntityList& colVETotal) {
  return ReadEntities(ViewEntitySql(partID_, nViewID), "getViewEntity->", colVE, colVETotal);
}

bool clsPartComputeDB::getEntityParaDB(int32_t nEntity, int32_t nEntType,
                                       std::shared_ptr<colCompute> colEntP) {
  entityID_ = nEntity;
  entityPara_ = std::move(colEntP);
  if (EntityReaderName(nEntType).empty()) return true;
  if (!entityPara_) return false;
  return ReadEntityParameters(nEntType, EntityReadContext{Own(), partID_, entityID_, *entityPara_});
}

bool clsPartComputeDB::getAllLayer(OrderedMap<std::string>& colLayer) {
  try {
    db::Recordset rs;
    rs.Open(LayerSql(), Own());
    if (rs.RecordCount() < 1) {
      MsgBox("图层信息表没有任何数据，系统无法正常运行", MsgIcon::Exclamation, "提示：图层");
      return false;
    }
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      if (!colLayer.Insert("X" + std::to_string(rs["LayerID"].AsLong()), rs["Name"].AsText()))
        throw EngineError(kDuplicateKeyText);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool clsPartComputeDB::getPartCommInfo(int32_t nPartID, std::string& PartGUID,
                                       std::string& PartName) {
  PartGUID.clear();
  PartName.clear();
  try {
    db::Recordset rs;
    rs.Open(CommInfoSql(nPartID), Own());
    const int32_t count = rs.RecordCount();
    if (count == 0) {
      MsgBox("没有发现零件的GUID，系统无法正常运行", MsgIcon::Exclamation, "提示：GUID");
      return false;
    }
    if (count > 1) throw EngineError::ApplicationDefined();
    rs.MoveFirst();
    std::string guid = rs["DATA1"].AsText() + "@" + rs["DATA2"].AsText() + "@" +
                       rs["DATA3"].AsText() + "@" + rs["DATA4"].AsText();
    PartName = rs["Name"].AsText();
    PartGUID = std::move(guid);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::string clsPartComputeDB::getBasePointName(const std::string& RelateTable,
                                               const std::string& IDField, int32_t nID) {
  const char* title = "提示：->getBasePointName";
  try {
    db::Recordset rs;
    rs.Open(BasePointSql(RelateTable, IDField, nID, partID_), Own());
    const int32_t count = rs.RecordCount();
    if (count == 0) {
      MsgBox("没有发现基点名称，系统无法正常运行", MsgIcon::Exclamation, title);
    } else if (count > 1) {
      MsgBox("存在多个基点名称，系统无法正常运行", MsgIcon::Information, title);
    } else {
      rs.MoveFirst();
      return rs["Name"].AsText();
    }
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Information, title);
  }
  return {};
}

}  // namespace qzdbs
