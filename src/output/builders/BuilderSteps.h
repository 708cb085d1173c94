// The last step every builder shares: the common attributes, after which the
// object is ready for the current host view.
#pragma once

#include <cstdint>

#include "output/BuilderRun.h"
#include "output/OutputCommon.h"

namespace qzdbs {

// A drawable entity: identity, layer, colour and the other common attributes.
inline HostHandle Finish(int32_t sequence, const clsEntityList& record, const DbEntity& entity) {
  Require(OutputCommonEntity(sequence, record, entity));
  return entity;
}

// A host object that is not drawn itself (block definition, group, attribute
// list): identity only.
inline HostHandle FinishObject(int32_t sequence, const clsEntityList& record,
                               const DbIdentity& object) {
  Require(OutputCommonObject(sequence, record, object));
  return object;
}

}  // namespace qzdbs
