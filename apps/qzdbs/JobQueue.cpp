// Splitting the batch at group boundaries, and taking from the longest run.
#include "JobQueue.h"

#include <algorithm>
#include <cstdlib>

namespace qzdbs::cli {

JobQueue::JobQueue(const std::vector<size_t>& groups, size_t jobs) {
  const size_t count = groups.size();
  jobs = std::max<size_t>(jobs, 1);
  std::vector<size_t> boundaries{0};
  for (size_t i = 1; i < count; ++i)
    if (groups[i] != groups[i - 1]) boundaries.push_back(i);
  boundaries.push_back(count);
  // Each cut at the boundary nearest to an even share; a group larger than a
  // share leaves the next job an empty run, to be filled by taking.
  size_t start = 0;
  for (size_t job = 1; job <= jobs; ++job) {
    size_t cut = count;
    if (job < jobs) {
      const size_t share = count * job / jobs;
      cut = *std::min_element(boundaries.begin(), boundaries.end(), [&](size_t a, size_t b) {
        auto distance = [&](size_t boundary) {
          return boundary > share ? boundary - share : share - boundary;
        };
        return distance(a) < distance(b);
      });
      cut = std::max(cut, start);
    }
    runs_.push_back({start, cut});
    start = cut;
  }
}

std::optional<size_t> JobQueue::Next(size_t job) {
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
