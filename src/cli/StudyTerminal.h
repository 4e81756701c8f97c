// What the batch and sweep commands share on the terminal: stopping on Ctrl+C or SIGTERM, the
// progress line, and the -j option.
#pragma once

#include <chrono>
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

// The runs at once that -j asks for (1 to 1024; a UsageError otherwise), or one per processor when
// `jobs` is empty.
int WorkersOption(const std::string& jobs);
