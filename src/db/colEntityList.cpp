// Adding entities.
#include "db/colEntityList.h"

#include <exception>

namespace qzdbs {

bool colEntityList::Add(int32_t EntityID, int32_t EntityType, const std::string& EntityName,
                        bool IsAssist, int32_t LayerID, const std::string& EntityFilter,
                        bool IsMatchProp, bool Visible, int32_t Color,
                        std::shared_ptr<colCompute> EntityPara, const std::string& TagStr,
                        int32_t TagLong) {
  try {
    auto record = std::make_shared<clsEntityList>();
    record->EntityID = EntityID;
    record->EntityType = EntityType;
    record->EntityName = EntityName;
    record->IsAssist = IsAssist;
    record->LayerID = LayerID;
    record->EntityFilter = EntityFilter;
    record->IsMatchProp = IsMatchProp;
    record->Visible = Visible;
    record->Color = Color;
    record->EntityPara = std::move(EntityPara);
    record->TagStr = TagStr;
    record->TagLong = TagLong;
    record->XKey = "X" + std::to_string(EntityID);
    Insert(std::move(record));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace qzdbs
