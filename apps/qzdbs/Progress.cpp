// The progress bar.
#include "Progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace qzdbs::cli {

namespace {
constexpr size_t kBarWidth = 30;
}

ProgressBar::ProgressBar(size_t total) : total_(total), terminal_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
  Finish();
}

void ProgressBar::Show(size_t done, size_t failed) {
  if (!terminal_ || finished_) return;
  const size_t filled = total_ == 0 ? kBarWidth : done * kBarWidth / total_;
  std::string bar(filled, '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(stderr, "\r[%s] %zu/%zu", bar.c_str(), done, total_);
  if (failed > 0) std::fprintf(stderr, ", %zu failed", failed);
  std::fflush(stderr);
}

void ProgressBar::Finish() {
  if (!terminal_ || finished_) return;
  finished_ = true;
  std::fputs("\n", stderr);
}

}  // namespace qzdbs::cli
