#include "data/ReportContent.h"

#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"

const char* const kSingleProfileName = "between the wells";

namespace {
const std::string kTableMarker = kTableMarkerText;
const std::string kTableEnd = kTableEndText;
const std::string kInputFileLabel = " Name of input file used:  ";
const std::string kReportFileLabel = " Name of this output file: ";
constexpr size_t kInputFileLineIndex = 12; // the report file's name follows
constexpr size_t kInputsFrom = kTagLineIndex + 1;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Trimmed, with every run of blanks shortened to one blank.
std::string Tidy(const std::string& text) {
  std::string tidy;
  for (char c : Trim(text))
    if (c != ' ' || tidy.empty() || tidy.back() != ' ')
      tidy += c == '\t' ? ' ' : c;
  return tidy;
}

std::optional<double> Number(const std::string& text) {
  if (text.empty())
    return std::nullopt;
  return TextToFloat(text, '.');
}

std::string AfterLabel(const std::string& line, const std::string& label) {
  return line.compare(0, label.size(), label) == 0 ? line.substr(label.size()) : std::string();
}

// "name symbol (unit) : value"; nothing for any other line.
std::optional<ReportInput> InputLine(const std::string& line) {
  const size_t colon = line.rfind(':');
  const size_t open = line.rfind('(', colon);
  const size_t close = line.find(')', open);
  if (colon == std::string::npos || open == std::string::npos || close > colon)
    return std::nullopt;
  ReportInput input;
  input.value = Trim(line.substr(colon + 1));
  input.unit = Trim(line.substr(open + 1, close - open - 1));
  const std::string nameAndSymbol = Trim(line.substr(0, open));
  const size_t blank = nameAndSymbol.find_last_of(' ');
  const std::optional<double> number = Number(input.value);
  if (!number || blank == std::string::npos)
    return std::nullopt;
  input.number = *number;
  input.symbol = nameAndSymbol.substr(blank + 1);
  input.name = Tidy(nameAndSymbol.substr(0, blank));
  return input;
}

// "words : figure"; nothing for any other line.
std::optional<ReportResult> ResultLine(const std::string& line) {
  const size_t colon = line.rfind(':');
  if (colon == std::string::npos)
    return std::nullopt;
  ReportResult result;
  result.words = Tidy(line.substr(0, colon));
  result.figure = Trim(line.substr(colon + 1));
  const std::optional<double> number = Number(result.figure);
  if (result.words.empty() || !number)
    return std::nullopt;
  result.number = *number;
  return result;
}

std::string ProfileName(const std::string& markerLine) {
  std::string words = Trim(markerLine.substr(kTableMarker.size()));
  if (words.size() >= 2 && words.front() == '(' && words.back() == ')')
    words = Trim(words.substr(1, words.size() - 2));
  return words.empty() ? kSingleProfileName : Tidy(words);
}

// The marker at `lines[next]` and the rows after it, up to its end line.
ReportProfile ReadProfile(const std::vector<std::string>& lines, size_t next) {
  ReportProfile profile;
  profile.name = ProfileName(lines[next]);
  profile.markerLine = next;
  for (++next; next < lines.size() && !IsTableEnd(lines[next]); ++next) {
    if (profile.badLine != ReportProfile::kNone)
      continue;
    const std::optional<TableRow> row = ReadTableRow(lines[next]);
    if (!row) {
      profile.badLine = next;
      continue;
    }
    profile.rows.push_back(row->texts);
    profile.distance.push_back(row->numbers[0]);
    profile.head.push_back(row->numbers[1]);
    profile.gradient.push_back(row->numbers[2]);
  }
  if (next < lines.size())
    profile.endLine = next;
  return profile;
}

// The aim whose tag the report carries; of the two aims that share a tag, the one whose inputs
// the report lists.
std::optional<Aim> AimOfReport(const ReportContent& content) {
  std::optional<Aim> aim;
  for (const AimDefinition& definition : AimDefinitions()) {
    if (content.tag != definition.reportTag)
      continue;
    bool listed = content.inputs.size() == definition.inputs.size();
    for (size_t i = 0; listed && i < content.inputs.size(); ++i)
      listed = content.inputs[i].symbol == definition.inputs[i].symbol;
    if (listed)
      return definition.aim;
    if (!aim)
      aim = definition.aim;
  }
  return aim;
}

// The symbol and unit of `result`, printed in `line`, when its label is one of the aim's.
void NameResult(const std::optional<Aim>& aim, const std::string& line, ReportResult& result) {
  if (!aim)
    return;
  for (const AimResult& defined : AimDefinitionOf(*aim).results)
    if (line.compare(0, std::char_traits<char>::length(defined.label), defined.label) == 0) {
      result.symbol = defined.symbol;
      result.unit = defined.unit;
    }
}
} // namespace

const ReportInput* ReportContent::Input(const std::string& symbol) const {
  for (const ReportInput& input : inputs)
    if (input.symbol == symbol)
      return &input;
  return nullptr;
}

const ReportResult* ReportContent::Result(const std::string& symbol) const {
  for (const ReportResult& result : results)
    if (!symbol.empty() && result.symbol == symbol)
      return &result;
  return nullptr;
}

bool IsTableMarker(const std::string& line) {
  return line.compare(0, kTableMarker.size(), kTableMarker) == 0;
}

bool IsTableEnd(const std::string& line) { return line == kTableEnd; }

std::optional<TableRow> ReadTableRow(const std::string& line) {
  TableRow row;
  size_t pos = 0;
  for (size_t i = 0; i < 3; ++i) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
      ++pos;
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
      ++pos;
    row.texts[i] = line.substr(start, pos - start);
    const std::optional<double> number = Number(row.texts[i]);
    if (!number || row.texts[i].size() > kMaxNumberToken)
      return std::nullopt;
    row.numbers[i] = *number;
  }
  return row;
}

ReportContent ParseReportLines(std::vector<std::string> lines) {
  ReportContent content;
  content.lines = std::move(lines);
  const std::vector<std::string>& all = content.lines;
  auto line = [&all](size_t index) { return index < all.size() ? all[index] : std::string(); };
  content.title1 = Tidy(line(kTitleLineIndex));
  content.title2 = Tidy(line(kTitleLineIndex + 1));
  content.inputFile = AfterLabel(line(kInputFileLineIndex), kInputFileLabel);
  content.reportFile = AfterLabel(line(kInputFileLineIndex + 1), kReportFileLabel);
  content.tag = line(kTagLineIndex).substr(0, 4);

  size_t next = kInputsFrom;
  while (next < all.size() && Trim(all[next]).empty())
    ++next;
  for (; next < all.size(); ++next) {
    const auto input = InputLine(all[next]);
    if (!input)
      break;
    content.inputs.push_back(*input);
  }
  content.aim = AimOfReport(content);
  if (content.aim)
    for (ReportInput& input : content.inputs)
      if (const AimInput* defined = FindInput(AimDefinitionOf(*content.aim), input.symbol))
        input.position = defined->position;

  size_t lastEnd = all.size();
  for (; next < all.size(); ++next) {
    if (IsTableEnd(all[next])) {
      lastEnd = next;
    } else if (IsTableMarker(all[next])) {
      content.profiles.push_back(ReadProfile(all, next));
      next = content.profiles.back().endLine;
      lastEnd = next;
      if (next == ReportProfile::kNone)
        break; // the report was cut short: it has no note
    } else if (!content.profiles.empty()) {
      if (auto result = ResultLine(all[next])) {
        NameResult(content.aim, all[next], *result);
        content.results.push_back(*result);
      }
    }
  }
  for (size_t after = lastEnd + 1; lastEnd < all.size() && after < all.size(); ++after)
    if (!Trim(all[after]).empty())
      content.note += (content.note.empty() ? "" : " ") + Tidy(all[after]);
  return content;
}

std::optional<ReportContent> ParseReport(const std::vector<std::string>& lines,
                                         const std::string& path, std::string& errorText) {
  ReportContent content = ParseReportLines(lines);
  std::string why;
  if (content.profiles.empty())
    why = "no table marker \"" + kTableMarker + "\" was found";
  for (const ReportProfile& profile : content.profiles) {
    if (profile.badLine != ReportProfile::kNone)
      why = "line " + std::to_string(profile.badLine + 1) +
            " should hold a distance, a head and a gradient";
    else if (profile.endLine == ReportProfile::kNone)
      why = "a table has no end line \"" + kTableEnd + "\"";
    if (!why.empty())
      break;
  }
  if (why.empty())
    return content;
  errorText =
      "The file \"" + path + "\" is not an output report whose tables can be read: " + why + ".";
  return std::nullopt;
}

std::optional<ReportContent> ReadReport(const std::string& path, std::string& errorText) {
  TextReader file(path);
  if (!file.opened()) {
    errorText = file.FailureMessage(CouldNotOpenDamagedMessage(path));
    return std::nullopt;
  }
  return ParseReport(file.ReadLines(), path, errorText);
}
