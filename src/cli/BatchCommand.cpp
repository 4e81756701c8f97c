#include "cli/BatchCommand.h"

#include "cli/Commands.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "study/Batch.h"
#include "study/ThreadPool.h"

#include <algorithm>
#include <csignal>
#include <ostream>

namespace {
int ExitStatusOf(StudyStatus status) {
  switch (status) {
  case StudyStatus::Ok:
  case StudyStatus::NotConverged:
    return kExitReportWritten;
  case StudyStatus::InputErrors:
    return kExitInputErrors;
  case StudyStatus::ArithmeticError:
    return kExitArithmeticError;
  case StudyStatus::Unreadable:
    break;
  }
  return kExitBadInputFile;
}

void Print(const std::string& name, const std::string& input, const RunRecord& record,
           std::ostream& out, std::ostream& err) {
  const std::string status = StatusName(record.status);
  switch (record.status) {
  case StudyStatus::Ok:
  case StudyStatus::NotConverged:
    out << name << ": " << status << ", report written: " << ChangeFileExt(input, ".out") << '\n';
    if (!record.message.empty())
      out << record.message << '\n';
    break;
  case StudyStatus::InputErrors:
    out << name << ": " << status << ", error list written: " << BatchErrorListName(input) << '\n'
        << record.errorList;
    break;
  case StudyStatus::ArithmeticError:
  case StudyStatus::Unreadable:
    out << std::flush;
    err << name << ": " << status << ": " << record.message << '\n';
    break;
  }
  out << std::flush;
}

std::string Counts(const std::vector<RunRecord>& records) {
  std::string text = Counted(static_cast<long long>(records.size()), "file", "files") + ":";
  const char* separator = " ";
  for (StudyStatus status : {StudyStatus::Ok, StudyStatus::NotConverged, StudyStatus::InputErrors,
                             StudyStatus::ArithmeticError, StudyStatus::Unreadable}) {
    const auto count = std::count_if(records.begin(), records.end(),
                                     [status](const RunRecord& r) { return r.status == status; });
    if (count > 0)
      text += separator + std::to_string(count) + " " + StatusName(status);
    if (count > 0)
      separator = ", ";
  }
  return text;
}
} // namespace

int BatchCommand(const BatchArguments& batch, std::ostream& out, std::ostream& err) {
  const std::vector<std::string>& names = batch.names;
  const std::string& summary = batch.summary;
  std::vector<std::string> inputs;
  for (const std::string& name : names)
    inputs.push_back(ExpandFileName(name));
  if (const std::string problem =
          BatchConflict(inputs, summary.empty() ? summary : ExpandFileName(summary));
      !problem.empty())
    throw UsageError(problem);

  const StopSignals stop;
  ProgressLine progress(err, IsTerminal(err), inputs.size());
  std::vector<std::optional<RunRecord>> records;
  std::vector<bool> printed(inputs.size(), false);
  size_t nextInOrder = 0;
  StudyRun run;
  run.workers = batch.workers;
  run.check = batch.check;
  // A reader that went away (a pipe into "head") stops the batch as a signal would.
  run.stopRequested = [&stop, &out] { return stop.requested() || !out.good(); };
  run.tick = [&progress] { progress.Tick(); };
  // Each file's lines come in the order of the files, whatever order the runs end in.
  run.finished = [&](size_t, const RunRecord&, size_t done) {
    progress.Clear();
    for (; nextInOrder < records.size() && records[nextInOrder]; ++nextInOrder) {
      Print(names[nextInOrder], inputs[nextInOrder], *records[nextInOrder], out, err);
      printed[nextInOrder] = true;
    }
    progress.Done(done);
  };
  try {
    if (!RunBatch(inputs, run, records)) {
      progress.Clear();
      // The runs that ended after one that was stopped have their lines too.
      long long ended = 0;
      for (size_t i = 0; i < records.size(); ++i) {
        if (records[i] && !printed[i])
          Print(names[i], inputs[i], *records[i], out, err);
        ended += records[i] ? 1 : 0;
      }
      err << "Stopped" << (stop.requested() ? "" : " (standard output was closed)") << ": " << ended
          << " of " << Counted(static_cast<long long>(inputs.size()), "run", "runs")
          << " had ended; runs under way were stopped and left no half-written report.\n";
      return stop.requested() ? stop.ExitStatus() : 128 + SIGPIPE;
    }
  } catch (const std::exception& error) {
    progress.Clear();
    err << error.what() << '\n';
    return kExitBadInputFile;
  }
  progress.Clear();

  std::vector<RunRecord> done;
  int status = kExitReportWritten;
  for (const auto& record : records) {
    done.push_back(*record);
    status = std::max(status, ExitStatusOf(record->status));
  }
  out << Counts(done) << '\n';
  if (!summary.empty()) {
    std::string errorText;
    if (WriteCsv(summary, BatchSummary(names, done, batch.check), errorText)) {
      out << "Summary written: " << ExpandFileName(summary) << '\n';
    } else {
      err << errorText << '\n';
      status = std::max<int>(status, kExitBadInputFile);
    }
  }
  return status;
}
