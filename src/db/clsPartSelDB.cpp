// The selection dialog's reader.
#include "db/clsPartSelDB.h"

#include <charconv>
#include <deque>
#include <exception>
#include <unordered_map>

#include "base/NumberText.h"
#include "db/SaveFieldToFile.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

void ShowFailure(const std::exception& failure) {
  MsgBox(failure.what(), MsgIcon::Exclamation, "提示：");
}

// Runs `sql` on the shared library connection; the set's earlier query, if
// any, is closed first.
void OpenOnLibrary(db::Recordset& rs, const std::string& sql) {
  rs.Close();
  const auto& connection = Engine().LibraryConnection;
  if (!connection) throw db::DbError("对象关闭时，不允许操作: 零件库未打开");
  rs.Open(sql, *connection);
}

// The general format when it reads back to the same number, else the shortest
// text that does.
std::string NumberToText(double value) {
  std::string text = FormatNumber(value);
  if (ParseNumber(text) == value) return text;
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : text;
}

bool HasBytes(const db::Field& field) {
  return !field.Value().IsNull() && field.ActualSize() > 0;
}

// What a value table is read with: the definitions' identity and every
// field of theirs that the values take.
struct Definition {
  std::string key;
  std::string name;
  int32_t id = 0;
  int16_t type = 0;
  int16_t visible = 0;
  bool operator==(const Definition&) const = default;
};

std::vector<Definition> DefinitionsOf(const colInputPara& names) {
  std::vector<Definition> definitions;
  for (const auto& d : names)
    definitions.push_back({d->XKey, d->ParaName, d->ParaID, d->ParaType, d->Visible});
  return definitions;
}

struct ReadTable {
  std::weak_ptr<const db::QueryResult> source;
  std::vector<Definition> definitions;
  std::shared_ptr<const colInputPara> values;
  std::vector<int32_t> rows;
};

}  // namespace

std::string clsPartSelDB::InputParaSql(int32_t partID) {
  return "SELECT [ParaID],[ParaName],[ParaType] ,[Visible] FROM" +
         std::string(" [QZPartInputParas] WHERE[PartID] =") + std::to_string(partID) +
         " Order By [QZPartInputParas].[Position]";
}

std::string clsPartSelDB::ParaValueSql(int32_t partID) {
  return "SELECT [ParaID],[RowID],[StrValue],[RealValue] " +
         std::string("FROM [QZParaValue] WHERE [PartID] =") + std::to_string(partID) +
         " ORDER BY [RowID]";
}

std::string clsPartSelDB::PartSql(int32_t partID) {
  return "SELECT [PartID],[PartPic],[BasePoint],[Position],[PartPic] " +
         std::string(" FROM [QZParts] WHERE [PartID] =") + std::to_string(partID);
}

std::string clsPartSelDB::PartViewSql(int32_t partID) {
  return "SELECT [PartViewID],[PartViewName],[BasePoint],[Position],[ViewPic] " +
         std::string(" FROM [QZPartViews] WHERE [PartID] =") + std::to_string(partID) +
         " Order By [QZPartViews].[Position]";
}

bool clsPartSelDB::openInputParaRs() {
  try {
    OpenOnLibrary(inputParaRs_, InputParaSql(partID_));
    return true;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::openParaValueRs() {
  try {
    OpenOnLibrary(paraValueRs_, ParaValueSql(partID_));
    return true;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getInputParaName(colInputPara& colParaName) {
  if (!openInputParaRs()) return false;
  try {
    db::Recordset& rs = inputParaRs_;
    if (rs.RecordCount() < 1) return false;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      if (!colParaName.Add(rs["ParaName"].AsText(), rs["ParaID"].AsLong(), 0.0, "",
                           rs["ParaType"].AsInteger(), rs["Visible"].AsInteger(), 0))
        return false;
    }
    return true;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getInputParaData(colInputPara& colData, const colInputPara& colParaName) {
  clearParaRows();
  return openParaValueRs() && readParaValues(colData, colParaName);
}

std::shared_ptr<const colInputPara> clsPartSelDB::SharedInputParaData(
    const colInputPara& colParaName) {
  // A handful of parts: a batch's jobs draw a part's rows one after another.
  constexpr size_t kKeptTables = 8;
  thread_local std::deque<ReadTable> kept;
  clearParaRows();
  if (!openParaValueRs()) return std::make_shared<colInputPara>();
  std::vector<Definition> definitions = DefinitionsOf(colParaName);
  const auto& source = paraValueRs_.Result();
  for (const ReadTable& table : kept) {
    if (table.source.lock() == source && table.definitions == definitions) {
      paraRows_ = table.rows;
      return table.values;
    }
  }
  auto values = std::make_shared<colInputPara>();
  if (!readParaValues(*values, colParaName)) return values;
  if (kept.size() >= kKeptTables) kept.pop_front();
  kept.push_back({source, std::move(definitions), values, paraRows_});
  return values;
}

bool clsPartSelDB::readParaValues(colInputPara& colData, const colInputPara& colParaName) {
  try {
    db::Recordset& rs = paraValueRs_;
    if (rs.RecordCount() < 1) return false;
    // A part's table is read whole each time a part is chosen (a batch
    // chooses it once per drawing): columns and definitions are found once.
    const size_t realColumn = rs.ColumnOf("RealValue");
    const size_t textColumn = rs.ColumnOf("StrValue");
    const size_t paraColumn = rs.ColumnOf("ParaID");
    const size_t rowColumn = rs.ColumnOf("RowID");
    std::unordered_map<int32_t, const clsInputPara*> definitions;
    for (const auto& definition : colParaName) {
      if (definition->XKey == "0->" + std::to_string(definition->ParaID))
        definitions.emplace(definition->ParaID, definition.get());
    }
    rs.MoveFirst();
    int32_t currentRow = rs.At(rowColumn).AsLong();
    if (currentRow > 0) paraRows_.push_back(currentRow);
    for (; !rs.Eof(); rs.MoveNext()) {
      double number = rs.At(realColumn).DoubleOr(0.0);
      std::string text = rs.At(textColumn).TextOr("");
      const int32_t paraID = rs.At(paraColumn).AsLong();
      const auto found = definitions.find(paraID);
      // A value of no definition fails as the keyed lookup does.
      const clsInputPara& definition = found != definitions.end()
                                           ? *found->second
                                           : *colParaName.Item("0->" + std::to_string(paraID));
      if (definition.ParaType == 0) {
        text = NumberToText(number);
      } else {
        number = GetBaseLength(text);
      }
      const int32_t rowID = rs.At(rowColumn).AsLong();
      if (rowID > 0 && rowID != currentRow) {
        currentRow = rowID;
        paraRows_.push_back(rowID);
      }
      if (!colData.Add(definition.ParaName, paraID, number, text, definition.ParaType,
                       definition.Visible, rowID))
        return false;
    }
    return true;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getParaRows(std::vector<int32_t>& colGetRows) const {
  if (paraRows_.empty()) return false;
  colGetRows = paraRows_;
  return true;
}

bool clsPartSelDB::getPartView(colPartView& colView) {
  try {
    db::Recordset& rs = viewRs_;
    OpenOnLibrary(rs, PartViewSql(partID_));
    if (rs.RecordCount() < 1) return false;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      if (!colView.Add(rs["PartViewID"].AsLong(), rs["PartViewName"].AsText(),
                       rs["BasePoint"].AsLong(), rs["Position"].AsLong()))
        return false;
    }
    return true;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getThisPart() {
  try {
    OpenOnLibrary(partRs_, PartSql(partID_));
    return !partRs_.Eof();
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getPartGraphic(const std::string& GraPath) {
  try {
    if (partRs_.RecordCount() != 1) return false;
    partRs_.MoveFirst();
    db::Field picture = partRs_.Fields("PartPic");
    if (!HasBytes(picture)) return false;
    return SaveFieldToFile(picture, GraPath);
  } catch (const std::exception& e) {
    ShowFailure(e);
    return false;
  }
}

bool clsPartSelDB::getPartViewGraphic(int32_t GraphicID, const std::string& GraPath) {
  bool written = false;
  try {
    viewRs_.Filter("PartViewID=" + std::to_string(GraphicID));
    if (viewRs_.RecordCount() == 1) {
      db::Field picture = viewRs_.Fields("ViewPic");
      written = HasBytes(picture) && SaveFieldToFile(picture, GraPath);
    }
  } catch (const std::exception&) {
    written = false;
  }
  try {
    viewRs_.ClearFilter();
  } catch (const std::exception&) {
    // A set that never opened has no filter to clear.
  }
  return written;
}

}  // namespace qzdbs
