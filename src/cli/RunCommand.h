// The command-line run of saved input files: one file as a run from the window does it (check
// step, then without input errors the calculation, in the working directory, with progress lines
// and messages on standard output), or several as a batch (cli/BatchCommand.h).
#pragma once

#include "cli/Commands.h"

// Adds the command "run".
void AddRunCommand(CommandSet& commands);
