// File handling shared by the four aims: the numbers of the saved input file, the error list
// "Error.lst", the report file and its value lines, and the note of a search that ended
// without reaching the required midway depth.
#pragma once

#include "core/Numerics.h"
#include "core/TextFile.h"

#include <string>

// Reads the numbers of the input file named by the data module, after its four head lines.
class InputNumbers {
public:
  InputNumbers();
  // The next number; 0 at the end of the file; InputOutputError for a malformed token.
  double Next() { return file_.ReadRealOrThrow(); }

private:
  TextReader file_;
};

// The error list of the check steps: a file of this name in the working directory.
inline constexpr const char* kErrorListName = "Error.lst";

// The error list, with its heading; clears InputErrorFlag.
class ErrorList {
public:
  ErrorList();
  // Records one input error.
  void Add(const char* message);
  // Ends the list and closes the file.
  void Finish();

private:
  TextWriter file_;
};

// The report of the current input file (its name with ".out"), written beside the old report
// and put in its place when the run ends: when the report is closed, and also when an error
// stops the run, whose report then holds what was written until the error. A run that is
// killed, or whose report cannot be written, leaves the old report as it was. A report that
// would land on the input file itself (a link to it) raises InputOutputError.
class Report {
public:
  Report();
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;
  TextWriter& writer() { return file_; }
  void Line(const std::string& text = std::string()) { file_.WriteLine(text); }
  // `label` followed by `value` right-aligned in `width` characters with `decimals` decimals.
  void Value(const std::string& label, double value, int width, int decimals);
  // Lines 10 to 14: the titles and the two file names, with the empty lines around them.
  void TitlesAndNames();
  // Closes the report; InputOutputError when the file could not be written completely.
  void Close();
  // Ends a report cut short with the line " " + `text` and closes it, so that it takes the old
  // report's place; a failure to do so is kept for TakeUnwrittenReportText.
  void Stopped(const std::string& text);
  // Why the report of a run stopped by an error could not take the old report's place; empty
  // when it did. Reading it clears it.
  static std::string TakeUnwrittenReportText();

private:
  std::string name_;
  TextWriter file_;
};

// Runs `write` on the report of the current input file. An arithmetic error ends the report
// with a line saying that the calculation stopped and why (naming a step count that does not
// fit its counter), and goes on to the caller as an ArithmeticError with that text.
void WriteReport(void (*write)(Report&));

// The thickness, well-length and well-position checks of the aims with two layers: sets T1,
// T2, Lw, L2 and rw of the flow model and records their input errors; a layer 2 that ends
// above layer 1 is reported with `layerOrderMessage`.
void CheckLayerGeometry(ErrorList& errors,
                        const char* layerOrderMessage = " Make sure that D2 >= D1.");

// The " Still working ..." lines of the discharge and conductivity searches: each of the two
// rules speaks at most once per run. S is the half spacing in m.
class StillWorkingMessages {
public:
  void Update(double S, double diff, double tol);

private:
  bool first_ = false, second_ = false;
};

// How a search ended.
enum class SearchEnd { Converged, AtLowerBound, AtUpperBound, BetweenBounds };

// One bisection of the searches, which also tracks the directions it moved in to tell which
// bound an unconverged value is.
struct SearchMoves {
  bool up = false, down = false;
  // Moves `value` halfway towards `high` (raise) or `low`; the other bound takes its old value.
  void Bisect(bool raise, double& value, double& low, double& high) {
    if (raise) {
      low = value;
      value = Store((LD(value) + high) / 2.0L);
      up = true;
    } else {
      high = value;
      value = Store((LD(value) + low) / 2.0L);
      down = true;
    }
  }
  SearchEnd End(bool converged) const {
    if (converged)
      return SearchEnd::Converged;
    if (!up)
      return SearchEnd::AtLowerBound;
    if (!down)
      return SearchEnd::AtUpperBound;
    return SearchEnd::BetweenBounds;
  }
};

// The explanation of an unconverged search, e.g. NotConvergedText(end, "well spacing", "2 m",
// "2000 m"); empty for a converged search.
std::string NotConvergedText(SearchEnd end, const std::string& quantity,
                             const std::string& lowerBound, const std::string& upperBound);

// Writes the explanation as the report's last line, closes the report, and shows it.
void CloseReportWithNote(Report& report, const std::string& text);
