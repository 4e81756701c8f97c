#include "run/AimDispatch.h"

#include "calc/CalcFiles.h"
#include "calc/RunSize.h"
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

void RefuseUncountableRun(const AimRun& run) {
  const std::string problem = StepCountProblem(run.aim);
  if (problem.empty())
    return;
  ErrorList errors;
  errors.Add(problem.c_str());
  errors.Finish();
}

void Calculate(const AimRun& run) {
  try {
    run.calculate();
  } catch (const ArithmeticError&) {
    const std::string unwritten = Report::TakeUnwrittenReportText();
    if (!unwritten.empty())
      throw InputOutputError(unwritten);
    throw;
  }
}
