#include "run/AimDispatch.h"

#include "calc/UHydrCond.h"
#include "calc/UQuiston.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"

const AimRun kAimRuns[5] = {
    {"Spa", CheckSpacingInput, CalcSpacing},
    {"Dis", CheckDischargeInput, CalcDischarge},
    {"Hyd", CheckHeadInput, CalcWaterTableDepth},
    {"Hydr", CheckHeadInput, CalcWaterTableDepth},
    {"Con", CheckConductivityInput, CalcConductivity},
};

const AimRun* FindAimRun(const std::string& aimCode) {
  for (const AimRun& run : kAimRuns)
    if (aimCode == run.aimCode)
      return &run;
  return nullptr;
}
