// The command-line parameter sweep: an input file run over a grid of values of its inputs, the
// results as a table (standard output or --csv) and a plot (--plot).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `arguments` are those after "sweep". Exit status: 0 the sweep ran (each point's status is in
// its row); 3 the input file cannot be read, or the table or plot cannot be written; 64 usage
// error; 128 plus the signal's number when stopped.
int SweepCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
