// Whether the input file beside a report holds the report's inputs: a calculation sheet names
// and hashes an input file only when it is the one the report was made from. Pure C++.
#pragma once

#include "data/ReportContent.h"

#include <string>
#include <vector>

struct InputCheck {
  enum class Outcome { Matches, Differs, Missing, Unreadable };
  Outcome outcome = Outcome::Missing;
  std::string path; // the input file beside the report
  // What differs, e.g. "Dm is 1.60 in the input file and 1.50 in the report".
  std::vector<std::string> differences;
};

// Compares the aim and the values of the input file beside `reportPath` (same name, ".inp")
// with the inputs `report` prints, each at the decimals the report prints it with.
InputCheck CheckInputBeside(const ReportContent& report, const std::string& reportPath);
