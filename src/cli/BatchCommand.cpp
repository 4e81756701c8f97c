#include "cli/BatchCommand.h"

#include "cli/ExitStatus.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "study/Batch.h"
#include "study/ThreadPool.h"

#include <algorithm>
#include <csignal>
#include <ostream>

namespace {
const char* const kUsage =
    "usage: pumpfield-cli run FILE.inp [FILE.inp ...] [-j N] [--summary SUMMARY.csv]";

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
  std::string text = std::to_string(records.size()) + " files:";
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

bool IsBatchRun(const std::vector<std::string>& arguments) {
  return arguments.size() != 1 || arguments[0].rfind('-', 0) == 0;
}

int BatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> names, inputs;
  std::string summary, problem;
  int workers = AvailableProcessors();
  for (size_t i = 0; i < arguments.size() && problem.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (ReadWorkers(arguments, i, workers, problem))
      continue;
    if (argument == "--summary" && i + 1 < arguments.size())
      summary = arguments[++i];
    else if (argument.rfind("--summary=", 0) == 0)
      summary = argument.substr(10);
    else if (argument.empty() || argument[0] == '-')
      problem = "unknown option \"" + argument + "\"";
    else
      names.push_back(argument);
  }
  if (problem.empty() && names.empty())
    problem = "no input file given";
  for (const std::string& name : names)
    inputs.push_back(ExpandFileName(name));
  if (problem.empty())
    problem = BatchConflict(inputs, summary.empty() ? summary : ExpandFileName(summary));
  if (!problem.empty()) {
    err << problem << '\n' << kUsage << '\n';
    return kExitUsage;
  }

  const StopSignals stop;
  ProgressLine progress(err, IsTerminal(err), inputs.size());
  std::vector<std::optional<RunRecord>> records;
  std::vector<bool> printed(inputs.size(), false);
  size_t nextInOrder = 0;
  StudyRun run;
  run.workers = workers;
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
      size_t ended = 0;
      for (size_t i = 0; i < records.size(); ++i) {
        if (records[i] && !printed[i])
          Print(names[i], inputs[i], *records[i], out, err);
        ended += records[i] ? 1 : 0;
      }
      err << "Stopped" << (stop.requested() ? "" : " (standard output was closed)") << ": " << ended
          << " of " << inputs.size()
          << " runs had ended; runs under way were stopped and left no half-written report.\n";
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
    if (WriteCsv(summary, BatchSummary(names, done), errorText)) {
      out << "Summary written: " << ExpandFileName(summary) << '\n';
    } else {
      err << errorText << '\n';
      status = std::max<int>(status, kExitBadInputFile);
    }
  }
  return status;
}
