// The drawings of a batch handed out to its parallel jobs.
#pragma once

#include <algorithm>
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

// Header only: the batch and its tests share it.

inline JobQueue::JobQueue(const std::vector<size_t>& groups, size_t jobs) {
  const size_t count = groups.size();
  jobs = std::max<size_t>(jobs, 1);
  std::vector<size_t> boundaries{0};
  for (size_t i = 1; i < count; ++i)
    if (groups[i] != groups[i - 1]) boundaries.push_back(i);
  boundaries.push_back(count);
  // Each cut at the boundary nearest to an even share, the later one of two
  // as near; a group larger than a share leaves a job an empty run, to be
  // filled by taking.
  auto distance = [](size_t a, size_t b) { return a > b ? a - b : b - a; };
  size_t start = 0;
  for (size_t job = 1; job <= jobs; ++job) {
    size_t cut = count;
    if (job < jobs) {
      const size_t share = count * job / jobs;
      cut = start;
      for (size_t boundary : boundaries)
        if (boundary >= start && distance(boundary, share) <= distance(cut, share)) cut = boundary;
    }
    runs_.push_back({start, cut});
    start = cut;
  }
}

inline std::optional<size_t> JobQueue::Next(size_t job) {
  std::lock_guard lock(mutex_);
  Run& own = runs_.at(job);
  if (own.front < own.back) return own.front++;
  auto longest = std::max_element(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) {
    return a.back - a.front < b.back - b.front;
  });
  if (longest->front == longest->back) return std::nullopt;
  return --longest->back;
}

}  // namespace qzdbs::cli
