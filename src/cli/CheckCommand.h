// The command-line check of a report against the independent well-cell model.
#pragma once

#include "cli/Commands.h"

// Adds the command "check". Its exit status: 0 when the check was made (whether flagged or not),
// 1 when the JSON file cannot be written, 3 when the report cannot be read or checked, 64 on a
// usage error.
void AddCheckCommand(CommandSet& commands);
