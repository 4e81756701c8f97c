// The command-line export of a report's profile tables as a CSV file.
#pragma once

#include "cli/Commands.h"

// Adds the command "export". Its exit status: 0 when the table is written, 1 when it cannot be
// written, 3 when the report cannot be read, 64 on a usage error.
void AddExportCommand(CommandSet& commands);
