// Adding input parameters and values.
#include "db/colInputPara.h"

#include <exception>
#include <memory>

#include "state/Messages.h"

namespace qzdbs {

bool colInputPara::Add(const std::string& ParaName, int32_t ParaID, double RealValue,
                       const std::string& StringValue, int16_t ParaType, int16_t Visible,
                       int32_t RowID, int16_t IsExpression, int32_t TagLong,
                       const std::string& TagStr) {
  try {
    auto record = std::make_shared<clsInputPara>();
    record->ParaName = ParaName;
    record->ParaID = ParaID;
    record->RealValue = RealValue;
    record->StringValue = StringValue;
    record->ParaType = ParaType;
    record->Visible = Visible;
    record->RowID = RowID;
    record->IsExpression = IsExpression;
    record->TagLong = TagLong;
    record->TagStr = TagStr;
    record->XKey = std::to_string(RowID) + "->" + std::to_string(ParaID);
    Insert(std::move(record));
    return true;
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Exclamation, "收集零件设计参数");
    return false;
  }
}

}  // namespace qzdbs
