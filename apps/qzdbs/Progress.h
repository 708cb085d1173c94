// A progress bar on standard error, drawn only when it is a terminal.
#pragma once

#include <cstddef>

namespace qzdbs::cli {

class ProgressBar {
 public:
  explicit ProgressBar(size_t total);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Redraws the bar for `done` of the total; nothing off a terminal.
  void Show(size_t done, size_t failed);
  // Ends the bar's line.
  void Finish();

 private:
  size_t total_;
  bool terminal_;
  bool finished_ = false;
};

}  // namespace qzdbs::cli
