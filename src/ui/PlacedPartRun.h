// Drawing a part of a studio drawing again: the part chosen, its values
// typed into the grid, its views and options ticked and Draw pressed, as the
// user did when it was inserted.
#pragma once

#include <memory>
#include <string>

#include "host/memory/MemoryHost.h"
#include "ui/StudioDrawing.h"

namespace qzdbs::ui {

struct PlacedPartDrawing {
  std::shared_ptr<MemoryObject> session;  // what the engine drew
  std::string failure;                    // empty when it drew the part
};

// Runs startSPartGen on a new session with the part's scale and
// `blockFolder`; the engine's message boxes of the run are kept out of
// sight and put into the failure.
PlacedPartDrawing DrawPlacedPart(const PlacedPart& part, const std::string& blockFolder);

}  // namespace qzdbs::ui
