// The command-line drawing of a report's graph: the same picture as "Make graph", saved as the
// same bitmap as "Save graph", or drawn anew as a larger PNG, an SVG or a PDF. Needs no display.
#pragma once

#include "cli/Commands.h"

// Adds the command "graph". Its exit status: 0 on success, 1 when the image cannot be written, 3
// when the report cannot be read (or its input file is corrupt), 64 on a usage error, which
// includes an image name that is the report, its input file, or anything but a regular file or a
// new name.
void AddGraphCommand(CommandSet& commands);
