// The hourglass while the engine works: creating one shows it, destroying it
// shows the default pointer again. Nested ones keep the hourglass until the
// outermost goes. The widget layer sets the hook; without one nothing shows.
#pragma once

#include <functional>

namespace qzdbs::ui {

// Called with true when the first wait begins and false when the last ends.
std::function<void(bool busy)>& WaitCursorHook();

class clsWaitCursor {
 public:
  clsWaitCursor();
  ~clsWaitCursor();
  clsWaitCursor(const clsWaitCursor&) = delete;
  clsWaitCursor& operator=(const clsWaitCursor&) = delete;
};

}  // namespace qzdbs::ui
