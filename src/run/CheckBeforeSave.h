// Consistency tests of the parameter set before it is saved.
#pragma once

#include "data/UDMPumpfield.h"

#include <optional>
#include <span>
#include <string>

// The aims a test applies to, as bits; an unknown aim code has a bit of its own.
using AimSet = unsigned;
AimSet AimBit(std::optional<Aim> aim);

// One consistency test: for the aims of `aims`, `factor` times the input `lower` must be less
// than the input `upper` (or equal to it as well, when `equalAllowed`). Inputs are named by
// their symbols in the table of aims.
struct PreSaveRule {
  AimSet aims;
  const char* lower;
  double factor;
  const char* upper;
  bool equalAllowed;
  const char* message; // without the window's "Input not saved" suffix
};

// The message of the first test, which no value the aim reads may fail: none is negative.
inline constexpr const char* kNegativeDataMessage = "Data cannot be negative.";
// The other tests, in the order they run after the first.
std::span<const PreSaveRule> PreSaveRules();

// The message of the first test that `params` (the 14 values of the parameter set) fail for
// the aim `aimCode`, without the window's "Input not saved" suffix; "" when all pass. After
// the rules, a value the aim reads fails when the input file would hold it as 0 or wider than
// its field: "R would be saved as 0.0000."
std::string PreSaveFailure(const std::string& aimCode, DataSetR params);

// Runs the tests for the data module's AimCode and Params in order and stops at the first that
// fails, showing its message; sets ChecksPassed only when all pass. Values that the aim does
// not use are not tested (they are saved as they are). A single layer (D1 = D2) then gets Kb2
// and Kv2 (values 11 and 12) set to 0.
void CheckBeforeSave(TDMPumpfield& dm, bool& ChecksPassed);
