#include "state/EngineState.h"

namespace qzdbs {

EngineState& Engine() {
  thread_local EngineState state;
  return state;
}

}  // namespace qzdbs
