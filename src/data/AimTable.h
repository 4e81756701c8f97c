// What each calculation aim is: its codes, the inputs it reads with their places in the input
// file, and the results its report prints. Everything that needs to know these asks here.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The four calculation aims, in the order of the aim selector.
enum class Aim { Spacing, Discharge, FieldDepths, Conductivity };

// The numbers of a parameter set (and of line 5 of an input file).
inline constexpr int kParamCount = 14;

// Aim selector index 0..3 to aim code.
extern const char* const AimCodes[4];
// The code input files are written with for the rectangular field; "Hyd" is its older form.
inline constexpr const char* kFieldDepthsFileCode = "Hydr";
// The tag (first four characters of line 16) of a rectangular-field report.
inline constexpr const char* kRectangularReportTag = " Ost";

// The answers of the aims, one column of a batch summary each.
enum class ResultColumn {
  Spacing,
  Discharge,
  DepthLarger,
  DepthShorter,
  DepthDiagonal,
  Conductivity
};
inline constexpr size_t kResultColumns = 6;

// An input value of an aim.
struct AimInput {
  const char* symbol; // "Kb1"
  const char* name;   // as the aim's report prints it: "Horizontal permeability, 1st soil layer"
  const char* unit;   // "m/day"
  int position;       // 1 to 14 in the input file
};

// A result line of an aim's report.
struct AimResult {
  const char* symbol;                 // "S"
  const char* label;                  // the report's text before the figure, through its colon
  const char* words;                  // "spacing"
  const char* unit;                   // "m"
  std::optional<ResultColumn> column; // set for the answers of the aim
};

struct AimDefinition {
  Aim aim;
  const char* code;      // of the aim selector: "Spa", "Dis", "Hyd", "Con"
  const char* fileCode;  // what input files hold: "Hydr" for the rectangular field
  const char* inWords;   // "Well spacing"
  const char* reportTag; // the first four characters of report line 16
  int valuesRead;        // its calculation reads values 1 to this; the others are carried
  std::array<int, kParamCount> decimals; // of each value in the input file
  std::span<const AimInput> inputs;      // in input-file order, as its report lists them
  std::span<const AimResult> results;    // in the order of its report
  const char* plotLabel;                 // the plotted answer (the last one) with symbol and unit
};

// The four aims, in the order of the aim selector.
std::span<const AimDefinition> AimDefinitions();
const AimDefinition& AimDefinitionOf(Aim aim);
// The aim of "Spa", "Dis", "Hyd", "Hydr" or "Con", compared whole and case-sensitively;
// nullptr for any other text.
const AimDefinition* AimDefinitionOfCode(const std::string& code);

std::optional<Aim> AimOfCode(const std::string& code);
inline bool IsKnownAimCode(const std::string& code) { return AimOfCode(code).has_value(); }

// The decimals with which an input file of `aimCode` holds value `position` (1 to 14): a run
// works with the value rounded to them. An unknown code has the spacing aim's layout.
int DecimalsOfPosition(int position, const std::string& aimCode);

// The input of `aim` with `symbol`; nullptr when the aim has none.
const AimInput* FindInput(const AimDefinition& aim, const std::string& symbol);
// The result of `aim` with `symbol`; nullptr when the aim has none.
const AimResult* FindResult(const AimDefinition& aim, const std::string& symbol);

// The aim in words, for titles: "Well spacing", ...
std::string AimInWords(Aim aim);

// The columns that are the answer of `aim`, e.g. the three midway depths of a rectangular field.
std::vector<ResultColumn> ResultsOfAim(Aim aim);
// The column's heading with its unit, e.g. "spacing (m)".
std::string ResultHeading(ResultColumn column);
