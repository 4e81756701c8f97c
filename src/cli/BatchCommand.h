// The command-line batch run: several input files, or any with -j or --summary. Each report is
// the one a run of that file alone writes; error lists go beside the inputs as FILE.err.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct BatchArguments {
  std::vector<std::string> names; // the input files as given
  std::string summary;            // the summary's name; empty for none
  int workers = 1;                // runs at once
  bool check = false;             // the summary has the check's columns
};

// Exit status: the most severe of the files' statuses as a run of one file gives it, 3 when the
// summary cannot be written, 128 plus the signal's number when stopped. Files that would
// overwrite each other raise a UsageError.
int BatchCommand(const BatchArguments& batch, std::ostream& out, std::ostream& err);
