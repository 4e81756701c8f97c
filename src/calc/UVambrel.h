// The rectangular well field: midway heads and water-table depths along the longer spacing,
// the shorter spacing and the diagonal, and the discharge of one well. Uses the flow-model
// state of UTrellow for the soil and the well; keeps its own recharge and spacings.
#pragma once

#include <cstdint>

class Engine;
class Report;
struct FlowModelState;

struct FieldState {
  double R = 0, Sa = 0, Sb = 0; // recharge (m/day; Rc-scaled during a run), spacings (m)
  double L = 0, Rc = 0, Q = 0;  // half length and recharge of the current profile, discharge
  int32_t cnt = 0;              // step interval of the regular table rows
};

// Reads the engine's input, writes the error list, sets InputErrorFlag.
void CheckHeadInput(Engine& engine);
// Writes the report of the three profiles; needs a CheckHeadInput without errors just before.
void CalcWaterTableDepth(Engine& engine);

void PrepareHeadLayers(FlowModelState& s);
void CalcFieldProfiles(Engine& engine, Report& report);
// One profile (1 longer spacing, 2 shorter spacing, 3 diagonal) with its table.
void CalcFieldProfile(Engine& engine, int profile, Report& report);
