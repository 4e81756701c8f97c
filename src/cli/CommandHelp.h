// The help of pumpfield-cli, made from the commands' own definitions: the usage of every command,
// the list of commands and their exit statuses (--help), one command's usage, options and exit
// statuses (COMMAND --help), and all of it with a section per command (--help-all, from which the
// manual page is made).
#pragma once

#include <CLI/CLI.hpp>

#include <string>

class CommandHelp : public CLI::Formatter {
public:
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
};

// "run FILE.inp [FILE.inp ...] [-j N]": a command's name and what it takes.
std::string CommandSynopsis(const CLI::App& command);

// The commands shown in the help (hidden ones have no group).
std::vector<const CLI::App*> ShownCommands(const CLI::App& program);
