#include "study/ThreadPool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <exception>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
constexpr auto kTickInterval = std::chrono::milliseconds(200);

struct Ended {
  size_t index;
  bool stopped;
  std::string failure;
};

// What the workers hand to the calling thread.
class EndedTasks {
public:
  void Add(Ended ended) {
    {
      const std::lock_guard lock(mutex_);
      ended_.push_back(std::move(ended));
    }
    changed_.notify_one();
  }
  void WorkerDone() {
    {
      const std::lock_guard lock(mutex_);
      ++workersDone_;
    }
    changed_.notify_one();
  }
  // Waits up to a tick for news; takes the tasks that ended meanwhile.
  std::deque<Ended> Wait(int workers, bool& allDone) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kTickInterval,
                      [&] { return !ended_.empty() || workersDone_ == workers; });
    allDone = workersDone_ == workers;
    return std::exchange(ended_, {});
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Ended> ended_;
  int workersDone_ = 0;
};

// The calling thread takes SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE; threads started while
// this lives block them.
class SignalsStayWithCaller {
public:
  SignalsStayWithCaller() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
      sigaddset(&signals, signal);
    ::pthread_sigmask(SIG_BLOCK, &signals, &previous_);
  }
  ~SignalsStayWithCaller() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsStayWithCaller(const SignalsStayWithCaller&) = delete;
  SignalsStayWithCaller& operator=(const SignalsStayWithCaller&) = delete;

private:
  sigset_t previous_;
};
} // namespace

bool RunInParallel(const ParallelTasks& tasks) {
  std::atomic<bool> stop{false};
  std::atomic<size_t> next{0};
  EndedTasks ended;
  auto worker = [&] {
    for (size_t index; !stop.load() && (index = next++) < tasks.count;) {
      try {
        tasks.work(index, stop);
        ended.Add({index, false, std::string()});
      } catch (const std::exception& error) {
        ended.Add({index, stop.load(), error.what()});
      } catch (...) {
        ended.Add({index, stop.load(), "an unknown error occurred"});
      }
    }
    ended.WorkerDone();
  };

  const int wanted =
      static_cast<int>(std::clamp<size_t>(tasks.count, 1, std::max(tasks.workers, 1)));
  std::vector<std::thread> threads;
  {
    const SignalsStayWithCaller signals;
    for (int i = 0; i < wanted; ++i) {
      try {
        threads.emplace_back(worker);
      } catch (const std::system_error&) {
        if (threads.empty())
          throw;
        break; // fewer threads than asked for do the same work
      }
    }
  }

  const int workers = static_cast<int>(threads.size());
  bool stopped = false, allDone = false;
  while (!allDone) {
    for (const Ended& task : ended.Wait(workers, allDone))
      if (!task.stopped && tasks.finished)
        tasks.finished(task.index, task.failure);
    if (tasks.tick)
      tasks.tick();
    if (!stopped && tasks.stopRequested && tasks.stopRequested()) {
      stopped = true;
      stop.store(true);
    }
  }
  for (std::thread& thread : threads)
    thread.join();
  for (const Ended& task : ended.Wait(workers, allDone))
    if (!task.stopped && tasks.finished)
      tasks.finished(task.index, task.failure);
  return !stopped;
}

int AvailableProcessors() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0)
    return std::max(CPU_COUNT(&set), 1);
  return std::max(static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)), 1);
}
