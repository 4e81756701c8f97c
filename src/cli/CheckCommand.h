// The command-line check of a report against the independent well-cell model.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after the command name: the report and "--json C.json" if wanted.
// Prints the check; returns 0 when the check was made (whether flagged or not), 1 when the
// JSON file cannot be written, 3 when the report cannot be read or checked, 64 on a usage
// error.
int CheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
