// A batch stopped at a chosen moment (a report just finished) by a signal, by a reader that goes
// away, or killed outright: finished reports stay, cut-off runs leave their old reports as they
// were, and nothing else is left behind.
#include "CliTestSupport.h"
#include "GoldenFiles.h"
#include "TempDir.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const std::string kData = PUMPFIELD_SOURCE_DIR "/Data/";
// Runs of about 0.05 s, 1 s and 5 s.
const std::string kQuick = "field-rectangular";
const std::string kMedium = "spacing-loam-over-sand";
const std::string kSlow = "conductivity-observed-field";
const std::string kOldReport = "the old report\r\n";

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Copies the examples `names` into `folder`, each with an old report beside it.
void Examples(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    WriteFileBytes(folder + "/" + name + ".inp", ReadFileBytes(kData + name + ".inp"));
    WriteFileBytes(folder + "/" + name + ".out", kOldReport);
  }
}

struct Launch {
  std::vector<std::string> arguments;
  int out = -1;              // standard output; -1: the file "out"
  bool unprivileged = false; // as the user nobody
};

// "pumpfield-cli run" with the launch's arguments, standard error into "err", no core file, and its
// temporary files in "tmp".
pid_t Start(const Launch& launch) {
  const pid_t child = ::fork();
  if (child != 0)
    return child;
  const int out = launch.out >= 0 ? launch.out : ::open("out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open("err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGPIPE})
    std::signal(signal, SIG_DFL);
  ::setenv("TMPDIR", (fs::current_path() / "tmp").c_str(), 1);
  if (launch.unprivileged && ::geteuid() == 0 &&
      (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
    ::_exit(126);
  std::vector<char*> argv{const_cast<char*>(PUMPFIELD_CLI), const_cast<char*>("run")};
  for (const std::string& argument : launch.arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(PUMPFIELD_CLI, argv.data());
  ::_exit(127);
}

// The raw wait status of `child`, which is killed after a minute.
int Finish(pid_t child) {
  int status = 0;
  for (int wait = 0; wait < 6000; ++wait) {
    if (::waitpid(child, &status, WNOHANG) == child)
      return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  ADD_FAILURE() << "the batch did not end within a minute";
  return status;
}

// Watches `folder` for `events` happening to files.
class FolderEvents {
public:
  FolderEvents(const std::string& folder, uint32_t events) : fd_(::inotify_init1(IN_CLOEXEC)) {
    ::inotify_add_watch(fd_, folder.c_str(), events);
  }
  ~FolderEvents() { ::close(fd_); }
  // Waits until an event happens to `name`; false after 30 s without one.
  bool Await(const std::string& name) {
    alignas(inotify_event) char buffer[4096];
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < end) {
      pollfd ready{fd_, POLLIN, 0};
      if (::poll(&ready, 1, 100) <= 0)
        continue;
      const ssize_t length = ::read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name == event->name)
          return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return false;
  }

private:
  int fd_;
};

// Each report is the old one or the complete new one, nothing else lies beside them, no
// temporary folder is left, and the lines printed agree with the "had ended" count.
void ExpectCleanStop(const std::string& folder, const std::vector<std::string>& names,
                     const std::string& printed) {
  size_t newReports = 0;
  for (const std::string& name : names) {
    const std::string report = ReadFileBytes(folder + "/" + name + ".out");
    const bool complete = report == WithFolder(ReadFileBytes(kData + name + ".out"), folder);
    EXPECT_TRUE(complete || report == kOldReport) << name << ": " << report.size() << " bytes";
    newReports += complete ? 1 : 0;
    EXPECT_EQ(printed.find(name + ".inp: ok") != std::string::npos, complete) << printed;
  }
  for (const std::string& file : FolderNames(folder))
    EXPECT_EQ(file.find(".~"), std::string::npos) << file;
  EXPECT_TRUE(FolderNames("tmp").empty());
  const std::string err = ReadFileBytes("err");
  EXPECT_NE(err.find(": " + std::to_string(newReports) + " of " + std::to_string(names.size()) +
                     " runs had ended; runs under way were stopped and left no half-written "
                     "report."),
            std::string::npos)
      << err;
}
} // namespace

// A quick run ends beside a slow one; the stop comes as its report takes the old one's place.
TEST(BatchStop, ASignalKeepsFinishedReportsAndTheOldReportsOfRunsCutOff) {
  for (const int signal : {SIGTERM, SIGINT}) {
    TempDir dir;
    fs::create_directory("tmp");
    const std::vector<std::string> names = {kSlow, kQuick, kMedium};
    Examples(dir.path(), names);
    FolderEvents events(dir.path(), IN_MOVED_TO);
    const pid_t batch = Start({{kSlow + ".inp", kQuick + ".inp", kMedium + ".inp", "-j2"}});
    ASSERT_TRUE(events.Await(kQuick + ".out"));
    ::kill(batch, signal);
    const int status = Finish(batch);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << ReadFileBytes("err");
    ExpectCleanStop(dir.path(), names, ReadFileBytes("out"));
    EXPECT_NE(ReadFileBytes("out").find(kQuick + ".inp: ok"), std::string::npos);
  }
}

// In a folder that forbids new files the reports are written in place: Ctrl+C while one is
// under way must leave its old content, not an empty file.
TEST(BatchStop, CtrlCInAFolderThatForbidsNewFilesKeepsTheOldContent) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  fs::create_directory("tmp");
  ::chmod("tmp", 0777);
  fs::create_directory("closed");
  const std::vector<std::string> names = {kSlow, kQuick};
  Examples(dir.file("closed"), names);
  for (const std::string& name : FolderNames("closed"))
    ::chown(("closed/" + name).c_str(), 65534, 65534);
  ::chown("closed", 65534, 65534);
  ::chmod("closed", 0555);
  FolderEvents events(dir.file("closed"), IN_CLOSE_WRITE);
  const pid_t batch =
      Start({{"closed/" + kSlow + ".inp", "closed/" + kQuick + ".inp", "-j2"}, -1, true});
  ASSERT_TRUE(events.Await(kQuick + ".out"));
  ::kill(batch, SIGINT);
  const int status = Finish(batch);
  ::chmod("closed", 0755);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGINT) << ReadFileBytes("err");
  ExpectCleanStop(dir.file("closed"), names, ReadFileBytes("out"));
  EXPECT_EQ(ReadFileBytes("closed/" + kSlow + ".out"), kOldReport);
}

// "run ... | head -1": the reader goes after the first line. The batch stops as on Ctrl+C,
// says so, and leaves nothing behind.
TEST(BatchStop, AReaderThatGoesAwayStopsTheBatchWithItsMessage) {
  TempDir dir;
  fs::create_directory("tmp");
  const std::vector<std::string> names = {kQuick, kMedium, kSlow};
  Examples(dir.path(), names);
  int pipe[2];
  ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
  const pid_t batch =
      Start({{kQuick + ".inp", kMedium + ".inp", kSlow + ".inp", "-j2"}, pipe[1], false});
  ::close(pipe[1]);
  std::string firstLine;
  for (char c = 0; c != '\n' && ::read(pipe[0], &c, 1) == 1;)
    firstLine += c;
  ::close(pipe[0]);
  const int status = Finish(batch);
  EXPECT_EQ(firstLine.rfind(kQuick + ".inp: ok", 0), 0u) << firstLine;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGPIPE) << ReadFileBytes("err");
  EXPECT_NE(ReadFileBytes("err").find("Stopped (standard output was closed): "), std::string::npos);
  for (const std::string& file : FolderNames("."))
    EXPECT_EQ(file.find(".~"), std::string::npos) << file;
  EXPECT_TRUE(FolderNames("tmp").empty());
  EXPECT_EQ(ReadFileBytes(kSlow + ".out"), kOldReport);
}

// SIGQUIT ends the program at once: it removes what it was writing, finished reports stay.
TEST(BatchStop, QuitLeavesNothingBesideTheReports) {
  TempDir dir;
  fs::create_directory("tmp");
  const std::vector<std::string> names = {kSlow, kQuick};
  Examples(dir.path(), names);
  FolderEvents events(dir.path(), IN_MOVED_TO);
  const pid_t batch = Start({{kSlow + ".inp", kQuick + ".inp", "-j2"}});
  ASSERT_TRUE(events.Await(kQuick + ".out"));
  ::kill(batch, SIGQUIT);
  const int status = Finish(batch);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGQUIT);
  EXPECT_EQ(FolderNames("."), (std::vector<std::string>{"conductivity-observed-field.inp",
                                                        "conductivity-observed-field.out", "err",
                                                        "field-rectangular.inp",
                                                        "field-rectangular.out", "out", "tmp"}));
  EXPECT_TRUE(FolderNames("tmp").empty());
  EXPECT_EQ(ReadFileBytes(kSlow + ".out"), kOldReport);
  EXPECT_EQ(ReadFileBytes(kQuick + ".out"),
            WithFolder(ReadFileBytes(kData + kQuick + ".out"), dir.path()));
}

// What a killed batch left beside a report goes with the next batch; what a running program
// writes stays.
TEST(BatchStop, ABatchRemovesWhatKilledRunsLeftBesideItsFiles) {
  TempDir dir;
  fs::create_directory("tmp");
  Examples(dir.path(), {kQuick});
  const pid_t gone = ::fork();
  if (gone == 0)
    ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = ".~" + std::to_string(gone) + "-0";
  const std::string alive = ".~" + std::to_string(::getpid()) + "-0";
  for (const std::string& name : {kQuick + ".out" + dead, kQuick + ".err" + dead,
                                  kQuick + ".out" + alive, kQuick + ".out.~notes"})
    WriteFileBytes(name, "left");
  EXPECT_EQ(Cli("run -j1 " + kQuick + ".inp"), 0);
  EXPECT_FALSE(FileExists(kQuick + ".out" + dead));
  EXPECT_FALSE(FileExists(kQuick + ".err" + dead));
  EXPECT_TRUE(FileExists(kQuick + ".out" + alive));
  EXPECT_TRUE(FileExists(kQuick + ".out.~notes"));
}

// A binary input is corrupt however it runs.
TEST(BatchStop, ABinaryInputIsUnreadableAloneAndInABatch) {
  TempDir dir;
  fs::create_directory("tmp");
  const char nul = '\0';
  WriteFileBytes("binary.inp", "t1\r\nt2\r\nFile Name: x\r\nSpa" + std::string(1, nul) +
                                   "\x01\r\n1 2" + nul + " 3\r\n");
  EXPECT_EQ(Cli("run binary.inp"), 3);
  EXPECT_EQ(Cli("run -j1 binary.inp --summary s.csv"), 3);
  const std::string summary = ReadFileBytes("s.csv");
  EXPECT_NE(summary.find("\r\nbinary.inp,Spa\\x00\\x01,unreadable,"), std::string::npos) << summary;
}
