// What the command-line tests share: a command called in-process with what it printed, the
// program run as a process, and small input files.
#pragma once

#include "cli/CommandLine.h"

#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CliRun {
  int status;
  std::string out, err;
};

// pumpfield-cli's `command` with `arguments`, called in-process.
inline CliRun Call(const std::string& command, std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), command);
  std::ostringstream out, err;
  const int status = RunCommandLine(arguments, out, err);
  return {status, out.str(), err.str()};
}

// pumpfield-cli with `arguments` in the working directory; what it prints goes to out.txt and
// err.txt there. The exit status, or -1 when it did not exit.
inline int Cli(const std::string& arguments) {
  const std::string command = std::string(PUMPFIELD_CLI) + " " + arguments + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// An input file of `aim` whose numbers line is `numbers`.
inline std::string WithNumbers(const std::string& aim, const std::string& numbers) {
  return "t1\r\nt2\r\nFile Name: x\r\n" + aim + "\r\n" + numbers + "\r\n";
}
