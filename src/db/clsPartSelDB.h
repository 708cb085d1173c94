// The selection dialog's reader: a part's input parameters, its stored value
// rows, its views and the preview pictures, read on the shared library
// connection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/colInputPara.h"
#include "db/colPartView.h"
#include "db/recordset/Recordset.h"

namespace qzdbs {

class clsPartSelDB {
 public:
  void InitClassData(int32_t nPartID) { partID_ = nPartID; }

  // The part's parameter definitions in grid order, keyed "0->" & ParaID.
  bool getInputParaName(colInputPara& colParaName);
  // Every stored value, keyed RowID & "->" & ParaID, with its text and number
  // both filled from the definition's type; also collects the value rows.
  bool getInputParaData(colInputPara& colData, const colInputPara& colParaName);
  // The same values, shared and read only: a table this thread read before
  // from the same kept query result with the same definitions is handed out
  // again (a batch chooses a part once for each of its drawings). A read
  // that failed shows its message as getInputParaData does and is not kept.
  std::shared_ptr<const colInputPara> SharedInputParaData(const colInputPara& colParaName);
  // The value rows met by getInputParaData, ascending, without duplicates.
  bool getParaRows(std::vector<int32_t>& colGetRows) const;
  bool getPartView(colPartView& colView);
  bool getThisPart();
  bool getPartGraphic(const std::string& GraPath);
  bool getPartViewGraphic(int32_t GraphicID, const std::string& GraPath);

  // The views as getPartView read them, for whoever walks them again.
  const db::Recordset& PartViewRecords() const { return viewRs_; }

  // The SQL texts the reader runs for a part.
  static std::string InputParaSql(int32_t partID);
  static std::string ParaValueSql(int32_t partID);
  static std::string PartSql(int32_t partID);
  static std::string PartViewSql(int32_t partID);

 private:
  bool openInputParaRs();
  bool openParaValueRs();
  void clearParaRows() { paraRows_.clear(); }
  bool readParaValues(colInputPara& colData, const colInputPara& colParaName);

  int32_t partID_ = 0;
  db::Recordset inputParaRs_;
  db::Recordset paraValueRs_;
  db::Recordset partRs_;
  db::Recordset viewRs_;
  std::vector<int32_t> paraRows_;
};

}  // namespace qzdbs
