// Consistency tests of the parameter set before it is saved.
#pragma once

#include "data/UDMPumpfield.h"

#include <string>

// The message of the first test that `params` (the 14 values of the parameter set) fail for
// the aim `aimCode`, without the window's "Input not saved" suffix; nullptr when all pass.
const char* PreSaveFailure(const std::string& aimCode, DataSetR params);

// Runs the tests for the data module's AimCode and Params in order and stops at the first that
// fails, showing its message; sets ChecksPassed only when all pass. Values that the aim does
// not use are not tested (they are saved as they are). A single layer (D1 = D2) then gets Kb2
// and Kv2 (values 11 and 12) set to 0.
void CheckBeforeSave(TDMPumpfield& dm, bool& ChecksPassed);
