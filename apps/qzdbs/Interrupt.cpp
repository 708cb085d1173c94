// Signal handlers that only set a flag.
#include "Interrupt.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <iostream>

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
  sigset_t signals;
  sigemptyset(&signals);
  for (int i = 0; i < 2; ++i) {
    sigaction(kSignals[i], &action, &before[i]);
    sigaddset(&signals, kSignals[i]);
  }
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

InterruptWatch::~InterruptWatch() {
  for (int i = 0; i < 2; ++i)
    sigaction(kSignals[i], &before[i], nullptr);
}

bool InterruptWatch::Interrupted() {
  return interrupted.load();
}

void EndInterrupted(const std::string& command, const std::string& what) {
  std::cerr << "qzdbs " << command << ": interrupted " << what << '\n';
  throw CLI::RuntimeError(kInterrupted);
}

}  // namespace qzdbs::cli
