// Running a saved input file without the window, as the window's run does: the aim's check step
// and, without input errors, its calculation, which writes the report beside the input. No
// pauses and no questions; progress lines and messages go through the services in force. A
// corrupt input file does not end the program: its message is shown and the run stops.
#pragma once

#include <string>

enum class RunStatus {
  ReportWritten,
  InputErrors,     // the check step wrote its list into the error list file
  ArithmeticError, // the report holds what was written until the error
  BadInputFile     // unreadable or malformed input, or a file that could not be written
};

struct RunOutcome {
  RunStatus status = RunStatus::ReportWritten;
  std::string reportName; // the input's name with ".out"
  std::string errorText;  // why the run stopped, when it did not end with a report or a list
  std::string aimCode;    // line 4 of the input file as read; empty when it could not be read
};

// `inputName` names the input file, absolutely, so that the report names it so too.
RunOutcome RunInputFile(const std::string& inputName);
