// The commands of pumpfield-cli, each a CLI11 subcommand: how a command is added with the function
// that carries it out, how it declares its files and options, and its exit statuses.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

// The error list file of a run of one file, in the working directory.
inline constexpr const char* kErrorListName = "Error.lst";

enum ExitStatus : int {
  kExitReportWritten = 0,
  kExitInputErrors = 1,     // the error list is printed and "Error.lst" kept
  kExitArithmeticError = 2, // the report holds what was written until the error
  kExitBadInputFile = 3,    // unreadable or malformed input file, or a file that cannot be written
  kExitUsage = 64,
  kExitInternalError = 70, // an unexpected failure, such as running out of memory
};

// The exit statuses of a command that writes one file from a report.
inline constexpr const char* kFileWrittenStatuses =
    "0 file written; 1 the file cannot be written; 3 the report cannot be read; 64 usage error.";

// A command line that asks for what cannot be done; the text says what is wrong in one line.
// The command ends with exit status 64.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Carries out a command whose command line has been read; returns its exit status.
using CommandAction = std::function<int(std::ostream& out, std::ostream& err)>;

class CommandSet {
public:
  explicit CommandSet(CLI::App& program) : program_(program) {}

  // Adds the command `name`. `summary` says what it does, in the list of commands and atop its
  // help; `exitStatuses` ends its help ("0 file written; ..."). `action` runs once its command
  // line has been read into the variables its options are bound to.
  CLI::App& Add(const std::string& name, const std::string& summary,
                const std::string& exitStatuses, CommandAction action);
  // The action of `command`; nullptr for a command that was not added here.
  const CommandAction* ActionOf(const CLI::App* command) const;

private:
  CLI::App& program_;
  std::map<const CLI::App*, CommandAction> actions_;
};

// The command `name` of `program`, hidden ones included; nullptr when it has none of that name.
const CLI::App* FindCommand(const CLI::App& program, const std::string& name);

// The exit statuses a command's help shows, as given to CommandSet::Add.
std::string ExitStatusesOf(const CLI::App& command);

// A file named by its place on the command line; `name` shows its kind ("FILE.inp",
// "IMAGE.bmp|.png|.svg|.pdf"), and its extensions are what the shell completion offers.
CLI::Option* AddFileArgument(CLI::App& command, const std::string& name, std::string& file,
                             const std::string& description);
// One file or more.
CLI::Option* AddFileArguments(CLI::App& command, const std::string& name,
                              std::vector<std::string>& files, const std::string& description);

// An option with a value, "--csv TABLE.csv" or "--csv=TABLE.csv" (`names` as "--csv" or
// "-j,--jobs"). A following option is never taken as its value: "--csv --plot p.svg" says that
// --csv needs a value. Given twice, it is a usage error.
CLI::Option* AddValueOption(CLI::App& command, const std::string& names, std::string& value,
                            const std::string& valueName, const std::string& description);
// The same for an option that may be given again and again, each time with one value.
CLI::Option* AddRepeatedOption(CLI::App& command, const std::string& names,
                               std::vector<std::string>& values, const std::string& valueName,
                               const std::string& description);

// How messages name an option: "-j" rather than "--jobs", as the usage shows it.
std::string ShownName(const CLI::Option& option);

// The whole number `text` given to `option`; a UsageError when it is none or lies outside
// `low` to `high`, however many digits it has.
int WholeNumberOption(const std::string& option, const std::string& text, int low, int high);

// Command-line words after "--" reach CLI11 behind this mark, so that none is taken for an
// option or a command; the files and values declared above take it off again. No word of a
// command line can hold it.
inline constexpr char kAfterOptionsMark = '\0';
