// pumpfield-cli: batch runs of Pumpfield without the window.
#include "cli/CheckCommand.h"
#include "cli/ExportCommand.h"
#include "cli/GraphCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RunCommand.h"
#include "cli/SweepCommand.h"
#include "core/TextFile.h"
#include "core/Version.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {
struct Command {
  const char* name;
  const char* arguments;
  const char* summary;
  int (*run)(const std::vector<std::string>& arguments);
};

int Run(const std::vector<std::string>& arguments) {
  return RunCommand(arguments, std::cout, std::cerr);
}

int Sweep(const std::vector<std::string>& arguments) {
  return SweepCommand(arguments, std::cout, std::cerr);
}

int Graph(const std::vector<std::string>& arguments) {
  return GraphCommand(arguments, std::cout, std::cerr);
}

int Export(const std::vector<std::string>& arguments) {
  return ExportCommand(arguments, std::cout, std::cerr);
}

int Report(const std::vector<std::string>& arguments) {
  return ReportCommand(arguments, std::cout, std::cerr);
}

int Check(const std::vector<std::string>& arguments) {
  return CheckCommand(arguments, std::cout, std::cerr);
}

const Command kCommands[] = {
    {"run", "FILE.inp",
     "check and calculate a saved input file like a run from the window; the report is\n"
     "FILE.out beside it, Error.lst is written in the working directory",
     Run},
    {"run", "FILE.inp [FILE.inp ...] [-j N] [--summary SUMMARY.csv]",
     "a batch: several files (or one with -j or --summary), N at a time (default: one per\n"
     "processor); each report is the one a run of that file alone writes, an error list\n"
     "goes beside its input as FILE.err and nothing is written in the working directory.\n"
     "The summary has one row per file. The exit status is the most severe of the\n"
     "files'; Ctrl+C stops cleanly, keeping the reports of the runs that ended",
     Run},
    {"sweep",
     "FILE.inp --vary SYMBOL=FROM:TO:COUNT|SYMBOL=V1,V2,... [--vary ...] [-j N] "
     "[--csv TABLE.csv] [--plot PLOT.png|.svg|.pdf] [--scale K]",
     "run the input file for every combination of the values of the inputs named by\n"
     "their symbols in the report (R, D1, ..., S, Sa, Sb); at most 10000 points. The\n"
     "table (standard output without --csv) has one row per point; the plot shows the\n"
     "result against the first symbol, one line per value of the second, with hollow\n"
     "markers for runs without a converged result; --scale 2, 3 or 4 sizes a PNG plot",
     Sweep},
    {"graph",
     "FILE.out IMAGE.bmp|.png|.svg|.pdf [--scale K] [--figure section|plan] "
     "[--decimal-separator=.|,]",
     "draw the water-table graph of a report like \"Make graph\" and save it as a 623 x 465\n"
     "bitmap like \"Save graph\"; no display is needed. The extension chooses the format:\n"
     ".png has the bitmap's pixels, or with --scale 2, 3 or 4 is the print figure at that\n"
     "many times the size; .svg and .pdf are the print figure with real lines and text,\n"
     "drawn from the report alone; any other extension gives the bitmap. --figure section\n"
     "draws a cross-section between two wells, --figure plan the plan of a rectangular well\n"
     "field (as .png, .svg or .pdf). The numbers use the decimal separator of the\n"
     "desktop's locale, as the window does, unless one is given",
     Graph},
    {"export", "FILE.out --csv TABLE.csv",
     "write every profile table of a report to a CSV file: a header row with units, one row\n"
     "per table row with the profile's name, distance, head and gradient as the report\n"
     "prints them (always with a decimal point)",
     Export},
    {"report",
     "FILE.out REPORT.pdf [--project TEXT] [--client TEXT] [--engineer TEXT] "
     "[--checked TEXT] [--revision TEXT]",
     "write the calculation sheet of a report as an A4 PDF: a title block with the given\n"
     "texts, a summary, the inputs and the check of the input file beside the report, the\n"
     "method, a cross-section, the plan of a rectangular field, the water table and the\n"
     "profile tables",
     Report},
    {"check", "FILE.out [--json CHECK.json]",
     "check a report of any aim against an independent numerical model of one well cell\n"
     "(method.md in the documentation tells how): the water-table depth midway between\n"
     "neighbouring wells (for a rectangular field along each of the three lines) and at the\n"
     "centre of the cell, the report's depth, their difference in m and as a share of the\n"
     "drawdown, flagged above 5 %, and for a spacing the spacing the check needs for the\n"
     "required depth. --json writes the same to a JSON file",
     Check},
};

// Each line of `text` after `indent` blanks.
void PrintIndented(std::ostream& out, const std::string& text, int indent) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    out << std::string(indent, ' ') << text.substr(start, end - start) << '\n';
    start = end + 1;
  }
}

void PrintHelp(std::ostream& out) {
  const char* lead = "Usage: ";
  for (const Command& command : kCommands) {
    out << lead << "pumpfield-cli " << command.name << ' ' << command.arguments << '\n';
    lead = "  or:  ";
  }
  out << lead << "pumpfield-cli --help | --version\n\nCommands:\n";
  for (const Command& command : kCommands) {
    out << "  " << command.name << ' ' << command.arguments << '\n';
    PrintIndented(out, command.summary, 8);
  }
  out << "\nExit status: 0 report written; 1 input errors (the error list is printed and\n"
         "Error.lst kept); 2 arithmetic error (the report holds what was written until then);\n"
         "3 unreadable or malformed input file; 64 usage error.\n"
         "For a batch: the most severe status of its files, 3 also when the summary cannot be\n"
         "written, 128 + the signal's number when stopped (130 for Ctrl+C).\n"
         "For sweep: 0 the sweep ran (each point's status is in its row); 3 the input file\n"
         "cannot be read or the table or plot cannot be written; 64 usage error; 130 Ctrl+C.\n"
         "For graph, export and report: 0 file written; 1 the file cannot be written; 3 the\n"
         "report cannot be read; 64 usage error.\n"
         "For check: 0 the check was made, flagged or not; 1 the JSON file cannot be written;\n"
         "3 the report cannot be read or checked; 64 usage error.\n"
         "For every command: 70 an unexpected failure, told on standard error.\n";
}

int Main(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintHelp(std::cout);
    return kExitReportWritten;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::cout << "pumpfield-cli " << kPumpfieldVersion << '\n';
    return kExitReportWritten;
  }
  for (const Command& command : kCommands)
    if (std::strcmp(argv[1], command.name) == 0)
      return command.run(std::vector<std::string>(argv + 2, argv + argc));
  std::cerr << "pumpfield-cli: unknown command \"" << argv[1] << "\"\n\n";
  PrintHelp(std::cerr);
  return kExitUsage;
}
} // namespace

int main(int argc, char** argv) {
  RemoveUnfinishedFilesOnSignals();
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "pumpfield-cli: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "pumpfield-cli: " << error.what() << '\n';
  } catch (...) {
    std::cerr << "pumpfield-cli: an unknown error occurred\n";
  }
  return kExitInternalError;
}
