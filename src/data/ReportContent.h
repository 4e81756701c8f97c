// What an output report says, read from its printed lines: titles, the files it names, the
// kind of calculation, the inputs, the profile tables, the results and the closing note, each as
// printed and as a number. The one place that knows how a report is laid out.
#pragma once

#include "data/AimTable.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One input line: " Time average recharge or discharge   R    (m/day) :      0.0030".
struct ReportInput {
  std::string name;   // "Time average recharge or discharge"
  std::string symbol; // "R"
  std::string unit;   // "m/day"
  std::string value;  // "0.0030"
  double number = 0;  // 0.003
  int position = 0;   // its place in the input file (1 to 14); 0 when the aim has no such input
};

// One profile table; each row holds distance (m), head (m) and gradient (-).
struct ReportProfile {
  static constexpr size_t kNone = static_cast<size_t>(-1);

  std::string name; // the words of its marker line, "along the diagonal", or "between the wells"
  std::vector<std::array<std::string, 3>> rows; // as printed
  std::vector<double> distance, head, gradient; // the same as numbers
  size_t markerLine = 0;                        // index in the report's lines
  size_t endLine = kNone; // index of its end line " #"; kNone when the report ends before it
  size_t badLine = kNone; // index of the first line that is no row; the rows stop before it
};

// One result line: " The well spacing (Darcy,  m) is :   103.33".
struct ReportResult {
  std::string symbol; // "S", when the line is one of the aim's results; empty otherwise
  std::string unit;   // "m", likewise
  std::string words;  // blank runs shortened: "The well spacing (Darcy, m) is"
  std::string figure; // "103.33"
  double number = 0;  // 103.33
};

struct ReportContent {
  std::vector<std::string> lines; // every line, as read
  std::string title1, title2;     // lines 10 and 11, trimmed, blank runs shortened
  std::string inputFile;          // the input file named on line 13
  std::string reportFile;         // the report itself as named on line 14
  std::string tag;                // the first four characters of line 16
  std::optional<Aim> aim;         // nothing for a report of no known calculation
  std::vector<ReportInput> inputs;
  std::vector<ReportProfile> profiles;
  std::vector<ReportResult> results;
  std::string note; // the lines after the last " #": why a search missed its tolerance

  // The input or result with `symbol`; nullptr when the report has none.
  const ReportInput* Input(const std::string& symbol) const;
  const ReportResult* Result(const std::string& symbol) const;
};

// The name a table of a single-profile report goes by.
extern const char* const kSingleProfileName;

// The printed elements that every reading of a report relies on.
inline constexpr size_t kTitleLineIndex = 9; // the first title; the second follows
inline constexpr size_t kTagLineIndex = 15;
inline constexpr const char* kTableMarkerText = " Output data:";
inline constexpr const char* kTableEndText = " #";
// A line whose first 13 characters are the marker text starts a table.
bool IsTableMarker(const std::string& line);
// A table ends at a line that is exactly the end text.
bool IsTableEnd(const std::string& line);
// A table row: its first three blank-separated numbers (distance, head, gradient), as printed
// and as numbers; nothing for a line without them.
struct TableRow {
  std::array<std::string, 3> texts;
  std::array<double, 3> numbers;
};
std::optional<TableRow> ReadTableRow(const std::string& line);

// Everything `lines` say. Never fails: what is missing stays empty, and a table that cannot be
// read whole is marked in its profile.
ReportContent ParseReportLines(std::vector<std::string> lines);

// The same for a report whose tables must be read whole, as the exports need them. Nothing, with
// `errorText` naming `path`, when the lines hold no profile table, a table without its end line
// " #", or a row without three numbers.
std::optional<ReportContent> ParseReport(const std::vector<std::string>& lines,
                                         const std::string& path, std::string& errorText);
// The same for a report file; also nothing when the file cannot be read.
std::optional<ReportContent> ReadReport(const std::string& path, std::string& errorText);
