// Tasks run side by side on a pool of threads of this process. The calling thread hears of each
// task that ends, watches for a stop and ticks; the workers leave the signals that stop the
// program to it.
#pragma once

#include <atomic>
#include <functional>
#include <string>

struct ParallelTasks {
  size_t count = 0;
  int workers = 1;
  // Runs on a worker thread. `stop` is set once the tasks are stopped: a task under way should
  // then end soon, by raising an exception (a run raises RunCancelled), and that task counts as
  // stopped. Tasks that touch shared data must keep to their own part of it (their index's).
  std::function<void(size_t index, const std::atomic<bool>& stop)> work;
  // On the calling thread, for each task that ended, in the order the tasks end: `failure` is
  // empty, or the text of what the task raised while no stop was asked for.
  std::function<void(size_t index, const std::string& failure)> finished;
  // Asked on the calling thread about five times a second and after each task: true stops the
  // tasks under way and starts no more.
  std::function<bool()> stopRequested;
  // On the calling thread about five times a second.
  std::function<void()> tick;
};

// Starts the tasks in index order, at most `workers` at a time, and returns once none runs;
// false when stopped early.
bool RunInParallel(const ParallelTasks& tasks);

// The number of processors this process may run on (a job scheduler may allow fewer than the
// machine has); at least 1.
int AvailableProcessors();
