#include "cli/StudyTerminal.h"

#include "cli/Commands.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "study/ThreadPool.h"

#include <csignal>
#include <ostream>

namespace {
volatile std::sig_atomic_t stopSignal = 0;

void NoteStop(int signal) { stopSignal = signal; }

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[3];

std::string Clock(long seconds) {
  const std::string ss = std::to_string(seconds % 60);
  std::string text = std::to_string(seconds / 60 % 60) + ":" + (ss.size() < 2 ? "0" : "") + ss;
  if (seconds >= 3600)
    text = std::to_string(seconds / 3600) + ":" + (text.size() < 5 ? "0" : "") + text;
  return text;
}
} // namespace

StopSignals::StopSignals() {
  stopSignal = 0;
  struct sigaction action {};
  action.sa_handler = NoteStop;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < 3; ++i) {
    ::sigaction(kStopSignals[i], nullptr, &previous[i]);
    // A signal ignored on entry (nohup, a background job of a script) stays ignored.
    if (previous[i].sa_handler != SIG_IGN)
      ::sigaction(kStopSignals[i], &action, nullptr);
  }
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 3; ++i)
    ::sigaction(kStopSignals[i], &previous[i], nullptr);
}

bool StopSignals::requested() const { return stopSignal != 0; }

int StopSignals::ExitStatus() const { return 128 + stopSignal; }

ProgressLine::ProgressLine(std::ostream& err, bool shown, size_t total)
    : err_(err), shown_(shown), total_(total), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Done(size_t done) {
  done_ = done;
  // Short runs end thousands of times a second: the line is redrawn ten times a second at most.
  if (done_ == total_ ||
      std::chrono::steady_clock::now() - drawnAt_ >= std::chrono::milliseconds(100))
    Draw();
}

void ProgressLine::Tick() {
  if (std::chrono::steady_clock::now() - drawnAt_ >= std::chrono::seconds(1))
    Draw();
}

void ProgressLine::Clear() {
  if (drawn_)
    err_ << "\r\033[K" << std::flush;
  drawn_ = false;
}

void ProgressLine::Draw() {
  if (!shown_)
    return;
  drawnAt_ = std::chrono::steady_clock::now();
  const double elapsed = std::chrono::duration<double>(drawnAt_ - start_).count();
  // Without a total (a search that does not know its runs beforehand) the runs so far.
  std::string line = (total_ ? std::to_string(done_) + "/" + Counted(total_, "run", "runs")
                             : Counted(done_, "run", "runs")) +
                     " done, " + Clock(static_cast<long>(elapsed)) + " elapsed";
  if (done_ > 0 && done_ < total_)
    line +=
        ", about " + Clock(static_cast<long>(elapsed / done_ * (total_ - done_) + 0.5)) + " left";
  err_ << "\r" << line << "\033[K" << std::flush;
  drawn_ = true;
}

int WorkersOption(const std::string& jobs) {
  return jobs.empty() ? AvailableProcessors() : WholeNumberOption("-j", jobs, 1, 1024);
}

bool RunStudyOnTerminal(StudyRun run, size_t total, const char* stopped, std::ostream& err,
                        int& status, const std::function<bool(const StudyRun&)>& study) {
  const StopSignals stop;
  ProgressLine progress(err, IsTerminal(err), total);
  // Counted here: a study may run its runs in more than one go.
  size_t runsDone = 0;
  run.stopRequested = [&stop] { return stop.requested(); };
  run.tick = [&progress] { progress.Tick(); };
  run.finished = [&progress, &runsDone](size_t, const RunRecord&, size_t) {
    progress.Done(++runsDone);
  };
  try {
    const bool finished = study(run);
    progress.Clear();
    if (finished)
      return true;
    err << "Stopped: " << stopped << '\n';
    status = stop.ExitStatus();
  } catch (const std::exception& error) {
    progress.Clear();
    err << error.what() << '\n';
    status = kExitBadInputFile;
  }
  return false;
}

void OutputsWritten::Tell(bool written, const std::string& kind, const std::string& path) {
  if (written) {
    out_ << kind << " written: " << ExpandFileName(path) << '\n';
  } else {
    err_ << errorText << '\n';
    status_ = kExitBadInputFile;
  }
}
