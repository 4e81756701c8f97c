// Tasks run side by side in child processes. Each task runs in a fork of the calling process: it
// starts from the caller's state, and its module-level state and working directory are its own,
// so tasks never disturb each other or the caller. The caller must have no other threads at work
// when it calls. A task hands back a text; the callbacks run in the calling process.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

struct TaskEnd {
  bool completed = false; // the task returned its text
  std::string output;
  std::string failure; // why it did not, e.g. "the process was killed by signal 11 (...)"
};

struct ParallelTasks {
  size_t count = 0;
  int workers = 1;
  // Runs in the child process; what it returns is handed to `finished`.
  std::function<std::string(size_t index)> work;
  // Before a task's process starts.
  std::function<void(size_t index)> starting;
  // After each task, in the order the tasks end.
  std::function<void(size_t index, const TaskEnd& end)> finished;
  // For each task that was stopped before its end; `child` was its process.
  std::function<void(size_t index, pid_t child)> abandoned;
  // Asked before each start and about five times a second: true kills the running tasks'
  // processes and starts no more.
  std::function<bool()> stopRequested;
  // About five times a second, and after each task.
  std::function<void()> tick;
};

// Starts the tasks in index order, at most `workers` at a time; false when stopped early.
bool RunInParallel(const ParallelTasks& tasks);

// The number of processors this process may run on (a job scheduler may allow fewer than the
// machine has); at least 1.
int AvailableProcessors();
