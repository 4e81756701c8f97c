#include "study/RunRecord.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <charconv>

namespace {
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The answers of the aim as the report prints them and, for a search that missed the required
// depth, the note that the run wrote after the report's last " #" line: as the run printed
// them, which is quicker than reading its report back.
void TakeResults(const pumpfield::Result& result, RunRecord& record) {
  if (const AimDefinition* aim = AimDefinitionOfCode(record.aimCode))
    for (const AimResult& answer : aim->results)
      if (answer.column)
        record.results[static_cast<size_t>(*answer.column)] = result.Figure(answer.symbol);
  if (!result.note.empty()) {
    record.status = StudyStatus::NotConverged;
    record.message = result.note;
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

// A message for one row of a table: a reason on a line of its own follows after a blank.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

std::string ErrorListLines(const std::string& list) {
  std::string text;
  for (const std::string& line : TextLines(list))
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

RunRecord RecordOfRun(const pumpfield::Result& result) {
  RunRecord record;
  // Line 4 of a damaged file may hold anything; the summary shows its control bytes escaped.
  record.aimCode = VisibleFileName(result.aimCode);
  record.message = OneLine(result.errorText);
  switch (result.status) {
  case RunStatus::ReportWritten:
    TakeResults(result, record);
    break;
  case RunStatus::InputErrors:
    record.status = StudyStatus::InputErrors;
    record.errorList = ErrorListLines(result.errorList);
    record.message = FirstListedError(record.errorList);
    break;
  case RunStatus::ArithmeticError:
    record.status = StudyStatus::ArithmeticError;
    break;
  case RunStatus::BadInputFile:
    record.status = StudyStatus::Unreadable;
    if (record.message.empty() && !result.messages.empty())
      record.message = OneLine(result.messages.front());
    break;
  }
  return record;
}

std::string PlainNumber(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

RunRecord FailedRunRecord(const std::string& failure) {
  RunRecord record;
  record.status = StudyStatus::ArithmeticError;
  record.message = "The run stopped abnormally: " + failure;
  return record;
}
