#include "study/Batch.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "study/ThreadPool.h"

#include <cctype>
#include <chrono>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string ReportNameOf(const std::string& inputName) { return ChangeFileExt(inputName, ".out"); }

bool IsRegularFile(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Writes the error list of a run with input errors beside its input, or removes a stale one.
void KeepErrorList(const std::string& inputName, RunRecord& record) {
  const std::string name = BatchErrorListName(inputName);
  if (record.status != StudyStatus::InputErrors) {
    if (IsRegularFile(name))
      ::unlink(name.c_str());
    return;
  }
  TextWriter file(name, TextWriter::Mode::ReplaceWhenDone);
  size_t start = 0;
  while (start < record.errorList.size()) {
    const size_t end = record.errorList.find('\n', start);
    file.WriteLine(record.errorList.substr(start, end - start));
    start = end == std::string::npos ? record.errorList.size() : end + 1;
  }
  if (!file.Close()) {
    record.status = StudyStatus::Unreadable;
    record.message = "The file \"" + name + "\" could not be written: " + file.failure();
  }
}
} // namespace

std::string BatchErrorListName(const std::string& inputName) {
  return ChangeFileExt(inputName, ".err");
}

std::string BatchConflict(const std::vector<std::string>& inputs, const std::string& summary) {
  std::map<std::string, std::string> inputByKey, writerByKey;
  for (const std::string& input : inputs)
    if (!inputByKey.emplace(FileIdentity(input), input).second)
      return "The file \"" + input + "\" is given twice.";
  auto conflict = [&](const std::string& writer, const std::string& output) -> std::string {
    const std::string key = FileIdentity(output);
    const auto overwritten = inputByKey.find(key);
    if (overwritten != inputByKey.end())
      return writer + " would write \"" + output + "\" over the input file \"" +
             overwritten->second + "\".";
    const auto [other, added] = writerByKey.emplace(key, writer);
    if (!added && other->second != writer)
      return other->second + " and " + writer + " would both write \"" + output + "\".";
    return std::string();
  };
  std::string problem = summary.empty() ? std::string() : conflict("the summary", summary);
  for (size_t i = 0; i < inputs.size() && problem.empty(); ++i) {
    const std::string writer = "the run of \"" + inputs[i] + "\"";
    problem = conflict(writer, ReportNameOf(inputs[i]));
    if (problem.empty())
      problem = conflict(writer, BatchErrorListName(inputs[i]));
  }
  if (!problem.empty())
    problem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(problem[0])));
  return problem;
}

bool RunBatch(const std::vector<std::string>& inputs, const StudyRun& run,
              std::vector<std::optional<RunRecord>>& records) {
  records.assign(inputs.size(), std::nullopt);
  std::vector<std::string> written;
  for (const std::string& input : inputs) {
    written.push_back(ReportNameOf(input));
    written.push_back(BatchErrorListName(input));
  }
  RemoveFilesOfDeadWriters(written);
  std::vector<RunRecord> ended(inputs.size());
  size_t done = 0;
  ParallelTasks tasks;
  tasks.count = inputs.size();
  tasks.workers = run.workers;
  tasks.work = [&](size_t index, const std::atomic<bool>& stop) {
    pumpfield::RunOptions options;
    options.cancel = &stop;
    const auto start = std::chrono::steady_clock::now();
    const pumpfield::Result result = pumpfield::RunFile(inputs[index], std::string(), options);
    RunRecord record = RecordOfRun(result);
    record.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run.check && result.status == RunStatus::ReportWritten)
      record.check = CheckCellsOfReport(result.report);
    KeepErrorList(inputs[index], record);
    ended[index] = std::move(record);
  };
  tasks.finished = [&](size_t index, const std::string& failure) {
    records[index] = failure.empty() ? ended[index] : FailedRunRecord(failure);
    if (run.finished)
      run.finished(index, *records[index], ++done);
  };
  tasks.stopRequested = run.stopRequested;
  tasks.tick = run.tick;
  return RunInParallel(tasks);
}

std::vector<CsvRow> BatchSummary(const std::vector<std::string>& names,
                                 const std::vector<RunRecord>& records, bool check) {
  CsvRow header = {"file", "aim", "status"};
  for (size_t column = 0; column < kResultColumns; ++column)
    header.push_back(ResultHeading(static_cast<ResultColumn>(column)));
  header.push_back("first error message");
  header.push_back("seconds");
  if (check)
    for (const std::string& heading : CheckHeadings())
      header.push_back(heading);
  std::vector<CsvRow> rows = {header};
  for (size_t i = 0; i < records.size(); ++i) {
    const RunRecord& record = records[i];
    CsvRow row = {names[i], record.aimCode, StatusName(record.status)};
    row.insert(row.end(), record.results.begin(), record.results.end());
    row.push_back(record.message);
    row.push_back(FormatFixed(record.seconds, 0, 3));
    if (check) {
      const CheckCells cells = record.check.value_or(CheckCells());
      row.insert(row.end(), cells.begin(), cells.end());
    }
    rows.push_back(row);
  }
  return rows;
}
