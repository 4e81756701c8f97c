#include "run/AimDispatch.h"

#include "calc/UHydrCond.h"
#include "calc/UQuiston.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"

const AimRun kAimRuns[4] = {
    {Aim::Spacing, CheckSpacingInput, CalcSpacing},
    {Aim::Discharge, CheckDischargeInput, CalcDischarge},
    {Aim::FieldDepths, CheckHeadInput, CalcWaterTableDepth},
    {Aim::Conductivity, CheckConductivityInput, CalcConductivity},
};

const AimRun* FindAimRun(const std::string& aimCode) {
  const std::optional<Aim> aim = AimOfCode(aimCode);
  return aim ? &kAimRuns[static_cast<int>(*aim)] : nullptr;
}
