#include "run/AimDispatch.h"

#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/UHydrCond.h"
#include "calc/UQuiston.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"
#include "core/Numerics.h"

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

void RefuseUncountableRun(Engine& engine, const AimRun& run) {
  const std::string problem = StepCountProblem(engine, run.aim);
  if (problem.empty())
    return;
  ErrorList errors(engine);
  errors.Add(problem.c_str());
  errors.Finish();
}

void Calculate(Engine& engine, const AimRun& run) {
  try {
    run.calculate(engine);
  } catch (const ArithmeticError&) {
    if (!engine.Output.unwrittenReport.empty())
      throw InputOutputError(engine.Output.unwrittenReport);
    throw;
  }
}
