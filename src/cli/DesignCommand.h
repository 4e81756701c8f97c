// The command-line design under uncertainty: an input file run for samples of its uncertain
// inputs; the design value, percentiles and sensitivity as text, JSON, CSV and charts.
#pragma once

#include "cli/Commands.h"

// Adds the command "design".
void AddDesignCommand(CommandSet& commands);
