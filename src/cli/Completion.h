// What the bash completion of pumpfield-cli asks the program: what may come at the cursor, taken
// from the commands' own definitions, so that the completion knows every command and option the
// program has. The symbols of an option whose value is SYMBOL=... are those of the aim of the
// input file already on the line (line 4 of the file is read).
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

// The hidden first word of "pumpfield-cli __complete LINE", LINE being the command line up to the
// cursor, the program's name first.
inline constexpr const char* kCompletionCommand = "__complete";

// The answer for `arguments` (the words after kCompletionCommand, the command line joined by
// blanks): one line "files EXT ...", offering folders and the files with those extensions (any
// file without one), or "words" or "nospace", followed by the words to offer, one a line, as they
// continue the text after the last '=' or ':' of the word at the cursor ("nospace": no blank is
// to follow them).
std::string CompleteCommandLine(const CLI::App& program, const std::vector<std::string>& arguments);
