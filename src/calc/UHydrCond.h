// The conductivity aim: the hydraulic conductivity of a uniform soil that explains the
// observed midway water table. Works on the flow-model state of UTrellow.
#pragma once

#include <cstdint>

// The conductivity search: current estimate and bracket (m/day), and its pass count.
struct ConductivitySearch {
  double K = 0, Klo = 0, Khi = 0;
  int32_t PassCount = 0;
};

class Engine;

// A search that has not met the tolerance after this many passes ends with its last estimate.
inline constexpr int32_t kConductivityPassLimit = 100;

// Reads the engine's input, writes the error list, sets InputErrorFlag.
void CheckConductivityInput(Engine& engine);
// Searches the conductivity and writes the report; needs a CheckConductivityInput without
// errors just before.
void CalcConductivity(Engine& engine);
