// The engine's public class: the host hands it a session, then starts a run.
#pragma once

#include <cstdint>
#include <memory>

#include "host/HostObject.h"

namespace qzdbs {

class IQZdbEngine {
 public:
  static constexpr const char* kVersion = "0.1.0";

  // Keeps the host session (replacing any earlier one) and reads its drawing
  // scale and block folder.
  void QZdbSPart(std::shared_ptr<HostObject> ArxQZdbSPart);

  // Shows the part selection dialog modally; 1 when the part was drawn into
  // the session, 0 otherwise.
  int16_t startSPartGen();
};

}  // namespace qzdbs
