// The command-line drawing of a report's graph: the same picture as "Make graph", saved as the
// same bitmap as "Save graph". Needs no display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after the command name: the report and the bitmap to write.
// Returns 0 on success, 1 when the bitmap cannot be written, 3 when the report cannot be read
// (or its input file is corrupt), 64 on a usage error, which includes a bitmap name that is
// the report, its input file, or anything but a regular file or a new name.
int GraphCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
