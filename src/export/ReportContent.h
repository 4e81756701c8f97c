// What an output report says, taken from its printed lines: titles, the kind of calculation, the
// inputs, the profile tables with their numbers as printed, the results and the closing note.
// Pure C++; the readers of the data module are left alone.
#pragma once

#include "data/UDMPumpfield.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// One input line: " Time average recharge or discharge   R    (m/day) :      0.0030".
struct ReportInput {
  std::string name;   // "Time average recharge or discharge"
  std::string symbol; // "R"
  std::string unit;   // "m/day"
  std::string value;  // "0.0030"
};

// One profile table; each row holds distance (m), head (m) and gradient (-) as printed.
struct ReportProfile {
  std::string name; // the words of its marker line, "along the diagonal", or "between the wells"
  std::vector<std::array<std::string, 3>> rows;
};

// One result line: " The well spacing (Darcy,  m) is :   103.33".
struct ReportResult {
  std::string words;  // blank runs shortened: "The well spacing (Darcy, m) is"
  std::string figure; // "103.33"
};

struct ReportContent {
  std::string title1, title2; // lines 10 and 11, trimmed, blank runs shortened
  std::optional<Aim> aim;     // nothing for a report of no known calculation
  std::vector<ReportInput> inputs;
  std::vector<ReportProfile> profiles;
  std::vector<ReportResult> results;
  std::string note;              // the line after the last " #": why a search missed its tolerance
  std::string recordedInputPath; // the input file the report names on its line 13
};

// The name a table of a single-profile report goes by.
extern const char* const kSingleProfileName;

// Reads the printed `lines` of a report. Nothing, with `errorText` naming `path`, when they hold
// no profile table, a table without its end line " #", or a row without three numbers.
std::optional<ReportContent> ParseReport(const std::vector<std::string>& lines,
                                         const std::string& path, std::string& errorText);
// The same for a report file; also nothing when the file cannot be read.
std::optional<ReportContent> ReadReport(const std::string& path, std::string& errorText);

// The aim in words, for titles: "Well spacing", ...
std::string AimInWords(Aim aim);

// True when writing `target` would replace the report at `reportPath` or the input file beside
// it (the files are compared, not their names). `errorText` then says so.
bool ReplacesReportOrInput(const std::string& target, const std::string& reportPath,
                           std::string& errorText);
