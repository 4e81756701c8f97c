// Run-control state shared by the save workflow, the run dispatch and the sheets.
#pragma once

#include <string>

struct RunState {
  bool RunAttempted = false; // a run has reached a check step since start-up
  bool ChecksPassed = false; // result of the latest CheckBeforeSave
  bool RunConfirmed = false; // the user's answer to the run question
  std::string WorkDirectory; // working directory after the latest successful file choice
};

extern RunState WellUtils;
