// The entities of a part or view in drawing order, keyed "X" & EntityID.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "db/KeyedList.h"
#include "db/clsEntityList.h"

namespace qzdbs {

class colEntityList : public KeyedList<clsEntityList> {
 public:
  // Appends a new record; false, with the list unchanged, when the entity is
  // already in it.
  bool Add(int32_t EntityID, int32_t EntityType, const std::string& EntityName, bool IsAssist,
           int32_t LayerID, const std::string& EntityFilter, bool IsMatchProp, bool Visible,
           int32_t Color, std::shared_ptr<colCompute> EntityPara, const std::string& TagStr,
           int32_t TagLong);
};

}  // namespace qzdbs
