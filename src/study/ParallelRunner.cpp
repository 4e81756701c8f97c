#include "study/ParallelRunner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kPollMilliseconds = 200;

// The first byte of a child's text: its result follows, or the reason it has none.
constexpr char kResult = 'R';
constexpr char kFailure = 'F';

struct Running {
  size_t index;
  pid_t pid;
  int pipe;
  std::string text;
};

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;
    done += static_cast<size_t>(written);
  }
}

[[noreturn]] void RunChild(const ParallelTasks& tasks, size_t index, int pipe, pid_t parent) {
  // A Ctrl+C at the terminal reaches the whole process group: the caller decides what stops.
  std::signal(SIGINT, SIG_IGN);
  std::signal(SIGTERM, SIG_DFL);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent)
    ::_exit(1);
  const int null = ::open("/dev/null", O_RDWR);
  if (null >= 0) {
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
  }
  std::string text;
  try {
    text = kResult + tasks.work(index);
  } catch (const std::exception& error) {
    text = kFailure + std::string(error.what());
  } catch (...) {
    text = kFailure + std::string("the task failed");
  }
  WriteAll(pipe, text);
  // No exit handlers and no flushing of buffers copied from the caller.
  ::_exit(0);
}

std::string ChildFailure(int status) {
  if (WIFSIGNALED(status))
    return "the process was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
           ::strsignal(WTERMSIG(status)) + ")";
  return "the process ended with exit status " + std::to_string(WEXITSTATUS(status));
}

void ReadAvailable(Running& task) {
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(task.pipe, buffer, sizeof buffer)) < 0 && errno == EINTR) {
  }
  if (got > 0)
    task.text.append(buffer, static_cast<size_t>(got));
  else {
    ::close(task.pipe);
    task.pipe = -1;
  }
}

TaskEnd EndOf(const Running& task, int status) {
  TaskEnd end;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || task.text.empty()) {
    end.failure = ChildFailure(status);
    return end;
  }
  end.completed = task.text[0] == kResult;
  (end.completed ? end.output : end.failure) = task.text.substr(1);
  return end;
}

pid_t Wait(pid_t pid, int& status) {
  pid_t result;
  while ((result = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  return result;
}
} // namespace

bool RunInParallel(const ParallelTasks& tasks) {
  const size_t workers = static_cast<size_t>(std::max(tasks.workers, 1));
  const pid_t self = ::getpid();
  std::vector<Running> running;
  size_t next = 0;
  auto stop = [&tasks] { return tasks.stopRequested && tasks.stopRequested(); };
  auto finish = [&tasks](size_t index, const TaskEnd& end) {
    if (tasks.finished)
      tasks.finished(index, end);
    if (tasks.tick)
      tasks.tick();
  };

  while (next < tasks.count || !running.empty()) {
    while (running.size() < workers && next < tasks.count && !stop()) {
      const size_t index = next++;
      if (tasks.starting)
        tasks.starting(index);
      int ends[2];
      if (::pipe2(ends, O_CLOEXEC) != 0) {
        finish(index, {false, {}, std::strerror(errno)});
        continue;
      }
      const pid_t pid = ::fork();
      if (pid == 0) {
        ::close(ends[0]);
        RunChild(tasks, index, ends[1], self);
      }
      ::close(ends[1]);
      if (pid < 0) {
        ::close(ends[0]);
        finish(index,
               {false, {}, std::string("no process could be started: ") + std::strerror(errno)});
        continue;
      }
      running.push_back({index, pid, ends[0], {}});
    }

    if (stop()) {
      for (Running& task : running) {
        ::kill(task.pid, SIGKILL);
        int status = 0;
        Wait(task.pid, status);
        // A task that ended before it was killed has its whole result in the pipe.
        const bool ended = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        while (ended && task.pipe >= 0)
          ReadAvailable(task);
        if (task.pipe >= 0)
          ::close(task.pipe);
        if (ended)
          finish(task.index, EndOf(task, status));
        else if (tasks.abandoned)
          tasks.abandoned(task.index, task.pid);
      }
      return false;
    }

    std::vector<pollfd> polls;
    for (const Running& task : running)
      polls.push_back({task.pipe, POLLIN, 0});
    if (::poll(polls.data(), polls.size(), kPollMilliseconds) > 0)
      for (size_t i = 0; i < polls.size(); ++i)
        if (polls[i].revents)
          ReadAvailable(running[i]);

    for (auto task = running.begin(); task != running.end();) {
      if (task->pipe >= 0) {
        ++task;
        continue;
      }
      int status = 0;
      Wait(task->pid, status);
      const Running ended = *task;
      task = running.erase(task);
      finish(ended.index, EndOf(ended, status));
    }
    if (tasks.tick)
      tasks.tick();
  }
  return true;
}

int AvailableProcessors() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0)
    return std::max(CPU_COUNT(&set), 1);
  return std::max(static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)), 1);
}
