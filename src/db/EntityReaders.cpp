// The generic entity parameter reader: one frame for every type code, driven
// by the reader table, with the few steps where a type really differs.
#include "db/EntityReaders.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "base/NumberText.h"
#include "db/EntityTypeDef.h"
#include "db/KeptReads.h"
#include "db/SaveFieldToFile.h"
#include "db/recordset/Recordset.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

// A query found fewer (or more) rows than its reader needs. The failure has
// no text of its own, so a reader that shows it shows an empty box.
struct RowRuleUnmet {};

bool RuleMet(RowRule rule, int32_t count) {
  return rule == RowRule::ExactlyOne ? count == 1 : count >= 1;
}

// A block name becomes a file name inside the block folder; one that names
// another folder (a separator, a drive) is not used. Dots are only dots:
// "Bolt..M10.DWG" is a file of the folder like any other.
bool StaysInFolder(const std::string& name) {
  const bool drive = name.size() >= 2 && name[1] == ':';
  return !drive && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

class Reader {
 public:
  Reader(const EntityTypeDef& type, const EntityReadContext& context)
      : type_(type), context_(context) {}

  bool Run() {
    try {
      db::Recordset rs;
      Open(rs, EntityTypeSql(type_, context_.partID, context_.entityID), type_.rule);
      return Keepable() ? ReadKept(rs) : ReadAll(rs);
    } catch (const RowRuleUnmet&) {
      if (type_.show == ShowFailures::Always) MsgBox("", MsgIcon::Critical, type_.title);
      return false;
    } catch (const std::exception& e) {
      if (type_.show != ShowFailures::Never) MsgBox(e.what(), MsgIcon::Critical, type_.title);
      return false;
    }
  }

 private:
  bool ReadAll(db::Recordset& rs) {
    for (const ParamDef& param : type_.params)
      AddParam(param, rs);
    for (TailStep step : type_.tail) {
      if (!Tail(step, rs)) return false;
    }
    return true;
  }

  // A copy stands for a read into an empty collection, and for a reader that
  // only reads: a block file is written again for every drawing.
  bool Keepable() const {
    return context_.params.Count() == 0 &&
           std::find(type_.tail.begin(), type_.tail.end(), TailStep::BlockFile) == type_.tail.end();
  }

  // An entity's parameters are the same for every row of its part.
  bool ReadKept(db::Recordset& rs) {
    constexpr size_t kKeptEntities = 4096;
    thread_local db::KeptReads<colCompute> kept(kKeptEntities);
    if (const colCompute* copy = kept.Find(rs.Result(), &type_)) {
      context_.params = copy->Clone();
      return true;
    }
    if (!ReadAll(rs)) return false;
    kept.Keep(rs.Result(), context_.params.Clone(), &type_);
    return true;
  }

  void Open(db::Recordset& rs, const std::string& sql, RowRule rule) {
    rs.Open(sql, context_.connection);
    if (!RuleMet(rule, rs.RecordCount())) throw RowRuleUnmet{};
    rs.MoveFirst();
  }

  // The three records of a point reference (addPointPara).
  void addPointPara(int32_t pointID, const std::string& name) {
    for (const char* axis : {"X", "Y", "Z"}) {
      context_.params.Add(name, axis, "", 1, 0, 1, "", "P." + std::to_string(pointID) + "." + axis,
                          0);
    }
  }

  void AddStruct(const std::string& name, const std::string& alias) {
    context_.params.Add(name, "S", "", 0, 1, 1, "", alias, 0);
  }

  void AddLiteral(const std::string& name, const std::string& value, int16_t flag = 0) {
    context_.params.Add(name, "S", value, flag, 0, 0, "", "", 0);
  }

  // Members are numbered across every list of the entity.
  void AddEntityRef(const db::Recordset& rs, int16_t flag) {
    context_.params.Add("EntityID", "E" + std::to_string(++members_), rs["RefEntityIDs"].AsText(),
                        flag, 0, 0, "", "", 0);
  }

  void AddParam(const ParamDef& param, const db::Recordset& rs) {
    switch (param.kind) {
      case ParamKind::Point:
        addPointPara(rs[param.column].AsLong(), param.name);
        break;
      case ParamKind::Struct:
        AddStruct(param.name, "S." + rs[param.column].TextOr(""));
        break;
      case ParamKind::Literal:
        AddLiteral(param.name, rs[param.column].AsText());
        break;
      case ParamKind::LiteralOrZero:
        AddLiteral(param.name, rs[param.column].TextOr("0"));
        break;
      case ParamKind::Text:
        AddLiteral("TextString", rs["TextString"].AsText(), rs["IsExpression"].AsInteger());
        break;
      case ParamKind::EllipseAngles: {
        // A full ellipse has no angles; both then refer to structure 0.
        db::FieldValue start = rs["StartAngle"];
        if (start.IsNull()) {
          AddStruct("StartAngle", "S.0");
          AddStruct("EndAngle", "S.0");
        } else {
          AddStruct("StartAngle", "S." + start.AsText());
          AddStruct("EndAngle", "S." + FormatNumber(rs["EndAngle"].AsDouble()));
        }
        break;
      }
    }
  }

  void EachRow(db::Recordset& rs, const auto& add) {
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
      add(rs);
  }

  // Members from a second query. A hatch flags each member with its loop: 0
  // for the outer boundary list, 1 for any other.
  void MemberQuery(const std::string& sql, bool required, std::optional<int32_t> outerList) {
    db::Recordset list;
    list.Open(sql, context_.connection);
    if (required && list.RecordCount() < 1) throw RowRuleUnmet{};
    EachRow(list, [&](const db::Recordset& row) {
      int16_t inner = outerList && row["EntityListID"].AsLong() != *outerList ? 1 : 0;
      AddEntityRef(row, inner);
    });
  }

  bool Tail(TailStep step, db::Recordset& rs) {
    switch (step) {
      case TailStep::PointRows: {
        int32_t n = 0;
        EachRow(rs, [&](const db::Recordset& row) {
          addPointPara(row["PointID"].AsLong(), "PointID" + std::to_string(++n));
        });
        return true;
      }
      case TailStep::EntityRows:
        EachRow(rs, [&](const db::Recordset& row) { AddEntityRef(row, 0); });
        return true;
      case TailStep::MemberList:
      case TailStep::AnnotationList: {
        const bool required = step == TailStep::AnnotationList;
        rs.MoveFirst();
        int32_t listID = rs[required ? "AnnotationEntity" : "EntityListID"].AsLong();
        MemberQuery(EntityListSql(context_.partID, context_.entityID, listID), required,
                    std::nullopt);
        return true;
      }
      case TailStep::HatchLoops: {
        rs.MoveFirst();
        int32_t outer = rs["ExternalBoundaryLoopEntity"].AsLong();
        int32_t inner = rs["InnerBoundaryLoopEntity"].AsLong();
        MemberQuery(HatchLoopSql(context_.partID, context_.entityID, outer, inner), true, outer);
        return true;
      }
      case TailStep::AttributeRows:
        EachRow(rs, [&](const db::Recordset& row) {
          context_.params.Add("Attribute", row["AttName"].AsText(), row["Value"].AsText(),
                              row["IsExpression"].AsInteger(), 0, 1, "",
                              row["DefaultValue"].TextOr(""), 0);
        });
        return true;
      case TailStep::BlockFile:
        return WriteBlockFile(rs);
    }
    return true;
  }

  bool WriteBlockFile(db::Recordset& rs) {
    rs.MoveFirst();
    const std::string name = rs["BlockName"].AsText();
    const std::string file = Engine().BlockFolder + name + ".DWG";
    if (rs["NoBlockData"].AsLong() != 0) {
      MsgBox(file + "没有定义块定义的二进制数据", MsgIcon::Information, "提示：");
      return true;
    }
    if (!StaysInFolder(name)) {
      MsgBox("块名称 \"" + name + "\" 含有路径分隔符或盘符，块文件不能写到块文件夹以外",
             MsgIcon::Exclamation, "提示：");
      return false;
    }
    // Streamed from the library: a drawing of hundreds of megabytes is never
    // held in memory, let alone twice (the query asks for its type, not for
    // the value, which "IS NULL" would read whole).
    return SaveBlobToFile(context_.connection.Library(), "QZEnt_BlockGlobal", "BlockData",
                          static_cast<int64_t>(rs["BlockRow"].AsDouble()), file);
  }

  const EntityTypeDef& type_;
  const EntityReadContext& context_;
  int32_t members_ = 0;
};

}  // namespace

bool ReadEntityParameters(int32_t code, const EntityReadContext& context) {
  const EntityTypeDef* type = FindEntityType(code);
  if (!type) return true;
  return Reader(*type, context).Run();
}

std::string EntityReaderName(int32_t code) {
  const EntityTypeDef* type = FindEntityType(code);
  return type ? type->reader : "";
}

std::string EntityReaderSql(int32_t code, int32_t partID, int32_t entityID) {
  const EntityTypeDef* type = FindEntityType(code);
  return type ? EntityTypeSql(*type, partID, entityID) : "";
}

std::string EntityListSql(int32_t partID, int32_t entityID, int32_t listID) {
  return "SELECT [EntityListID],[RefEntityIDs] FROM  [QZEntityIdList] WHERE [PartID] = " +
         std::to_string(partID) + " AND [EntityID] = " + std::to_string(entityID) +
         " AND [EntityListID]=" + std::to_string(listID);
}

std::string HatchLoopSql(int32_t partID, int32_t entityID, int32_t outerList, int32_t innerList) {
  return "SELECT [EntityListID],[RefEntityIDs] FROM  [QZEntityIdList] WHERE [PartID] = " +
         std::to_string(partID) + " AND [EntityID] = " + std::to_string(entityID) +
         " AND (  [EntityListID]=" + std::to_string(outerList) +
         " OR [EntityListID]=" + std::to_string(innerList) + ")";
}

}  // namespace qzdbs
