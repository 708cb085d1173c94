// Ctrl-C and SIGTERM during a batch: the first asks the batch to stop after
// the drawings in hand, so that their files are complete, temporary files are
// removed and a manifest tells what was finished; the second ends the program
// at once.
#pragma once

namespace qzdbs::cli {

// The exit status of a run that a signal stopped.
constexpr int kInterrupted = 130;

class InterruptWatch {
 public:
  InterruptWatch();   // installs the handlers
  ~InterruptWatch();  // restores the earlier ones
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // True once SIGINT or SIGTERM has arrived.
  static bool Interrupted();
};

}  // namespace qzdbs::cli
