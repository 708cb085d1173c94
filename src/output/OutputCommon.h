// The attributes every host object, every drawable entity and every
// dimension takes from the entity's record.
#pragma once

#include <cstdint>

#include "host/HostClasses.h"

namespace qzdbs {

struct clsEntityList;
struct clsCompute;

// A formula text (IsExpression 1) is evaluated and its result kept in the
// record; a text that fails to evaluate stays as written. True when the text
// counts as computed, whether or not the evaluation succeeded.
bool ComputeText(clsCompute& text);

// Identity only (ID, Name, Sequence); false without a message on failure.
bool OutputCommonObject(int32_t sequence, const clsEntityList& record, const DbIdentity& target);
// Identity, auxiliary flag, layer, colour, visibility, match-properties.
bool OutputCommonEntity(int32_t sequence, const clsEntityList& record, const DbEntity& target);
// The dimension's own record (type 27): text, style, tolerances, arrows; then
// OutputCommonEntity.
bool OutputCommonDimension(int32_t sequence, const clsEntityList& record,
                           const DbDimension& target);

}  // namespace qzdbs
