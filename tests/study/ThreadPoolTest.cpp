// The pool of threads that batches and sweeps run on.
#include "study/ThreadPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(ThreadPool, EveryTaskRunsOnceAndItsEndIsToldOnTheCallingThread) {
  for (const int workers : {1, 2, 8}) {
    std::vector<int> runs(50, 0);
    std::vector<size_t> ended;
    std::set<std::thread::id> finishers;
    ParallelTasks tasks;
    tasks.count = runs.size();
    tasks.workers = workers;
    tasks.work = [&](size_t index, const std::atomic<bool>&) {
      ++runs[index];
      if (index % 10 == 3)
        throw std::runtime_error("task " + std::to_string(index) + " failed");
    };
    std::vector<std::string> failures;
    tasks.finished = [&](size_t index, const std::string& failure) {
      ended.push_back(index);
      finishers.insert(std::this_thread::get_id());
      if (!failure.empty())
        failures.push_back(failure);
    };
    EXPECT_TRUE(RunInParallel(tasks));
    EXPECT_EQ(runs, std::vector<int>(50, 1)) << workers;
    std::sort(ended.begin(), ended.end());
    for (size_t i = 0; i < ended.size(); ++i)
      EXPECT_EQ(ended[i], i);
    EXPECT_EQ(finishers, std::set<std::thread::id>{std::this_thread::get_id()});
    std::sort(failures.begin(), failures.end());
    EXPECT_EQ(failures,
              (std::vector<std::string>{"task 13 failed", "task 23 failed", "task 3 failed",
                                        "task 33 failed", "task 43 failed"}));
  }
}

// Once the first task has ended, a stop is asked for: the tasks under way end by raising, count
// as stopped, and no other task starts.
TEST(ThreadPool, AStopEndsTheTasksUnderWayAndStartsNoMore) {
  std::atomic<int> started{0};
  std::vector<size_t> ended;
  ParallelTasks tasks;
  tasks.count = 100;
  tasks.workers = 2;
  tasks.work = [&](size_t index, const std::atomic<bool>& stop) {
    ++started;
    if (index == 0)
      return;
    while (!stop)
      std::this_thread::yield();
    throw std::runtime_error("cancelled");
  };
  tasks.finished = [&](size_t index, const std::string& failure) {
    EXPECT_EQ(failure, "");
    ended.push_back(index);
  };
  tasks.stopRequested = [&] { return !ended.empty(); };
  EXPECT_FALSE(RunInParallel(tasks));
  EXPECT_EQ(ended, std::vector<size_t>{0});
  EXPECT_LE(started, 3);
}
