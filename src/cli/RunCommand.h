// The command-line run of a saved input file: check step, then (without input errors) the
// calculation, in the working directory, with progress lines and messages on `out`.
#pragma once

#include "cli/ExitStatus.h"

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after the command name: one input file, or a batch (cli/BatchCommand.h).
int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
