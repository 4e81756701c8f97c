#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/Completion.h"
#include "cli/DesignCommand.h"
#include "cli/ExportCommand.h"
#include "cli/GraphCommand.h"
#include "cli/OptimiseCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RunCommand.h"
#include "cli/SweepCommand.h"
#include "core/FileNames.h"
#include "core/Version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

namespace {
const char* const kProgram = "pumpfield-cli";

// Every command, in the order of the help. A new command is one more entry.
void (*const kCommands[])(CommandSet&) = {AddRunCommand,      AddSweepCommand, AddDesignCommand,
                                          AddOptimiseCommand, AddGraphCommand, AddExportCommand,
                                          AddReportCommand,   AddCheckCommand};

void DefineProgram(CLI::App& program, CommandSet& commands) {
  program.name(kProgram);
  program.description(
      "Runs, sweeps, draws, exports and checks Pumpfield calculations without the window.");
  program.formatter(std::make_shared<CommandHelp>());
  program.set_help_flag("-h,--help", "print this help and exit");
  program.set_help_all_flag("--help-all", "print the help of every command");
  program.set_version_flag("--version", std::string(kProgram) + " " + kPumpfieldVersion);
  // Once a command is named, no later word is taken for another command.
  program.require_subcommand(0, 1);
  for (auto add : kCommands)
    add(commands);
}

// The words CLI11 reads, last first: those after the command's "--" carry kAfterOptionsMark.
std::vector<std::string> WordsToParse(const std::vector<std::string>& arguments) {
  std::vector<std::string> words;
  bool afterOptions = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0 && !afterOptions && arguments[i] == "--")
      afterOptions = true;
    else
      words.push_back(afterOptions ? kAfterOptionsMark + arguments[i] : arguments[i]);
  }
  std::reverse(words.begin(), words.end());
  return words;
}

std::string Unmarked(std::string word) {
  word.erase(std::remove(word.begin(), word.end(), kAfterOptionsMark), word.end());
  return word;
}

// What is wrong, in words of this program where CLI11's own would be unclear.
std::string ParseErrorText(const CLI::ParseError& error, const CLI::App& program) {
  const CLI::App* command =
      program.get_subcommands().empty() ? &program : program.get_subcommands()[0];
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    std::vector<std::string> extras = command->remaining();
    if (extras.empty())
      extras = program.remaining();
    if (!extras.empty()) {
      const std::string& word = extras.front();
      if (word.size() > 1 && word[0] == '-')
        return "unknown option \"" + word + "\"";
      return "unexpected argument \"" + Unmarked(word) + "\"";
    }
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
    for (const CLI::Option* option : command->get_options())
      if (option->count() > 1 && option->get_multi_option_policy() == CLI::MultiOptionPolicy::Throw)
        return ShownName(*option) + " is given more than once";
  return error.what();
}

int UsageFailure(const std::string& command, const std::string& problem, std::ostream& err) {
  const std::string who = command.empty() ? kProgram : std::string(kProgram) + " " + command;
  err << who << ": " << VisibleFileName(Unmarked(problem)) << "\nRun '" << who
      << " --help' for more.\n";
  return kExitUsage;
}
} // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  CLI::App program;
  CommandSet commands(program);
  DefineProgram(program, commands);

  if (!arguments.empty() && arguments[0] == kCompletionCommand) {
    out << CompleteCommandLine(program, std::vector(arguments.begin() + 1, arguments.end()));
    return kExitReportWritten;
  }
  if (arguments.empty())
    return UsageFailure("", "no command given", err);
  const std::string& first = arguments[0];
  if (first.empty() || (first[0] != '-' && !FindCommand(program, first)))
    return UsageFailure("", "unknown command \"" + first + "\"", err);

  std::vector<std::string> words = WordsToParse(arguments);
  try {
    program.parse(words);
  } catch (const CLI::CallForHelp&) {
    out << program.help();
    return kExitReportWritten;
  } catch (const CLI::CallForAllHelp&) {
    out << program.help("", CLI::AppFormatMode::All);
    return kExitReportWritten;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return kExitReportWritten;
  } catch (const CLI::ParseError& error) {
    return UsageFailure(first[0] == '-' ? "" : first, ParseErrorText(error, program), err);
  } catch (const UsageError& error) {
    return UsageFailure(first, error.what(), err);
  }
  if (program.get_subcommands().empty())
    return UsageFailure("", "no command given", err);
  try {
    return (*commands.ActionOf(program.get_subcommands()[0]))(out, err);
  } catch (const UsageError& error) {
    return UsageFailure(first, error.what(), err);
  }
}
