// The engine: all the state of one run, as a value. Every calculation takes it explicitly, so
// that engines run side by side in threads without touching anything of each other's.
#pragma once

#include "calc/RunSize.h"
#include "calc/UHydrCond.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"
#include "core/Services.h"
#include "data/UDMPumpfield.h"

#include <string>
#include <vector>

// The flags of the run control, shared by the save workflow, the run dispatch and the sheets.
struct RunFlags {
  bool RunAttempted = false; // a run has reached a check step since start-up
  bool ChecksPassed = false; // result of the latest CheckBeforeSave
  bool RunConfirmed = false; // the user's answer to the run question
  std::string WorkDirectory; // working directory after the latest successful file choice
};

// Where a run reads its numbers and writes its error list and report.
struct RunFiles {
  // The check steps read the numbers of the saved input file named by InputFileName; with this
  // set they read the parameter set instead, each value rounded as the input file holds it.
  bool InputFromParameterSet = false;
  // The error list file (relative names lie in the working directory); empty: none is written.
  std::string ErrorList = "Error.lst";
  // The report beside the input file (InputFileName with ".out"); false: none is written.
  bool ReportFile = true;
};

// One profile table of a report as printed: distance (m), head (m), gradient (-).
struct ProfileTable {
  std::string marker; // its marker line, " Output data:" or " Output data: (along ...)"
  std::vector<double> x, head, gradient;
};

// A result line of a report as the run printed it.
struct PrintedResult {
  std::string symbol; // of the table of aims (data/AimTable.h): "S", "Q", "Dm", ...
  std::string figure; // the figure as printed, blanks removed: "103.33"
  double value = 0;   // the figure read back
};

// What the latest run wrote, also when it wrote no file.
struct RunOutput {
  std::string report;                // the report's text, CR LF line ends
  std::string errorList;             // the error list's text
  std::vector<PrintedResult> values; // the results, in the report's order
  std::vector<ProfileTable> profiles;
  std::string note; // why a search missed the required depth; empty when it converged
  // Why the report of a run stopped by an error could not take the old report's place; empty
  // when it did.
  std::string unwrittenReport;
};

class Engine {
public:
  // An engine whose messages, questions and progress go to `services` (not owned).
  explicit Engine(Services& services);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Services& services;
  TDMPumpfield DMPumpfield;
  FlowModelState Flow;
  FieldState Field;
  ConductivitySearch Conductivity;
  bool InputErrorFlag = false; // set by every check step: the input holds an error
  StepProgress RunProgress;    // how far the run has come; its cancel flag stops it
  RunFlags Flags;
  RunFiles Files;
  RunOutput Output;
};
