// The attributes every host object, every drawable entity and every
// dimension takes from the entity's record.
#pragma once

#include <cstdint>

#include "output/host/HostClasses.h"

namespace qzdbs {

struct clsEntityList;

// Identity only (ID, Name, Sequence); false without a message on failure.
bool OutputCommonObject(int32_t sequence, const clsEntityList& record, const DbIdentity& target);
// Identity, auxiliary flag, layer, colour, visibility, match-properties.
bool OutputCommonEntity(int32_t sequence, const clsEntityList& record, const DbEntity& target);
// The dimension's own record (type 27): text, style, tolerances, arrows; then
// OutputCommonEntity.
bool OutputCommonDimension(int32_t sequence, const clsEntityList& record,
                           const DbDimension& target);

}  // namespace qzdbs
