#include "state/ComputeState.h"

namespace qzdbs {

ComputeState& Compute() {
  thread_local ComputeState state;
  return state;
}

colCompute& Ensure(std::shared_ptr<colCompute>& collection) {
  if (!collection) collection = std::make_shared<colCompute>();
  return *collection;
}

}  // namespace qzdbs
