// The command line as a shell user meets it: every usage error is one line and a pointer to the
// command's help, with exit status 64; "--" ends the options; an option never takes the next
// option as its value; numbers are checked without overflow; counts agree with their nouns.
#include "CliTestSupport.h"
#include "TempDir.h"
#include "core/Version.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;)
    words.push_back(word);
  return words;
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}
} // namespace

TEST(CommandLine, EachLineGivesItsStatusAndSaysWhatIsWrongInOneLine) {
  TempDir dir;
  const std::string spacing =
      ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp");
  for (const char* name : {"case.inp", "-x.inp", "input.out"})
    WriteFileBytes(name, spacing);
  const struct {
    const char* line;
    int status;
    std::string shown; // a whole line of what was printed; for status 64 the error's line
  } rows[] = {
      {"", 64, "pumpfield-cli: no command given"},
      {"frobnicate x.inp", 64, "pumpfield-cli: unknown command \"frobnicate\""},
      {"run", 64, "pumpfield-cli run: FILE.inp is required"},
      {"run input.out", 64,
       "pumpfield-cli run: The input file \"" + dir.file("input.out") +
           "\" has the extension of a report; its report would replace it."},
      {"run case.inp --quick", 64, "pumpfield-cli run: unknown option \"--quick\""},
      {"run case.inp -5", 64, "pumpfield-cli run: unknown option \"-5\""},
      {"run case.inp -j", 64, "pumpfield-cli run: -j needs a value"},
      {"run case.inp -j 0", 64,
       "pumpfield-cli run: -j takes a whole number from 1 to 1024, not \"0\""},
      {"run case.inp --jobs=99999999999999999999", 64,
       "pumpfield-cli run: -j takes a whole number from 1 to 1024, not \"99999999999999999999\""},
      {"run case.inp -j1 -j2", 64, "pumpfield-cli run: -j is given more than once"},
      {"run case.inp -j1 --json r.json", 64,
       "pumpfield-cli run: --json is for the run of one input file, not for a batch"},
      {"run case.inp --json ./case.inp", 64,
       "pumpfield-cli run: \"./case.inp\" is the input file or its report; give the JSON another "
       "name"},
      {"run -- -x.inp", 0, "Report written: " + dir.file("-x.out")},
      {"run case.inp -j1", 0, "1 file: 1 ok"},
      {"run case.inp -- -x.inp", 0, "2 files: 2 ok"},
      {"sweep case.inp --vary Kb2=4:8:3 --csv --plot s.svg", 64,
       "pumpfield-cli sweep: --csv needs a value"},
      {"sweep case.inp --vary -j2", 64, "pumpfield-cli sweep: --vary needs a value"},
      {"sweep case.inp --vary Kb2=1:2:99999999999999999999999", 64,
       "pumpfield-cli sweep: \"Kb2=1:2:99999999999999999999999\" asks for more than 10000 values"},
      {"sweep case.inp --vary Kb2=1,2 --csv a.csv --csv b.csv", 64,
       "pumpfield-cli sweep: --csv is given more than once"},
      {"sweep case.inp --vary Kb2=1,2 other.inp", 64,
       "pumpfield-cli sweep: unexpected argument \"other.inp\""},
      {"export case.out --csv=", 64, "pumpfield-cli export: --csv needs a value"},
      {"graph case.out picture.bmp --scale 2", 64,
       "pumpfield-cli graph: --scale draws a PNG at that many times the size; \"picture.bmp\" is "
       "no .png"},
      {"graph case.out picture.png --decimal-separator ;", 64,
       "pumpfield-cli graph: --decimal-separator takes . or ,"},
      {"graph --help", 0,
       "Usage: pumpfield-cli graph FILE.out IMAGE.bmp|.png|.svg|.pdf [--scale K] "
       "[--figure section|plan] [--decimal-separator .|,]"},
      {"--help-all", 0, "*pumpfield-cli sweep*"},
      {"--version", 0, std::string("pumpfield-cli ") + kPumpfieldVersion},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const std::vector<std::string> words = Words(row.line);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine(words, out, err), row.status) << err.str();
    if (row.status == 64) {
      const std::string command = words.empty() || words[0] == "frobnicate" ? "" : " " + words[0];
      EXPECT_EQ(err.str(), row.shown + "\nRun 'pumpfield-cli" + command + " --help' for more.\n");
    } else {
      EXPECT_TRUE(HasLine(out.str() + err.str(), row.shown)) << out.str() << err.str();
    }
  }
  EXPECT_EQ(ReadFileBytes("case.inp"), spacing);
  EXPECT_EQ(ReadFileBytes("input.out"), spacing);
}
