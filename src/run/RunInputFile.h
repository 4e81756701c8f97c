// Running a parameter set without the window, as the window's run does: the aim's check step
// and, without input errors, its calculation. No pauses and no questions; progress lines and
// messages go to the engine's services. A corrupt input does not end the program: its message
// is shown and the run stops.
#pragma once

#include <string>

class Engine;

enum class RunStatus {
  ReportWritten,
  InputErrors,     // the check step wrote its list into the error list
  ArithmeticError, // the report holds what was written until the error
  BadInputFile     // unreadable or malformed input, or a file that could not be written
};

struct RunOutcome {
  RunStatus status = RunStatus::ReportWritten;
  std::string reportName; // the input's name with ".out"
  std::string errorText;  // why the run stopped, when it did not end with a report or a list
  std::string aimCode;    // line 4 of the input file as read; empty when it could not be read
};

// Runs the saved input file `inputName` (absolute, so that the report names it so too) with
// the engine's files: its error list, and the report beside the input.
RunOutcome RunInputFile(Engine& engine, const std::string& inputName);

// Runs the parameter set the engine's data module holds, each value rounded as an input file
// would hold it, without reading or writing any file: what a run of that file, saved under
// the data module's InputFileName, would write is left in the engine's RunOutput.
RunOutcome RunParameterSet(Engine& engine);
