// The wait cursor's count of nested waits, per thread like the engine state.
#include "ui/clsWaitCursor.h"

namespace qzdbs::ui {

namespace {
thread_local int waits = 0;
}

std::function<void(bool busy)>& WaitCursorHook() {
  thread_local std::function<void(bool)> hook;
  return hook;
}

clsWaitCursor::clsWaitCursor() {
  if (waits++ == 0 && WaitCursorHook()) WaitCursorHook()(true);
}

clsWaitCursor::~clsWaitCursor() {
  if (--waits == 0 && WaitCursorHook()) WaitCursorHook()(false);
}

}  // namespace qzdbs::ui
