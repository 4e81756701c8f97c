// The command-line calculation report: an A4 PDF of an output report. Needs no display.
#pragma once

#include "cli/Commands.h"

// Adds the command "report". Its exit status: 0 when the PDF is written, 1 when it cannot be
// written, 3 when the report cannot be read, 64 on a usage error.
void AddReportCommand(CommandSet& commands);
