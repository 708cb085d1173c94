// Ctrl-C and SIGTERM during a batch or a drawing: the first asks the command
// to stop after the drawings in hand, so that their files are complete,
// temporary files are removed and the command says what was finished; the
// second ends the program at once.
#pragma once

#include <string>

namespace qzdbs::cli {

// The exit status of a run that a signal stopped.
constexpr int kInterrupted = 130;

class InterruptWatch {
 public:
  // Installs the handlers and lets the signals through: one that arrived
  // while they were blocked is taken now.
  InterruptWatch();
  ~InterruptWatch();  // restores the earlier ones
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // True once SIGINT or SIGTERM has arrived.
  static bool Interrupted();
};

// Ends `command` with kInterrupted, saying "interrupted WHAT" on standard error.
[[noreturn]] void EndInterrupted(const std::string& command, const std::string& what);

}  // namespace qzdbs::cli
