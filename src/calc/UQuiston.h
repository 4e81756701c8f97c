// The discharge aim: for a given well spacing, the recharge intensity and discharge that keep
// the midway water table at depth Dm. Works on the flow-model state of UTrellow.
#pragma once

// Reads the input file named by the data module, writes "Error.lst", sets InputErrorFlag.
void CheckDischargeInput();
// Searches the recharge intensity and writes the report; needs a CheckDischargeInput without
// errors just before.
void CalcDischarge();
