#include "cli/CommandHelp.h"

#include "cli/Commands.h"

#include <algorithm>
#include <sstream>

namespace {
constexpr size_t kWidth = 80;
constexpr size_t kTextColumn = 26;
const char* const kAnyCommandStatus = "70 an unexpected failure, told on standard error.";

// `text` in lines of at most kWidth characters, each after `indent` blanks.
std::string Wrapped(const std::string& text, size_t indent) {
  std::string wrapped, line;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    if (!line.empty() && indent + line.size() + 1 + word.size() > kWidth) {
      wrapped += std::string(indent, ' ') + line + '\n';
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return line.empty() ? wrapped : wrapped + std::string(indent, ' ') + line + '\n';
}

// "  tag     text", the text wrapped in its column; after a tag too long for that, on the next
// line.
std::string Tagged(const std::string& tag, const std::string& text, size_t column) {
  const std::string head = "  " + tag;
  const std::string body = Wrapped(text, column);
  if (body.empty())
    return head + '\n';
  if (head.size() + 2 <= column)
    return head + body.substr(head.size());
  return head + '\n' + body;
}

bool IsHelp(const CLI::App& app, const CLI::Option* option) {
  return option == app.get_help_ptr() || option == app.get_help_all_ptr();
}

bool IsRepeated(const CLI::Option& option) {
  return option.get_positional()
             ? option.get_items_expected_max() > 1
             : option.get_multi_option_policy() == CLI::MultiOptionPolicy::TakeAll;
}

// "-j, --jobs N" or "FILE.inp ...".
std::string ListedName(const CLI::Option& option) {
  if (option.get_positional())
    return option.get_name() + (IsRepeated(option) ? " ..." : "");
  std::string names;
  for (const std::string& name : option.get_snames())
    names += (names.empty() ? "-" : ", -") + name;
  for (const std::string& name : option.get_lnames())
    names += (names.empty() ? "--" : ", --") + name;
  const std::string& value = option.get_option_text();
  return value.empty() ? names : names + ' ' + value;
}

// "FILE.inp [FILE.inp ...]", "[-j N]", "--vary SYMBOL=... [--vary ...]".
std::string UsageOf(const CLI::Option& option) {
  const std::string name = option.get_positional() ? option.get_name() : ShownName(option);
  std::string usage = name;
  if (!option.get_positional() && !option.get_option_text().empty())
    usage += ' ' + option.get_option_text();
  if (IsRepeated(option))
    usage += " [" + name + " ...]";
  return option.get_required() ? usage : "[" + usage + "]";
}

std::vector<const CLI::Option*> ListedOptions(const CLI::App& command) {
  std::vector<const CLI::Option*> listed;
  for (bool positional : {true, false})
    for (const CLI::Option* option : command.get_options())
      if (option->get_positional() == positional && !IsHelp(command, option))
        listed.push_back(option);
  return listed;
}

std::string ProgramHelp(const CLI::App& program) {
  const std::string name = program.get_name();
  std::string help;
  const char* lead = "Usage: ";
  for (const CLI::App* command : ShownCommands(program)) {
    help += lead + name + ' ' + CommandSynopsis(*command) + '\n';
    lead = "  or:  ";
  }
  help += lead + name + " COMMAND --help\n";
  help += "  or:  " + name + " --help | --help-all | --version\n\n";
  help += Wrapped(program.get_description(), 0);
  help += "\nCommands:\n";
  for (const CLI::App* command : ShownCommands(program))
    help += Tagged(command->get_name(), command->get_description(), 12);

  // Commands with the same exit statuses share one entry.
  std::vector<std::pair<std::string, std::string>> statuses;
  for (const CLI::App* command : ShownCommands(program)) {
    const std::string text = ExitStatusesOf(*command);
    auto same = std::find_if(statuses.begin(), statuses.end(),
                             [&text](const auto& entry) { return entry.second == text; });
    if (same == statuses.end())
      statuses.emplace_back(command->get_name(), text);
    else
      same->first += ", " + command->get_name();
  }
  statuses.emplace_back("every command", kAnyCommandStatus);
  help += "\nExit status:\n";
  for (const auto& [commands, text] : statuses)
    help += Tagged(commands, text, kTextColumn);
  return help;
}

std::string CommandHelpText(const CLI::App& command) {
  std::string help =
      "Usage: " + command.get_parent()->get_name() + ' ' + CommandSynopsis(command) + "\n\n";
  help += Wrapped(command.get_description(), 0) + '\n';
  for (const CLI::Option* option : ListedOptions(command))
    help += Tagged(ListedName(*option), option->get_description(), kTextColumn);
  if (const CLI::Option* option = command.get_help_ptr())
    help += Tagged(ListedName(*option), option->get_description(), kTextColumn);
  help += '\n' + Wrapped("Exit status: " + ExitStatusesOf(command) + ' ' + kAnyCommandStatus, 0);
  return help;
}
} // namespace

std::string CommandHelp::make_help(const CLI::App* app, std::string,
                                   CLI::AppFormatMode mode) const {
  if (app->get_parent())
    return CommandHelpText(*app);
  std::string help = ProgramHelp(*app);
  if (mode == CLI::AppFormatMode::All)
    for (const CLI::App* command : ShownCommands(*app))
      help +=
          "\n*" + app->get_name() + ' ' + command->get_name() + "*\n" + CommandHelpText(*command);
  return help;
}

std::string CommandSynopsis(const CLI::App& command) {
  std::string synopsis = command.get_name();
  for (const CLI::Option* option : ListedOptions(command))
    synopsis += ' ' + UsageOf(*option);
  return synopsis;
}

std::vector<const CLI::App*> ShownCommands(const CLI::App& program) {
  return program.get_subcommands(
      [](const CLI::App* command) { return !command->get_group().empty(); });
}
