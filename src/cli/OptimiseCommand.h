// The command-line search for the cheapest well field of a rectangular-field input file.
#pragma once

#include "cli/Commands.h"

// Adds the command "optimise".
void AddOptimiseCommand(CommandSet& commands);
