#include "cli/Completion.h"

#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "data/AimTable.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
// The words of a shell command line, quotes and backslashes taken away; an empty last word when
// the line ends in a blank (the cursor starts a new word).
std::vector<std::string> ShellWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else if (c == '\\' && quote == '"' && i + 1 < line.size())
        word += line[++i];
      else
        word += c;
    } else if (c == ' ' || c == '\t') {
      if (inWord)
        words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      inWord = true;
      if (c == '\'' || c == '"')
        quote = c;
      else if (c == '\\' && i + 1 < line.size())
        word += line[++i];
      else
        word += c;
    }
  }
  words.push_back(word);
  return words;
}

// The part of `word` that the shell completes: after its last '=' or ':'.
std::string ShellPart(const std::string& word) {
  const size_t split = word.find_last_of("=:");
  return split == std::string::npos ? word : word.substr(split + 1);
}

std::string Words(const std::vector<std::string>& candidates, const std::string& partial,
                  const char* kind = "words") {
  std::string answer = std::string(kind) + '\n';
  for (const std::string& candidate : candidates)
    if (candidate.compare(0, partial.size(), partial) == 0)
      answer += ShellPart(partial) + candidate.substr(partial.size()) + '\n';
  return answer;
}

// "FILE.inp" -> "files inp", "IMAGE.bmp|.png" -> "files bmp png".
std::string Files(const std::string& name) {
  std::string answer = "files";
  for (size_t dot = name.find('.'); dot != std::string::npos; dot = name.find('.', dot + 1)) {
    size_t end = dot + 1;
    while (end < name.size() && std::isalnum(static_cast<unsigned char>(name[end])))
      ++end;
    if (end > dot + 1)
      answer += ' ' + name.substr(dot + 1, end - dot - 1);
  }
  return answer + '\n';
}

// The aim code on line 4 of the input file `path`, read no further than that and only from a
// regular file (a pipe or a device could keep the shell waiting).
std::string AimCodeOfFile(std::string path) {
  const char* home = std::getenv("HOME");
  if (path.rfind("~/", 0) == 0 && home)
    path = home + path.substr(1);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return std::string();
  std::ifstream file(path, std::ios::binary);
  std::string line;
  int lineNumber = 1;
  for (int c, read = 0; lineNumber <= 4 && read < 4096 && (c = file.get()) != EOF; ++read) {
    if (c == '\n')
      ++lineNumber;
    else if (lineNumber == 4 && c != '\r')
      line += static_cast<char>(c);
  }
  return line;
}

std::string ValueOf(const CLI::Option& option, const std::string& partial,
                    const std::vector<std::string>& files) {
  const std::string& value = option.get_option_text();
  if (value.rfind("SYMBOL=", 0) != 0) // a file of the extensions the value shows, or a number
    return Files(value) == "files\n" ? "words\n" : Files(value);
  const AimDefinition* aim = files.empty() ? nullptr : AimDefinitionOfCode(AimCodeOfFile(files[0]));
  std::vector<std::string> symbols;
  if (aim)
    for (const AimInput& input : aim->inputs)
      symbols.push_back(std::string(input.symbol) + '=');
  return Words(symbols, partial, "nospace");
}

std::string OptionNames(const CLI::App& command, const std::string& partial) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_positional())
      continue;
    for (const std::string& name : option->get_lnames())
      names.push_back("--" + name);
    for (const std::string& name : option->get_snames())
      names.push_back("-" + name);
  }
  return Words(names, partial);
}

// The file argument at place `index` of `command`: a repeated one takes every place after it.
std::string FileAt(const CLI::App& command, size_t index) {
  for (const CLI::Option* option : command.get_options()) {
    if (!option->get_positional())
      continue;
    if (index == 0 || option->get_items_expected_max() > 1)
      return Files(option->get_name());
    --index;
  }
  return "words\n";
}

// Whether `word` names an option of `command` whose value is the next word.
const CLI::Option* TakesNextWord(const CLI::App& command, const std::string& word) {
  if (word.size() < 2 || word[0] != '-' || word.find('=') != std::string::npos)
    return nullptr;
  if (word[1] != '-' && word.size() > 2) // "-j2"
    return nullptr;
  const CLI::Option* option = command.get_option_no_throw(word);
  return option && option->get_items_expected_max() > 0 ? option : nullptr;
}
} // namespace

std::string CompleteCommandLine(const CLI::App& program,
                                const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments)
    line += (line.empty() ? "" : " ") + argument;
  std::vector<std::string> words = ShellWords(line);
  if (words.size() < 2)
    return "words\n";
  words.erase(words.begin()); // the program
  const std::string partial = words.back();
  words.pop_back();

  if (words.empty()) {
    std::vector<std::string> names;
    for (const CLI::App* command : ShownCommands(program))
      names.push_back(command->get_name());
    if (!partial.empty() && partial[0] == '-')
      names = {"--help", "--help-all", "--version"};
    return Words(names, partial);
  }
  const CLI::App* command = FindCommand(program, words[0]);
  if (!command)
    return "words\n";

  std::vector<std::string> files;
  const CLI::Option* valued = nullptr;
  bool afterOptions = false;
  for (size_t i = 1; i < words.size(); ++i) {
    if (valued)
      valued = nullptr;
    else if (!afterOptions && words[i] == "--")
      afterOptions = true;
    else if (!afterOptions && words[i].size() > 1 && words[i][0] == '-')
      valued = TakesNextWord(*command, words[i]);
    else
      files.push_back(words[i]);
  }
  if (valued)
    return ValueOf(*valued, partial, files);
  if (!afterOptions && partial.size() > 1 && partial[0] == '-') {
    const size_t equals = partial.find('=');
    if (equals == std::string::npos)
      return OptionNames(*command, partial);
    const CLI::Option* option = command->get_option_no_throw(partial.substr(0, equals));
    return option ? ValueOf(*option, partial.substr(equals + 1), files) : "words\n";
  }
  if (!afterOptions && partial == "-")
    return OptionNames(*command, partial);
  return FileAt(*command, files.size());
}
