#include "cli/Commands.h"

#include "core/TextFormat.h"

#include <CLI/CLI.hpp>

namespace {
// What an option without a value holds: no command-line word can be this.
const std::string kNoValue(1, kAfterOptionsMark);

// A file name as given, without the mark of a word after "--". Before "--" a word that starts
// with a dash is an option this command does not have, whatever CLI11 makes of "-5"; an empty
// name is refused.
std::function<std::string(std::string)> FileName(const std::string& name) {
  return [name](std::string file) {
    if (!file.empty() && file[0] == kAfterOptionsMark)
      file.erase(0, 1);
    else if (!file.empty() && file[0] == '-')
      throw UsageError("unknown option \"" + file + "\"");
    if (file.empty())
      throw UsageError("the name of " + name + " is empty");
    return file;
  };
}

// Refuses an option that came without a value, or whose only candidate was a word after "--".
std::function<std::string(const std::string&)> ValueGiven(const std::string& option) {
  return [option](const std::string& value) {
    if (value.empty() || value[0] == kAfterOptionsMark)
      throw UsageError(option + " needs a value");
    return std::string();
  };
}

CLI::Option* AsValueOption(CLI::Option* option, const std::string& valueName) {
  return option->expected(0, 1)
      ->allow_extra_args(false)
      ->default_str(kNoValue)
      ->option_text(valueName)
      ->check(ValueGiven(ShownName(*option)));
}
} // namespace

CLI::App& CommandSet::Add(const std::string& name, const std::string& summary,
                          const std::string& exitStatuses, CommandAction action) {
  CLI::App* command = program_.add_subcommand(name, summary);
  command->group("Commands");
  command->footer(exitStatuses);
  command->set_help_all_flag();
  actions_[command] = std::move(action);
  return *command;
}

const CommandAction* CommandSet::ActionOf(const CLI::App* command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : &found->second;
}

const CLI::App* FindCommand(const CLI::App& program, const std::string& name) {
  const auto found = program.get_subcommands(
      [&name](const CLI::App* command) { return command->get_name() == name; });
  return found.empty() ? nullptr : found.front();
}

std::string ExitStatusesOf(const CLI::App& command) { return command.get_footer(); }

CLI::Option* AddFileArgument(CLI::App& command, const std::string& name, std::string& file,
                             const std::string& description) {
  return command.add_option(name, file, description)->required()->transform(FileName(name));
}

CLI::Option* AddFileArguments(CLI::App& command, const std::string& name,
                              std::vector<std::string>& files, const std::string& description) {
  return command.add_option(name, files, description)->required()->transform(FileName(name));
}

CLI::Option* AddValueOption(CLI::App& command, const std::string& names, std::string& value,
                            const std::string& valueName, const std::string& description) {
  return AsValueOption(command.add_option(names, value, description), valueName);
}

CLI::Option* AddRepeatedOption(CLI::App& command, const std::string& names,
                               std::vector<std::string>& values, const std::string& valueName,
                               const std::string& description) {
  return AsValueOption(command.add_option(names, values, description), valueName)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

std::string ShownName(const CLI::Option& option) {
  const auto& shortNames = option.get_snames();
  return shortNames.empty() ? option.get_name() : "-" + shortNames.front();
}

int WholeNumberOption(const std::string& option, const std::string& text, int low, int high) {
  const std::optional<long long> number = TextToWholeNumber(text);
  if (!number || *number < low || *number > high)
    throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not \"" + text + "\"");
  return static_cast<int>(*number);
}
