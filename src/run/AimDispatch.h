// The aims a run can start: the check step (reads the input, writes the error list, sets
// InputErrorFlag) and the calculation step (writes the report), each on an engine.
#pragma once

#include "data/UDMPumpfield.h"

#include <string>

class Engine;

struct AimRun {
  Aim aim;
  void (*check)(Engine&);
  void (*calculate)(Engine&);
};

// The dispatch table, one entry per aim in the order of Aim.
extern const AimRun kAimRuns[4];

// The entry of the aim whose code is `aimCode` ("Spa", "Dis", "Hyd" or "Hydr", "Con", compared
// whole and case-sensitively); nullptr for any other text.
const AimRun* FindAimRun(const std::string& aimCode);

// After a check step without input errors: a value whose passes need more integration steps
// than a run can count becomes an input error of its own in the error list.
void RefuseUncountableRun(Engine& engine, const AimRun& run);
// The calculation step. When an arithmetic error stops it and its partial report could not
// take the old report's place, the write failure is raised (InputOutputError) instead.
void Calculate(Engine& engine, const AimRun& run);
