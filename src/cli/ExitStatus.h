// The exit statuses of every command of the command-line runner.
#pragma once

enum ExitStatus : int {
  kExitReportWritten = 0,
  kExitInputErrors = 1,     // the error list is printed and "Error.lst" kept
  kExitArithmeticError = 2, // the report holds what was written until the error
  kExitBadInputFile = 3,    // unreadable or malformed input file, or a file that cannot be written
  kExitUsage = 64,
  kExitInternalError = 70, // an unexpected failure, such as running out of memory
};
