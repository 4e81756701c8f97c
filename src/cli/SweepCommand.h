// The command-line parameter sweep: an input file run over a grid of values of its inputs, the
// results as a table (standard output or --csv) and a plot (--plot).
#pragma once

#include "cli/Commands.h"

// Adds the command "sweep".
void AddSweepCommand(CommandSet& commands);
