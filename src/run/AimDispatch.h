// The aims a run can start: the check step (reads the saved input file, writes the error list,
// sets InputErrorFlag) and the calculation step (writes the report).
#pragma once

#include "data/UDMPumpfield.h"

#include <string>

struct AimRun {
  Aim aim;
  void (*check)();
  void (*calculate)();
};

// The dispatch table, one entry per aim in the order of Aim.
extern const AimRun kAimRuns[4];

// The entry of the aim whose code is `aimCode` ("Spa", "Dis", "Hyd" or "Hydr", "Con", compared
// whole and case-sensitively); nullptr for any other text.
const AimRun* FindAimRun(const std::string& aimCode);
