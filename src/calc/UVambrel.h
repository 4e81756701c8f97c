// The rectangular well field: midway heads and water-table depths along the longer spacing,
// the shorter spacing and the diagonal, and the discharge of one well. Uses the flow-model
// state of UTrellow for the soil and the well; keeps its own recharge and spacings.
#pragma once

#include <cstdint>

class TextWriter;

struct FieldState {
  double R = 0, Sa = 0, Sb = 0; // recharge (m/day; Rc-scaled during a run), spacings (m)
  double L = 0, Rc = 0, Q = 0;  // half length and recharge of the current profile, discharge
  int32_t cnt = 0;              // step interval of the regular table rows
};

extern FieldState Field;

// Reads the input file named by the data module, writes "Error.lst", sets InputErrorFlag.
void CheckHeadInput();
// Writes the report of the three profiles; needs a CheckHeadInput without errors just before.
void CalcWaterTableDepth();

void PrepareHeadLayers();
void CalcFieldProfiles(TextWriter& report);
// One profile (1 longer spacing, 2 shorter spacing, 3 diagonal) with its table.
void CalcFieldProfile(int profile, TextWriter& report);
