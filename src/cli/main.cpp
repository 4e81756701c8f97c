// pumpfield-cli: batch runs of Pumpfield without the window.
#include "cli/GraphCommand.h"
#include "cli/RunCommand.h"
#include "core/TextFile.h"
#include "core/Version.h"

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

int Graph(const std::vector<std::string>& arguments) {
  return GraphCommand(arguments, std::cout, std::cerr);
}

const Command kCommands[] = {
    {"run", "FILE.inp",
     "check and calculate a saved input file like a run from the window; the report is\n"
     "      FILE.out beside it, Error.lst is written in the working directory",
     Run},
    {"graph", "FILE.out IMAGE.bmp [--decimal-separator=.|,]",
     "draw the water-table graph of a report like \"Make graph\" and save it as a 623 x 465\n"
     "      bitmap like \"Save graph\"; no display is needed. The tick labels use the decimal\n"
     "      separator of the desktop's locale, as the window does, unless one is given",
     Graph},
};

void PrintHelp(std::ostream& out) {
  out << "Usage:\n";
  for (const Command& command : kCommands)
    out << "  pumpfield-cli " << command.name << ' ' << command.arguments << '\n';
  out << "  pumpfield-cli --help | --version\n\nCommands:\n";
  for (const Command& command : kCommands)
    out << "  " << command.name << "  " << command.summary << '\n';
  out << "\nExit status: 0 report written; 1 input errors (the error list is printed and\n"
         "Error.lst kept); 2 arithmetic error (the report holds what was written until then);\n"
         "3 unreadable or malformed input file; 64 usage error.\n"
         "For graph: 0 bitmap written; 1 the bitmap cannot be written; 3 the report cannot be\n"
         "read; 64 usage error.\n"
         "For both: 70 an unexpected failure, told on standard error.\n";
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
