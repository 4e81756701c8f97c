// The files of a run, shared by the four aims: the numbers of the input, the error list
// "Error.lst", and the report with its value lines. Each goes where the engine's RunFiles say,
// and its text is kept in the engine's RunOutput as well.
#pragma once

#include "core/TextFile.h"

#include <optional>
#include <string>

class Engine;

// Reads the numbers of the engine's input after its four head lines: from the saved input file
// named by the data module, or from the parameter set as that file would hold it.
class InputNumbers {
public:
  explicit InputNumbers(Engine& engine);
  // The next number; 0 at the end of the file; InputOutputError for a malformed token.
  double Next();

private:
  Engine& engine_;
  std::optional<TextReader> file_;
  int position_ = 0;
};

// The error list, with its heading; clears InputErrorFlag.
class ErrorList {
public:
  explicit ErrorList(Engine& engine);
  // Records one input error.
  void Add(const char* message);
  // Ends the list and closes the file.
  void Finish();

private:
  void Line(const std::string& text = std::string());

  Engine& engine_;
  std::optional<TextWriter> file_;
};

// The report of the current input file (its name with ".out"), written beside the old report
// and put in its place when the run ends: when the report is closed, and also when an error
// stops the run, whose report then holds what was written until the error. A run that is
// killed or cancelled, or whose report cannot be written, leaves the old report as it was. A
// report that would land on the input file itself (a link to it) raises InputOutputError.
class Report {
public:
  explicit Report(Engine& engine);
  // A report neither closed nor stopped (the run was cancelled) is given up.
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;
  Engine& engine() { return engine_; }
  void Line(const std::string& text = std::string());
  // `label` followed by `value` right-aligned in `width` characters with `decimals` decimals.
  void Value(const std::string& label, double value, int width, int decimals);
  // A Value that is a result of the run, kept by `symbol` as printed.
  void Result(const char* symbol, const std::string& label, double value, int width, int decimals);
  // The marker line of a profile table; the rows that follow are that profile's.
  void Marker(const std::string& line);
  // One table row: distance X (6:2), head F (10:4) and gradient G (10:4).
  void Row(double x, double f, double g);
  // Lines 10 to 14: the titles and the two file names, with the empty lines around them.
  void TitlesAndNames();
  // Closes the report; InputOutputError when the file could not be written completely.
  void Close();
  // Ends a report cut short with the line " " + `text` and closes it, so that it takes the old
  // report's place; a failure to do so is kept in the engine's RunOutput.
  void Stopped(const std::string& text);

private:
  Engine& engine_;
  std::string name_;
  std::optional<TextWriter> file_;
};

// Runs `write` on the report of the engine's input file. An arithmetic error ends the report
// with a line saying that the calculation stopped and why (naming a step count that does not
// fit its counter), and goes on to the caller as an ArithmeticError with that text.
void WriteReport(Engine& engine, void (*write)(Engine&, Report&));

// Writes the explanation of an unconverged search as the report's last line, closes the
// report, and shows it; an empty text closes the report of a search that converged.
void CloseReportWithNote(Report& report, const std::string& text);
