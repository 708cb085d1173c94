#include "engine/EngineState.h"

#include "db/access/Connection.h"

namespace qzdbs {

EngineState& Engine() {
  thread_local EngineState state;
  return state;
}

}  // namespace qzdbs
