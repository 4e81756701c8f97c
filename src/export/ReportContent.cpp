#include "export/ReportContent.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <filesystem>
#include <sstream>

const char* const kSingleProfileName = "between the wells";

namespace {
const std::string kTableMarker = " Output data:";
const std::string kTableEnd = " #";

std::string Head(const std::string& line) { return line.substr(0, kTableMarker.size()); }

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

bool IsNumber(const std::string& text) {
  return !text.empty() && TextToFloat(text, '.').has_value();
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;)
    words.push_back(word);
  return words;
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
  if (!IsNumber(input.value) || blank == std::string::npos)
    return std::nullopt;
  input.symbol = nameAndSymbol.substr(blank + 1);
  input.name = Tidy(nameAndSymbol.substr(0, blank));
  return input;
}

// "words : figure"; nothing for any other line.
std::optional<ReportResult> ResultLine(const std::string& line) {
  const size_t colon = line.rfind(':');
  if (colon == std::string::npos)
    return std::nullopt;
  ReportResult result{Tidy(line.substr(0, colon)), Trim(line.substr(colon + 1))};
  if (result.words.empty() || !IsNumber(result.figure))
    return std::nullopt;
  return result;
}

std::string ProfileName(const std::string& markerLine) {
  std::string words = Trim(markerLine.substr(kTableMarker.size()));
  if (words.size() >= 2 && words.front() == '(' && words.back() == ')')
    words = Trim(words.substr(1, words.size() - 2));
  return words.empty() ? kSingleProfileName : Tidy(words);
}

std::optional<Aim> AimOfReport(const std::string& kindLine, const ReportContent& content) {
  const std::string tag = kindLine.substr(0, 4);
  if (tag == kRectangularReportTag)
    return Aim::FieldDepths;
  if (tag == " Tre")
    return Aim::Spacing;
  if (tag != " Qui")
    return std::nullopt;
  for (const ReportResult& result : content.results)
    if (result.words.find("hydraulic conductivity") != std::string::npos)
      return Aim::Conductivity;
  return Aim::Discharge;
}
} // namespace

std::optional<ReportContent> ParseReport(const std::vector<std::string>& lines,
                                         const std::string& path, std::string& errorText) {
  auto line = [&lines](size_t index) { return index < lines.size() ? lines[index] : ""; };
  auto fail = [&](const std::string& why) {
    errorText =
        "The file \"" + path + "\" is not an output report whose tables can be read: " + why + ".";
    return std::nullopt;
  };
  ReportContent content;
  content.title1 = Tidy(line(9));
  content.title2 = Tidy(line(10));

  size_t next = 16;
  while (next < lines.size() && Trim(lines[next]).empty())
    ++next;
  for (; next < lines.size(); ++next) {
    const auto input = InputLine(lines[next]);
    if (!input)
      break;
    content.inputs.push_back(*input);
  }

  size_t lastEnd = lines.size();
  for (; next < lines.size(); ++next) {
    if (Head(lines[next]) == kTableEnd) {
      lastEnd = next;
    } else if (Head(lines[next]) == kTableMarker) {
      ReportProfile profile{ProfileName(lines[next]), {}};
      for (++next; next < lines.size() && Head(lines[next]) != kTableEnd; ++next) {
        const std::vector<std::string> words = Words(lines[next]);
        if (words.size() < 3 || !IsNumber(words[0]) || !IsNumber(words[1]) || !IsNumber(words[2]))
          return fail("line " + std::to_string(next + 1) +
                      " should hold a distance, a head and a gradient");
        profile.rows.push_back({words[0], words[1], words[2]});
      }
      if (next == lines.size())
        return fail("a table has no end line \"" + kTableEnd + "\"");
      lastEnd = next;
      content.profiles.push_back(std::move(profile));
    } else if (!content.profiles.empty()) {
      if (const auto result = ResultLine(lines[next]))
        content.results.push_back(*result);
    }
  }
  if (content.profiles.empty())
    return fail("no table marker \"" + kTableMarker + "\" was found");
  for (size_t after = lastEnd + 1; after < lines.size(); ++after)
    if (!Trim(lines[after]).empty())
      content.note += (content.note.empty() ? "" : " ") + Tidy(lines[after]);
  content.aim = AimOfReport(line(15), content);
  if (const std::string named = " Name of input file used:"; line(12).rfind(named, 0) == 0)
    content.recordedInputPath = Trim(line(12).substr(named.size()));
  return content;
}

std::optional<ReportContent> ReadReport(const std::string& path, std::string& errorText) {
  TextReader file(path);
  if (!file.opened()) {
    errorText = CouldNotOpenDamagedMessage(path);
    return std::nullopt;
  }
  return ParseReport(file.ReadLines(), path, errorText);
}

std::string AimInWords(Aim aim) {
  switch (aim) {
  case Aim::Spacing:
    return "Well spacing";
  case Aim::Discharge:
    return "Well discharge";
  case Aim::FieldDepths:
    return "Water-table depths in a rectangular well field";
  case Aim::Conductivity:
    break;
  }
  return "Hydraulic conductivity";
}

bool ReplacesReportOrInput(const std::string& target, const std::string& reportPath,
                           std::string& errorText) {
  for (const std::string& source : {reportPath, ChangeFileExt(reportPath, ".inp")}) {
    std::error_code error;
    if (std::filesystem::equivalent(target, source, error)) {
      errorText = "The file \"" + target +
                  "\" is the report or its input file and is not replaced; choose another name.";
      return true;
    }
  }
  return false;
}
