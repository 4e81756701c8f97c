// The aims a run can start, by aim code: the check step (reads the saved input file, writes
// "Error.lst", sets InputErrorFlag) and the calculation step (writes the report).
#pragma once

#include <string>

struct AimRun {
  const char* aimCode;
  void (*check)();
  void (*calculate)();
};

// The dispatch table in the order the codes are tested.
extern const AimRun kAimRuns[5];

// The entry whose code equals `aimCode` exactly (case-sensitive); nullptr for any other text.
const AimRun* FindAimRun(const std::string& aimCode);
