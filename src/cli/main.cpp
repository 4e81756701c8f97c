// pumpfield-cli: runs, sweeps, drawings and exports of Pumpfield without the window.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/TextFile.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
  RemoveUnfinishedFilesOnSignals();
  // A reader that goes away (a pipe into "head") makes writes fail instead of ending the program
  // unannounced; a batch then stops as it does on Ctrl+C.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "pumpfield-cli: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "pumpfield-cli: " << error.what() << '\n';
  } catch (...) {
    std::cerr << "pumpfield-cli: an unknown error occurred\n";
  }
  return kExitInternalError;
}
