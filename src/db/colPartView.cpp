// Adding views.
#include "db/colPartView.h"

#include <exception>
#include <memory>

#include "state/Messages.h"

namespace qzdbs {

bool colPartView::Add(int32_t PartViewID, const std::string& ViewName, int32_t BasePoint,
                      int32_t Position, const std::string& Description, const std::string& TagStr) {
  try {
    auto record = std::make_shared<clsPartView>();
    record->PartViewID = PartViewID;
    record->ViewName = ViewName;
    record->BasePoint = BasePoint;
    record->Position = Position;
    record->Description = Description;
    record->TagStr = TagStr;
    record->XKey = "V" + std::to_string(PartViewID);
    Insert(std::move(record));
    return true;
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Exclamation, "提示：收集零件视图时出错");
    return false;
  }
}

}  // namespace qzdbs
