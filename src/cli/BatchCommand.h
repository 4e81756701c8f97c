// The command-line batch run: several input files, or any with -j or --summary. Each report is
// the one a run of that file alone writes; error lists go beside the inputs as FILE.err.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Whether `run` with these arguments is a batch (or a usage error) rather than the run of one
// file.
bool IsBatchRun(const std::vector<std::string>& arguments);

// `arguments` are those after "run". Exit status: the most severe of the files' statuses as a
// run of one file gives it, 3 when the summary cannot be written, 64 for a usage error, 128 plus
// the signal's number when stopped.
int BatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
