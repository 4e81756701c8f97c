#include "CliTestSupport.h"
#include "TempDir.h"
#include "cli/Commands.h"
#include "cli/StudyTerminal.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <sstream>
#include <sys/wait.h>

namespace {
CliRun Sweep(const std::vector<std::string>& arguments) { return Call("sweep", arguments); }

const char* const kSpacing = PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp";
} // namespace

TEST(Sweep, TableHasARowPerPointTheSameForAnyNumberOfWorkers) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  const std::string expected =
      "Kb2 (m/day),Dm (m),status,spacing (m),first error message\n"
      "4,1.5,ok,91.19,\n"
      "4,3,input-errors,,Make sure that Dm < Dw.\n"
      "6,1.5,ok,98.62,\n"
      "6,3,input-errors,,Make sure that Dm < Dw.\n"
      "8,1.5,ok,103.33,\n" // the example's own values: its report gives 103.33 m
      "8,3,input-errors,,Make sure that Dm < Dw.\n";
  for (const char* workers : {"-j1", "-j2"}) {
    const CliRun run = Sweep({"case.inp", "--vary", "Kb2=4:8:3", "--vary", "Dm=1.5,3", workers});
    EXPECT_EQ(run.status, kExitReportWritten) << run.err;
    EXPECT_EQ(run.out, expected) << workers;
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(ReadFileBytes("case.inp"), ReadFileBytes(kSpacing));
  EXPECT_FALSE(FileExists("case.out"));
  EXPECT_FALSE(FileExists("Error.lst"));
}

TEST(Sweep, RefusedArgumentsAndUnreadableInput) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char* message;
  } rows[] = {
      {{"case.inp", "--vary", "Sa=10,20"},
       kExitUsage,
       "\"Sa\" is no input of the aim \"Spa\"; its inputs are R, D1, D2, Dw, Db, E, W, Ka, Kb1, "
       "Kv1, Kb2, Kv2, Dm\n"},
      {{"case.inp", "--vary", "Dm=1:2:200", "--vary", "R=0.001:0.002:51"},
       kExitUsage,
       "more than 10000 points"},
      {{"case.inp"}, kExitUsage, "--vary is required"},
      {{"case.inp", "--vary", "Dm=1", "--plot", "p.bmp"}, kExitUsage, "name it .png, .svg or .pdf"},
      {{"case.inp", "--vary", "Dm=1", "--plot", "p.svg", "--scale", "2"},
       kExitUsage,
       "--scale sizes a PNG plot"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "./case.inp"}, kExitUsage, "is the input file"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "case.out"}, kExitUsage, "the input file's report"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "case.err"},
       kExitUsage,
       "the input file's error list"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "Error.lst"}, kExitUsage, "the error list of a run"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "none/t.csv"},
       kExitBadInputFile,
       "none/t.csv\" could not be written: No such file or directory"},
      {{"case.inp", "--vary", "Dm=1", "--csv", "t.csv", "--plot", "none/p.svg"},
       kExitBadInputFile,
       "none/p.svg\" could not be written: No such file or directory"},
      {{"none.inp", "--vary", "Dm=1"}, kExitBadInputFile, "could not be opened"},
  };
  for (const auto& row : rows) {
    const CliRun run = Sweep(row.arguments);
    EXPECT_EQ(run.status, row.status) << row.arguments.back();
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadFileBytes("case.inp"), ReadFileBytes(kSpacing));
  EXPECT_FALSE(FileExists("t.csv")); // refused before the first point was run

  // A damaged input file is the user's, not a program error.
  WriteFileBytes("short.inp", WithNumbers("Spa", "0.003 4 18"));
  WriteFileBytes("code.inp",
                 WithNumbers("spa", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5"));
  for (const auto& [input, message] :
       {std::pair{"short.inp", "are corrupt\nThe file ends before value 4 (Dw).\n"},
        std::pair{"code.inp", "is corrupt\n"}}) {
    const CliRun run = Sweep({input, "--vary", "Dm=1"});
    EXPECT_EQ(run.status, kExitBadInputFile) << input;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("program error"), std::string::npos) << run.err;
  }
}

// A table whose file cannot be written once every point is computed goes to standard output.
TEST(Sweep, ATableThatCannotBeWrittenAfterTheRunsIsPrinted) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  // No file may grow: the check before the runs passes, the write after them fails.
  const std::string command = "bash -c \"trap '' XFSZ; (ulimit -f 0; exec " PUMPFIELD_CLI
                              " sweep case.inp --vary Dm=1.5,3 --csv t.csv) 2>&1 | cat >out.txt\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string printed = ReadFileBytes("out.txt");
  EXPECT_NE(printed.find("t.csv\" could not be written"), std::string::npos) << printed;
  EXPECT_NE(printed.find("Dm (m),status,spacing (m),first error message\n1.5,ok,103.33,\n"),
            std::string::npos)
      << printed;
}

// In each format, with units on the axes and in the legend, the title in words, and the
// points whose runs failed as hollow markers with a note.
TEST(Sweep, PlotIsWrittenAsPngSvgOrPdf) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  for (const std::string plot : {"plot.png --scale 2", "plot.svg", "plot.pdf"}) {
    const std::string command = std::string(PUMPFIELD_CLI) +
                                " sweep case.inp --vary Kb2=4:8:3 --vary Dm=1.5,2.6 --csv t.csv "
                                "--plot " +
                                plot + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFileBytes("err.txt");
  }
  EXPECT_EQ(QImage("plot.png").size(), QSize(2 * 623, 2 * 465));
  EXPECT_EQ(ReadFileBytes("plot.pdf").substr(0, 5), "%PDF-");
  const std::string svg = ReadFileBytes("plot.svg");
  for (const char* text :
       {"<svg", ">Horizontal permeability of layer 2, Kb2 (m/day)<", ">Well spacing, S (m)<",
        ">Dm = 1.5 m<",
        ">Well spacing against horizontal permeability of layer 2 Kb2, one line "
        "per value of Dm<",
        ">Hollow markers: 3 runs without a converged result; 3 with no result at all, on the "
        "lower axis.<",
        "viewBox=\"0 0 623 465\""})
    EXPECT_NE(svg.find(text), std::string::npos) << text;
}

TEST(Sweep, CheckAddsTheChecksColumnsToEachPoint) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  const CliRun run = Sweep({"case.inp", "--vary", "Dm=1.5,3", "--check"});
  EXPECT_EQ(run.status, kExitReportWritten) << run.err;
  EXPECT_EQ(run.out, "Dm (m),status,spacing (m),first error message,check midway depth (m),check "
                     "difference (% of drawdown),check flag,achieved midway depth (m),recharge "
                     "over square share Q/S^2 (m/day)\n"
                     "1.5,ok,103.33,,1.351,14.9,flagged,1.5000,\n"
                     "3,input-errors,,Make sure that Dm < Dw.,,,,,\n");
}

// The progress line of the studies: redrawn a few times for a burst of short runs, always with
// the last count of a known total, and without a total it counts the runs so far.
TEST(ProgressLine, ABurstOfRunsIsDrawnAFewTimesAndEndsOnItsTotal) {
  for (const size_t total : {size_t(400), size_t(0)}) {
    std::ostringstream err;
    {
      ProgressLine progress(err, true, total);
      for (size_t done = 1; done <= 400; ++done)
        progress.Done(done);
    }
    const std::string text = err.str();
    const auto redraws = std::count(text.begin(), text.end(), '\r');
    EXPECT_LE(redraws, 4) << text; // the first run, perhaps one more, and the clearing
    EXPECT_NE(text.find(total ? "400/400 runs done" : "1 run done"), std::string::npos) << text;
  }
}
