// The command-line calculation report: an A4 PDF of an output report. Needs no display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after the command name: the report and the PDF to write. Returns 0
// when the PDF is written, 1 when it cannot be written, 3 when the report cannot be read, 64 on
// a usage error.
int ReportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
