// The discharge aim: for a given well spacing, the recharge intensity and discharge that keep
// the midway water table at depth Dm. Works on the flow-model state of UTrellow.
#pragma once

class Engine;

// Reads the engine's input, writes the error list, sets InputErrorFlag.
void CheckDischargeInput(Engine& engine);
// Searches the recharge intensity and writes the report; needs a CheckDischargeInput without
// errors just before.
void CalcDischarge(Engine& engine);
