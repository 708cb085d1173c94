// The drawings of a batch handed out to its parallel jobs.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

namespace qzdbs::cli {

// Each job starts on a run of whole groups of its own (a group: one part's
// value rows), so that a part's queries are prepared on one thread only
// instead of on every thread; a job whose run is done takes from the back
// of the run with the most left, which keeps it off the part its owner is at.
class JobQueue {
 public:
  // groups[i] is the group of item i; the items of a group are adjacent.
  JobQueue(const std::vector<size_t>& groups, size_t jobs);

  // The next item for `job`, or none when every item has been handed out.
  std::optional<size_t> Next(size_t job);

 private:
  struct Run {
    size_t front = 0;
    size_t back = 0;  // one past the last
  };
  std::mutex mutex_;
  std::vector<Run> runs_;
};

}  // namespace qzdbs::cli
