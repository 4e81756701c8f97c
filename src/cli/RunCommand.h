// The command-line run of a saved input file: check step, then (without input errors) the
// calculation, in the working directory, with progress lines and messages on `out`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum ExitStatus : int {
  kExitReportWritten = 0,
  kExitInputErrors = 1,     // the error list is printed and "Error.lst" kept
  kExitArithmeticError = 2, // the report holds what was written until the error
  kExitBadInputFile = 3,    // unreadable or malformed input file, or a file that cannot be written
  kExitUsage = 64,
  kExitInternalError = 70, // an unexpected failure, such as running out of memory
};

// `arguments` are those after the command name: one input file, or a batch (cli/BatchCommand.h).
int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
