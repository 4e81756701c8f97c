// The bash completion script, loaded into bash and asked as the shell asks it when Tab is pressed
// at the end of a command line.
#include "CliTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(BashCompletion, OffersCommandsOptionsSymbolsAndFilesByExtension) {
  TempDir dir;
  WriteFileBytes("case.inp",
                 ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp"));
  WriteFileBytes("field.inp", ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/field-rectangular.inp"));
  for (const char* name : {"case.out", "table.csv", "plot.svg", "notes.txt"})
    WriteFileBytes(name, "");
  std::filesystem::create_directory("folder");
  const struct {
    const char* line;    // up to the cursor
    const char* offered; // sorted
  } rows[] = {
      {"pumpfield-cli sw", "sweep"},
      {"pumpfield-cli ", "check design export graph optimise report run sweep"},
      {"pumpfield-cli --v", "--version"},
      {"pumpfield-cli run ", "case.inp field.inp folder"},
      {"pumpfield-cli run case.inp --s", "--summary"},
      {"pumpfield-cli sweep case.inp --vary Kb", "Kb1= Kb2="},
      {"pumpfield-cli sweep field.inp -j 2 --vary=S", "Sa= Sb="},
      {"pumpfield-cli sweep --vary D", ""}, // no input file on the line yet: no aim
      {"pumpfield-cli sweep case.inp --csv ", "folder table.csv"},
      {"pumpfield-cli sweep case.inp --plot=", "folder plot.svg"},
      {"pumpfield-cli sweep case.inp -j ", ""},
      {"pumpfield-cli graph case.out ", "folder plot.svg"},
      {"pumpfield-cli export ", "case.out folder"},
      {"pumpfield-cli report case.out -- ", "folder"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const std::string script =
        "source '" PUMPFIELD_SOURCE_DIR "/packaging/bash-completion/pumpfield-cli'\n"
        "COMP_LINE='" +
        std::string(row.line) +
        "'; COMP_POINT=${#COMP_LINE}\n"
        "COMP_WORDS=('" PUMPFIELD_CLI "' \"${COMP_LINE##*[ =:]}\"); COMP_CWORD=1\n"
        "_pumpfield_cli; printf '%s\\n' \"${COMPREPLY[@]}\" | sort | paste -sd ' ' >offered.txt\n";
    WriteFileBytes("complete.sh", script);
    ASSERT_EQ(std::system("bash complete.sh"), 0);
    EXPECT_EQ(ReadFileBytes("offered.txt"), row.offered + std::string("\n"));
  }
}
