#include "calc/RunSize.h"

#include "calc/Engine.h"
#include "calc/FlowPass.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <cmath>

namespace {
// The fine pass of the spacing, discharge and conductivity aims and the field profiles.
constexpr double kFineStep = 0.00001;
constexpr double kFieldStep = 0.01;

// Whether the last step index Round(length / p) fits, evaluated as the passes evaluate it.
bool LastStepFits(double length, double p) {
  try {
    RoundHalfEven(Divide(length, p));
    return true;
  } catch (const ArithmeticError&) {
    return false;
  }
}

bool FirstStepFits(double rw, double p) {
  try {
    flowpass::FirstStep(rw, p);
    return true;
  } catch (const ArithmeticError&) {
    return false;
  }
}

// The largest length (m) whose steps of `p` can be counted: twice that for a spacing.
std::string Bound(double p, int factor) {
  return FormatFixed(std::floor(factor * (INT32_MAX * p)), 0, 0);
}

std::string Refusal(const std::string& condition, const std::string& values) {
  return " Make sure that " + condition + ": with " + values +
         " the run needs more integration steps than it can count.";
}

std::string Value(const char* symbol, double value) {
  return std::string(symbol) + " = " + FormatFixed(value, 0, 2) + " m";
}
} // namespace

std::string StepCountProblem(const Engine& engine, Aim aim) {
  const FlowModelState& s = engine.Flow;
  const FieldState& f = engine.Field;
  const double wellStep = aim == Aim::FieldDepths ? kFieldStep : kFineStep;
  if (!FirstStepFits(s.rw, wellStep))
    return Refusal("W < " + Bound(wellStep, 2) + " m", Value("W", s.W));
  switch (aim) {
  case Aim::Spacing: // the search keeps the half spacing below 1000 m
    break;
  case Aim::Discharge:
  case Aim::Conductivity:
    if (!LastStepFits(Store(LD(s.S) / 2.0L), kFineStep))
      return Refusal("S < " + Bound(kFineStep, 2) + " m", Value("S", s.S));
    break;
  case Aim::FieldDepths: {
    const LD SaSa = LD(f.Sa) * f.Sa, SbSb = LD(f.Sb) * f.Sb;
    const bool fits = LastStepFits(Store(LD(f.Sa) / 2.0L), kFieldStep) &&
                      LastStepFits(Store(LD(f.Sb) / 2.0L), kFieldStep) &&
                      LastStepFits(Store(std::sqrt(SaSa + SbSb) / 2.0L), kFieldStep);
    if (!fits)
      return Refusal("the diagonal of Sa and Sb is below " + Bound(kFieldStep, 2) + " m",
                     Value("Sa", f.Sa) + " and " + Value("Sb", f.Sb));
    break;
  }
  }
  return std::string();
}

int64_t StepsOfPass(double S, double rw, double p) {
  const long double last = std::nearbyint(LD(S) / p);
  const long double first = std::max(std::nearbyint(LD(rw) / p) + 1.0L, 2.0L);
  if (!(last >= first))
    return 0;
  return static_cast<int64_t>(std::min(last - first + 1.0L, 1e15L));
}

void StepProgress::Start(int64_t plannedSteps) {
  done_ = 0;
  remaining_ = std::max<int64_t>(plannedSteps, 0);
  shownPercent_ = -1;
  start_ = std::chrono::steady_clock::now();
}

void StepProgress::Plan(int64_t remainingSteps) {
  remaining_ = std::max<int64_t>(remainingSteps, 0);
}

void StepProgress::StopIfCancelled() const {
  if (cancel && cancel->load(std::memory_order_relaxed)) [[unlikely]]
    throw RunCancelled();
}

void StepProgress::Advance(int64_t steps) {
  StopIfCancelled();
  done_ += steps;
  remaining_ = std::max<int64_t>(remaining_ - steps, 0);
  if (std::chrono::steady_clock::now() - start_ < quietTime)
    return;
  const int percent = static_cast<int>(100 * done_ / std::max<int64_t>(done_ + remaining_, 1));
  if (percent > shownPercent_) {
    shownPercent_ = percent;
    if (services)
      services->ShowPercentDone(percent);
  }
}
