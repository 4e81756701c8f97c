#include "study/RunRecord.h"

#include "core/FileNames.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {
struct ResultLine {
  const char* heading;
  const char* label; // the report's text before the value
};

const ResultLine kResultLines[kResultColumns] = {
    {"spacing (m)", " The well spacing (Darcy,  m) is : "},
    {"discharge (m3/day)", " The well discharge  (m3/day)  is: "},
    {"midway depth along the larger spacing (m)",
     " Midway watertable depth (m) for the larger spacing is: "},
    {"midway depth along the shorter spacing (m)",
     " Midway watertable depth (m) for the shorter spacing is: "},
    {"midway depth along the diagonal (m)", " Midway watertable depth (m) for the diagonal is: "},
    {"conductivity (m/day)", " The average hydraulic conductivity (Darcy, m/d) is: "},
};

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return std::string();
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The lines of a text with CR LF line ends, as views into it.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end;
    lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r')));
    start = end + 1;
  }
  return lines;
}

// The line of `text` that starts at `start`, without its line end.
std::string_view LineAt(std::string_view text, size_t start) {
  size_t end = std::min(text.find('\n', start), text.size());
  if (end > start && text[end - 1] == '\r')
    --end;
  return text.substr(start, end - start);
}

// The results of the aim and, for a search that missed the required depth, the note that the
// run wrote after the report's last " #" line.
void ReadReport(std::string_view report, RunRecord& record) {
  const std::optional<Aim> aim = AimOfCode(record.aimCode);
  const std::vector<ResultColumn> columns = aim ? ResultsOfAim(*aim) : std::vector<ResultColumn>();
  for (size_t start = 0; start < report.size();) {
    const std::string_view line = LineAt(report, start);
    for (ResultColumn column : columns) {
      const std::string_view label = kResultLines[static_cast<size_t>(column)].label;
      if (line.substr(0, label.size()) == label)
        record.results[static_cast<size_t>(column)] = Trimmed(line.substr(label.size()));
    }
    start = std::min(report.find('\n', start), report.size()) + 1;
  }
  // The last two lines; a report ends with a line end.
  std::string_view rest = report;
  if (!rest.empty() && rest.back() == '\n')
    rest.remove_suffix(1);
  const size_t lastBreak = rest.rfind('\n');
  if (lastBreak == std::string_view::npos)
    return;
  const size_t previousBreak =
      lastBreak == 0 ? std::string_view::npos : rest.rfind('\n', lastBreak - 1);
  const std::string_view last = LineAt(rest, lastBreak + 1);
  const std::string_view previous =
      LineAt(rest, previousBreak == std::string_view::npos ? 0 : previousBreak + 1);
  if (last != " #" && previous == " #") {
    record.status = StudyStatus::NotConverged;
    record.message = Trimmed(last);
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

std::string ErrorListLines(const std::string& list) {
  std::string text;
  for (const std::string_view line : Lines(list))
    (text += line) += '\n';
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

const char* ResultHeading(ResultColumn column) {
  return kResultLines[static_cast<size_t>(column)].heading;
}

std::vector<ResultColumn> ResultsOfAim(Aim aim) {
  switch (aim) {
  case Aim::Spacing:
    return {ResultColumn::Spacing};
  case Aim::Discharge:
    return {ResultColumn::Discharge};
  case Aim::FieldDepths:
    return {ResultColumn::DepthLarger, ResultColumn::DepthShorter, ResultColumn::DepthDiagonal};
  case Aim::Conductivity:
    break;
  }
  return {ResultColumn::Conductivity};
}

RunRecord RecordOfRun(const pumpfield::Result& result) {
  RunRecord record;
  // Line 4 of a damaged file may hold anything; the summary shows its control bytes escaped.
  record.aimCode = VisibleFileName(result.aimCode);
  record.message = result.errorText;
  const std::vector<std::string>& shown = result.messages;
  switch (result.status) {
  case RunStatus::ReportWritten:
    ReadReport(result.report, record);
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

RunRecord FailedRunRecord(const std::string& failure) {
  RunRecord record;
  record.status = StudyStatus::ArithmeticError;
  record.message = "The run stopped abnormally: " + failure;
  return record;
}
