// The command-line export of a report's profile tables as a CSV file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after the command name: the report and "--csv TABLE.csv". Returns 0
// when the table is written, 1 when it cannot be written, 3 when the report cannot be read,
// 64 on a usage error.
int ExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
