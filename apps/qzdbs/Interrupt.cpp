// Signal handlers that only set a flag.
#include "Interrupt.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace qzdbs::cli {

namespace {

std::atomic<bool> interrupted{false};
struct sigaction before[2];
constexpr int kSignals[2] = {SIGINT, SIGTERM};

extern "C" void OnSignal(int) {
  if (interrupted.exchange(true)) _exit(kInterrupted);
}

}  // namespace

InterruptWatch::InterruptWatch() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < 2; ++i)
    sigaction(kSignals[i], &action, &before[i]);
}

InterruptWatch::~InterruptWatch() {
  for (int i = 0; i < 2; ++i)
    sigaction(kSignals[i], &before[i], nullptr);
}

bool InterruptWatch::Interrupted() {
  return interrupted.load();
}

}  // namespace qzdbs::cli
