// What the study commands share on the terminal: stopping on Ctrl+C or SIGTERM, the progress
// line, the run of a study, the lines that tell of its outputs, and the -j option.
#pragma once

#include "study/StudyRun.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>

// For its lifetime SIGINT, SIGTERM and SIGHUP only note that a stop was asked for.
class StopSignals {
public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  bool requested() const;
  // 128 plus the number of the signal, as a shell reports a program ended by it.
  int ExitStatus() const;
};

// "12/40 runs done, 0:07 elapsed, about 0:16 left" ("12 runs done, 0:07 elapsed" for a total of
// 0: not known beforehand), kept on one line of the terminal and redrawn ten times a second at
// most; nothing at all when not `shown`.
class ProgressLine {
public:
  ProgressLine(std::ostream& err, bool shown, size_t total);
  ~ProgressLine() { Clear(); }
  void Done(size_t done);
  // Redraws once a second, for the elapsed time.
  void Tick();
  // Takes the line away, before other output.
  void Clear();

private:
  void Draw();

  std::ostream& err_;
  bool shown_;
  bool drawn_ = false;
  size_t total_, done_ = 0;
  std::chrono::steady_clock::time_point start_, drawnAt_;
};

// Runs `study` with `run` (its workers and check as given) and a progress line of `total` runs
// (0: not known beforehand) on `err`; Ctrl+C and the other stop signals end it. True when it ran
// to its end; otherwise false, with `status` set after a message on `err`: "Stopped: " and
// `stopped`, or what went wrong.
bool RunStudyOnTerminal(StudyRun run, size_t total, const char* stopped, std::ostream& err,
                        int& status, const std::function<bool(const StudyRun&)>& study);

// Tells of each output of a study: "KIND written: PATH" on `out`, or `errorText` (set by the
// writer) on `err`, which makes `status` 3.
class OutputsWritten {
public:
  OutputsWritten(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Tell(bool written, const std::string& kind, const std::string& path);
  int status() const { return status_; }
  std::string errorText;

private:
  std::ostream& out_;
  std::ostream& err_;
  int status_ = 0;
};

// The runs at once that -j asks for (1 to 1024; a UsageError otherwise), or one per processor when
// `jobs` is empty.
int WorkersOption(const std::string& jobs);
