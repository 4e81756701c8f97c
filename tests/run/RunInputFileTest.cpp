#include "run/RunInputFile.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/UQuiston.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace {
std::string Input(const std::string& aim, const std::string& numbers) {
  return "t1\r\nt2\r\nFile Name: x\r\n" + aim + "\r\n" + numbers + "\r\n";
}

const std::string kSpacing = Input("Spa", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5");

std::string ErrorListOf(const std::string& message) {
  return " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\r\n\r\n" + message +
         "\r\n\r\nPlease correct the errors.\r\n";
}

std::vector<std::string> FolderListing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct RunInputFileTest : ::testing::Test {
  ScriptedServices services;
  TempDir dir;
  Engine engine{services};

  RunOutcome Run(const std::string& text) {
    WriteFileBytes("a.inp", text);
    return RunInputFile(engine, dir.file("a.inp"));
  }
};
} // namespace

TEST_F(RunInputFileTest, ValuesTheWindowWouldNotSaveAreInputErrors) {
  const struct {
    std::string input, message;
  } rows[] = {
      {Input("Dis", "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 0"),
       " Take care that S, or Sa and Sb, are larger than 2W."},
      {Input("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 -40 -30"),
       " Data cannot be negative."},
      {Input("Spa", "0.00004 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5"),
       " R would be saved as 0.0000."},
      {Input("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 123456789012 2.5 100 60"),
       " Kb2 would be saved as 123456789012.00."},
      {Input("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 60 100"),
       " Make sure that Sa >= Sb."},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Run(row.input).status, RunStatus::InputErrors) << row.message;
    EXPECT_EQ(ReadFileBytes("Error.lst"), ErrorListOf(row.message));
    EXPECT_FALSE(FileExists("a.out"));
  }
}

TEST_F(RunInputFileTest, AFileCutShortIsCorruptNamingTheFirstMissingValue) {
  const struct {
    std::string input, missing;
  } rows[] = {
      {Input("Spa", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5"), "value 13 (Dm)"},
      {Input("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 100"), "value 14 (Sb)"},
      {Input("Con", "0.002 1.2 10"), "value 4 (Dw)"},
  };
  for (const auto& row : rows) {
    const RunOutcome outcome = Run(row.input);
    EXPECT_EQ(outcome.status, RunStatus::BadInputFile) << row.missing;
    EXPECT_EQ(outcome.errorText, "Real numbers in the inputfile \"" + dir.file("a.inp") +
                                     "\" are corrupt\nThe file ends before " + row.missing + ".");
    EXPECT_FALSE(FileExists("a.out"));
  }
  // Values an aim does not read may be left out.
  EXPECT_EQ(Run(Input("Con", "0.002 1.2 10 3 8 0.5 0.3 100")).status, RunStatus::ReportWritten);
}

TEST_F(RunInputFileTest, RunsWhoseStepsCannotBeCountedAreRefusedUpFront) {
  const struct {
    std::string input, message;
  } rows[] = {
      {Input("Spa", "0.003 4 18 2.5 20 0.2 50000 0.8 0.6 0.15 8 2.5 1.5"),
       " Make sure that W < 42949 m: with W = 50000.00 m the run needs more integration steps "
       "than it can count."},
      {Input("Dis", "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 42950"),
       " Make sure that S < 42949 m: with S = 42950.00 m the run needs more integration steps "
       "than it can count."},
      {Input("Con", "0.003 1.5 18 2.5 12 0.2 0.3 500000"),
       " Make sure that S < 42949 m: with S = 500000.00 m the run needs more integration steps "
       "than it can count."},
      {Input("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 4.3e7 1"),
       " Make sure that the diagonal of Sa and Sb is below 42949672 m: with Sa = 43000000.00 m "
       "and Sb = 1.00 m the run needs more integration steps than it can count."},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Run(row.input).status, RunStatus::InputErrors) << row.message;
    EXPECT_EQ(ReadFileBytes("Error.lst"), ErrorListOf(row.message));
  }
  // The largest spacing whose fine pass still fits is accepted.
  engine.DMPumpfield.InputFileName = "a.inp";
  WriteFileBytes("a.inp", Input("Dis", "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 42949.67"));
  CheckDischargeInput(engine);
  EXPECT_EQ(StepCountProblem(engine, Aim::Discharge), "");
}

TEST_F(RunInputFileTest, LongRunsShowARisingPercentDone) {
  engine.RunProgress.quietTime = std::chrono::milliseconds(0);
  const RunOutcome run = Run(Input("Dis", "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 100"));
  EXPECT_EQ(run.status, RunStatus::ReportWritten);
  ASSERT_GE(services.percents.size(), 2u);
  EXPECT_TRUE(std::is_sorted(services.percents.begin(), services.percents.end(),
                             [](int a, int b) { return a <= b; }));
  EXPECT_EQ(services.percents.back(), 100);
}

TEST_F(RunInputFileTest, AReportThatIsTheInputFileIsNotWritten) {
  for (const bool symbolic : {true, false}) {
    std::filesystem::remove("a.out");
    WriteFileBytes("a.inp", kSpacing);
    if (symbolic)
      std::filesystem::create_symlink("a.inp", "a.out");
    else
      std::filesystem::create_hard_link("a.inp", "a.out");
    const RunOutcome run = RunInputFile(engine, dir.file("a.inp"));
    EXPECT_EQ(run.status, RunStatus::BadInputFile);
    EXPECT_NE(run.errorText.find("is the input file"), std::string::npos) << run.errorText;
    EXPECT_EQ(ReadFileBytes("a.inp"), kSpacing);
  }
}

TEST_F(RunInputFileTest, AReportThatCannotBeWrittenLeavesTheOldOne) {
  WriteFileBytes("a.inp", kSpacing);
  WriteFileBytes("a.out", "the old report");
  // A file-size limit below the report's size makes its writes fail as on a full disk.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous;
  ::getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const RunOutcome run = RunInputFile(engine, dir.file("a.inp"));
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(run.status, RunStatus::BadInputFile);
  EXPECT_NE(run.errorText.find("a.out\" could not be written: File too large"), std::string::npos)
      << run.errorText;
  EXPECT_EQ(ReadFileBytes("a.out"), "the old report");
  EXPECT_EQ(FolderListing(dir.path()), (std::vector<std::string>{"a.inp", "a.out"}));
}

TEST_F(RunInputFileTest, NamesWithControlCharactersAreEchoedEscaped) {
  const std::string folder = dir.file("in\n Output data:\t\x01");
  const std::string visible = dir.path() + "/in\\n Output data:\\t\\x01";
  std::filesystem::create_directory(folder);
  TDMPumpfield dm{&services};
  dm.Title1 = "t1";
  dm.AimCode = "Spa";
  dm.Params = {0.003, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 1.5, 0};
  ASSERT_TRUE(dm.SaveInputFile(folder + "/a.inp"));
  EXPECT_EQ(ReadFileBytes(folder + "/a.inp").substr(6, visible.size() + 19),
            "File Name: " + visible + "/a.inp\r\n");

  ASSERT_EQ(RunInputFile(engine, folder + "/a.inp").status, RunStatus::ReportWritten);
  const std::string report = ReadFileBytes(folder + "/a.out");
  EXPECT_NE(report.find("\r\n Name of input file used:  " + visible +
                        "/a.inp\r\n"
                        " Name of this output file: " +
                        visible + "/a.out\r\n"),
            std::string::npos);
  EXPECT_NO_THROW(dm.LoadGraphData(folder + "/a.out"));
  EXPECT_GT(dm.Count1, 0);
}
