// The size of a run: values whose integration steps the 32-bit step counters cannot count are
// refused before the run starts, a long run shows how far it has come, and a run can be
// cancelled between its stretches of steps.
#pragma once

#include "data/UDMPumpfield.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>

class Engine;
class Services;

// After the check step of `aim` has filled the engine's flow-model state (and field state)
// without errors: an error-list line naming the value whose passes would need more steps than
// a step counter holds, a run that would certainly end in a range error; empty when every pass
// fits.
std::string StepCountProblem(const Engine& engine, Aim aim);

// The steps of one pass over the half spacing `S` with step `p` from the well radius `rw`:
// an estimate that never raises, for the progress plan.
int64_t StepsOfPass(double S, double rw, double p);

// A run stopped because its cancel flag was set; it leaves no report.
class RunCancelled : public std::runtime_error {
public:
  RunCancelled() : std::runtime_error("The run was cancelled.") {}
};

// How far the integration steps of a run have come. Once the run has taken longer than
// `quietTime`, every rise of the percent done goes to `services`. The plan is an upper bound
// of the steps still to come, lowered as the run learns more (a search that ends early). A set
// `cancel` flag stops the run at the next advance, a fraction of a second later at most.
class StepProgress {
public:
  // A new run of at most `plannedSteps` steps.
  void Start(int64_t plannedSteps);
  // At most `remainingSteps` steps until the end of the run.
  void Plan(int64_t remainingSteps);
  // Raises RunCancelled when the cancel flag is set.
  void Advance(int64_t steps);
  // Raises RunCancelled when the cancel flag is set, without counting a step.
  void StopIfCancelled() const;

  std::chrono::milliseconds quietTime{1000};
  Services* services = nullptr;
  const std::atomic<bool>* cancel = nullptr; // not owned; may be shared by many runs

private:
  int64_t done_ = 0, remaining_ = 0;
  int shownPercent_ = -1;
  std::chrono::steady_clock::time_point start_;
};
