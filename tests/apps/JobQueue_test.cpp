// How the batch hands its drawings to jobs: every drawing exactly once, each
// job first on whole parts of its own, and no job idle while work is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "../../apps/qzdbs/JobQueue.h"

namespace qzdbs::cli {
namespace {

std::vector<size_t> Groups(const std::vector<size_t>& sizes) {
  std::vector<size_t> groups;
  for (size_t g = 0; g < sizes.size(); ++g)
    groups.insert(groups.end(), sizes[g], g);
  return groups;
}

// The items each job gets when the jobs take turns, one item at a time.
std::vector<std::vector<size_t>> TakeInTurns(JobQueue& queue, size_t jobs) {
  std::vector<std::vector<size_t>> taken(jobs);
  for (bool any = true; any;) {
    any = false;
    for (size_t job = 0; job < jobs; ++job) {
      if (auto item = queue.Next(job)) {
        taken[job].push_back(*item);
        any = true;
      }
    }
  }
  return taken;
}

TEST(JobQueue, JobsStartOnWholePartsOfTheirOwnAndShareTheRest) {
  struct Case {
    const char* name;
    std::vector<size_t> groupSizes;
    size_t jobs;
    // The groups each job draws before it takes from another's run.
    std::vector<std::vector<size_t>> ownGroups;
    // The first item of each job: one without a run of its own takes the
    // last item of the longest run, away from where that run's owner is.
    std::vector<size_t> firstItems;
  };
  const Case cases[] = {
      {"one job: everything in order", {3, 2, 4}, 1, {{0, 1, 2}}, {0}},
      {"two jobs split at the part nearest the middle", {3, 3, 2, 4}, 2, {{0, 1}, {2, 3}}, {0, 6}},
      {"three jobs", {2, 2, 2, 2, 2, 2}, 3, {{0, 1}, {2, 3}, {4, 5}}, {0, 4, 8}},
      {"one large part: the second job starts empty", {10}, 2, {{0}, {}}, {0, 9}},
      {"more jobs than parts", {2, 2}, 3, {{0}, {}, {1}}, {0, 3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<size_t> groups = Groups(c.groupSizes);
    JobQueue queue(groups, c.jobs);
    auto taken = TakeInTurns(queue, c.jobs);

    std::vector<size_t> all;
    for (size_t job = 0; job < c.jobs; ++job) {
      ASSERT_FALSE(taken[job].empty());
      EXPECT_EQ(taken[job].front(), c.firstItems[job]) << "job " << job;
      all.insert(all.end(), taken[job].begin(), taken[job].end());
      // A job's own run comes first and in order; what it takes from others
      // follows, from the back of their runs.
      std::vector<size_t> own;
      for (size_t item : taken[job]) {
        const size_t group = groups[item];
        if (std::find(c.ownGroups[job].begin(), c.ownGroups[job].end(), group) ==
            c.ownGroups[job].end())
          break;
        own.push_back(item);
      }
      EXPECT_TRUE(std::is_sorted(own.begin(), own.end()));
      size_t ownSize = 0;
      for (size_t group : c.ownGroups[job])
        ownSize += c.groupSizes[group];
      EXPECT_GE(own.size(), std::min(ownSize, taken[job].size())) << "job " << job;
    }
    std::sort(all.begin(), all.end());
    std::vector<size_t> expected(groups.size());
    for (size_t i = 0; i < expected.size(); ++i)
      expected[i] = i;
    EXPECT_EQ(all, expected) << "every item exactly once";
    // Taking in turns, no job ends more than one item behind another.
    auto [fewest, most] =
        std::minmax_element(taken.begin(), taken.end(),
                            [](const auto& a, const auto& b) { return a.size() < b.size(); });
    EXPECT_LE(most->size() - fewest->size(), 1u);
  }
}

TEST(JobQueue, ThreadsTakingAtOnceGetEveryItemOnce) {
  const std::vector<size_t> groups = Groups({40, 1, 25, 7, 60, 3});
  constexpr size_t kJobs = 4;
  JobQueue queue(groups, kJobs);
  std::vector<std::atomic<int>> seen(groups.size());
  std::vector<std::thread> threads;
  for (size_t job = 0; job < kJobs; ++job) {
    threads.emplace_back([&, job] {
      while (auto item = queue.Next(job))
        ++seen[*item];
    });
  }
  for (auto& thread : threads)
    thread.join();
  for (size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], 1) << "item " << i;
  EXPECT_FALSE(queue.Next(0));
  EXPECT_FALSE(JobQueue({}, 2).Next(1)) << "nothing to hand out";
}

}  // namespace
}  // namespace qzdbs::cli
