#include "study/RunRecord.h"

#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/ReportContent.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace {
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The results of the aim as the report prints them and, for a search that missed the required
// depth, the note that the run wrote after the report's last " #" line.
void ReadResults(const std::string& reportName, RunRecord& record) {
  const ReportContent report = ParseReportLines(TextReader(reportName).ReadLines());
  if (const AimDefinition* aim = AimDefinitionOfCode(record.aimCode))
    for (const AimResult& result : aim->results)
      if (const ReportResult* printed = report.Result(result.symbol); printed && result.column)
        record.results[static_cast<size_t>(*result.column)] = printed->figure;
  if (!report.note.empty()) {
    record.status = StudyStatus::NotConverged;
    record.message = report.note;
  }
}

// The first error after the list's heading and its empty line.
std::string FirstListedError(const std::string& list) {
  size_t start = 0;
  for (int line = 0; start < list.size(); ++line) {
    size_t end = list.find('\n', start);
    end = end == std::string::npos ? list.size() : end;
    const std::string text = Trimmed(list.substr(start, end - start));
    if (line >= 2 && !text.empty())
      return text;
    start = end + 1;
  }
  return std::string();
}

std::string ReadErrorList(const std::string& name) {
  std::string text;
  for (const std::string& line : TextReader(name).ReadLines())
    text += line + '\n';
  return text;
}
} // namespace

const char* StatusName(StudyStatus status) {
  switch (status) {
  case StudyStatus::Ok:
    return "ok";
  case StudyStatus::NotConverged:
    return "not-converged";
  case StudyStatus::InputErrors:
    return "input-errors";
  case StudyStatus::ArithmeticError:
    return "arithmetic-error";
  case StudyStatus::Unreadable:
    break;
  }
  return "unreadable";
}

RunRecord RecordOfRun(const RunOutcome& outcome, const std::string& errorListName,
                      const std::vector<std::string>& shown) {
  RunRecord record;
  record.aimCode = outcome.aimCode;
  record.message = outcome.errorText;
  switch (outcome.status) {
  case RunStatus::ReportWritten:
    ReadResults(outcome.reportName, record);
    break;
  case RunStatus::InputErrors:
    record.status = StudyStatus::InputErrors;
    record.errorList = ReadErrorList(errorListName);
    record.message = FirstListedError(record.errorList);
    break;
  case RunStatus::ArithmeticError:
    record.status = StudyStatus::ArithmeticError;
    break;
  case RunStatus::BadInputFile:
    record.status = StudyStatus::Unreadable;
    if (record.message.empty() && !shown.empty())
      record.message = shown.front();
    break;
  }
  return record;
}

std::string PlainNumber(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// Fields separated by NUL characters, which no text of a run holds.
std::string EncodeRecord(const RunRecord& record) {
  std::string text = record.aimCode + '\0' + std::to_string(static_cast<int>(record.status));
  for (const std::string& result : record.results)
    text += '\0' + result;
  return text + '\0' + record.message + '\0' + record.errorList + '\0' +
         PlainNumber(record.seconds);
}

RunRecord DecodeRecord(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text)
    if (c)
      fields.back().push_back(c);
    else
      fields.emplace_back();
  if (fields.size() != kResultColumns + 5)
    throw std::runtime_error("the run handed back no complete result");
  RunRecord record;
  size_t field = 0;
  record.aimCode = fields[field++];
  const int status = std::atoi(fields[field++].c_str());
  record.status = static_cast<StudyStatus>(std::min(std::max(status, 0), 4));
  for (std::string& result : record.results)
    result = fields[field++];
  record.message = fields[field++];
  record.errorList = fields[field++];
  record.seconds = TextToFloat(fields[field], '.').value_or(0.0);
  return record;
}

RunRecord RecordOfTask(const TaskEnd& end, StudyStatus status, const std::string& why) {
  try {
    if (end.completed)
      return DecodeRecord(end.output);
    throw std::runtime_error(end.failure);
  } catch (const std::exception& error) {
    RunRecord record;
    record.status = status;
    record.message = why + error.what();
    return record;
  }
}
