#include "study/Batch.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "study/ParallelRunner.h"

#include <cctype>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string ReportNameOf(const std::string& inputName) { return ChangeFileExt(inputName, ".out"); }

// What a report looked like before its run, to tell afterwards whether the run wrote into it.
struct FileState {
  bool exists = false;
  struct stat status {};
};

FileState StateOf(const std::string& path) {
  FileState state;
  state.exists = ::stat(path.c_str(), &state.status) == 0;
  return state;
}

bool Changed(const FileState& before, const FileState& now) {
  if (!now.exists)
    return false;
  return !before.exists || before.status.st_ino != now.status.st_ino ||
         before.status.st_size != now.status.st_size ||
         before.status.st_mtim.tv_sec != now.status.st_mtim.tv_sec ||
         before.status.st_mtim.tv_nsec != now.status.st_mtim.tv_nsec;
}

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
  const PrivateFolder folder;
  std::vector<FileState> before(inputs.size());
  size_t done = 0;
  ParallelTasks tasks;
  tasks.count = inputs.size();
  tasks.workers = run.workers;
  tasks.work = [&](size_t index) {
    return EncodeRecord(RunInFolder(inputs[index], folder.path() + "/" + std::to_string(index)));
  };
  tasks.starting = [&](size_t index) { before[index] = StateOf(ReportNameOf(inputs[index])); };
  tasks.finished = [&](size_t index, const TaskEnd& end) {
    RunRecord record =
        RecordOfTask(end, StudyStatus::ArithmeticError, "The run stopped abnormally: ");
    KeepErrorList(inputs[index], record);
    records[index] = record;
    if (run.finished)
      run.finished(index, record, ++done);
  };
  tasks.abandoned = [&](size_t index, pid_t child) {
    const std::string report = ReportNameOf(inputs[index]);
    RemoveUnfinishedWrites(report, child);
    if (Changed(before[index], StateOf(report)))
      ::unlink(report.c_str());
  };
  tasks.stopRequested = run.stopRequested;
  tasks.tick = run.tick;
  return RunInParallel(tasks);
}

std::vector<CsvRow> BatchSummary(const std::vector<std::string>& names,
                                 const std::vector<RunRecord>& records) {
  CsvRow header = {"file", "aim", "status"};
  for (size_t column = 0; column < kResultColumns; ++column)
    header.push_back(ResultHeading(static_cast<ResultColumn>(column)));
  header.push_back("first error message");
  header.push_back("seconds");
  std::vector<CsvRow> rows = {header};
  for (size_t i = 0; i < records.size(); ++i) {
    const RunRecord& record = records[i];
    CsvRow row = {names[i], record.aimCode, StatusName(record.status)};
    row.insert(row.end(), record.results.begin(), record.results.end());
    row.push_back(record.message);
    row.push_back(FormatFixed(record.seconds, 0, 3));
    rows.push_back(row);
  }
  return rows;
}
