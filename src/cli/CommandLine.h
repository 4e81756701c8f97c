// pumpfield-cli's command line: every command read by one CLI11 parser, usage errors told in one
// line with exit status 64, the help, the version, and what the shell completion asks.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs the command line `arguments` (those after the program's name); returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
