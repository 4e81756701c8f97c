#include "run/RunCalculation.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "calc/Engine.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

namespace {
// Records what the run control asks of the window, in order.
class RecordingWindow : public RunWindow {
public:
  std::vector<std::string> calls;
  bool runHadErrors = false;
  bool outputShown = true;
  void ShowAndClearWaitMemo() override { calls.push_back("show memo"); }
  void HideWaitMemo() override { calls.push_back("hide memo"); }
  void HideFigures() override { calls.push_back("hide figures"); }
  void SetOutputShown(bool shown) override { outputShown = shown; }
  void SetRunHadErrors(bool hadErrors) override { runHadErrors = hadErrors; }
  void ActivateOutputSheet() override { calls.push_back("output sheet"); }
};

// A small, quick rectangular-field situation; `r` = 0 makes it an input error.
const std::string kFieldInput = "Field\r\nsmall\r\nFile Name: x\r\n%CODE%\r\n"
                                "    %R%      2.00     10.00      3.00      8.00      0.50"
                                "      0.30      1.00      2.00    0.5000      5.00    1.0000"
                                "     12.00      8.00\r\n";

struct RunTest : ::testing::Test {
  ScriptedServices services;
  TempDir dir;
  Engine engine{services};
  TDMPumpfield& dm = engine.DMPumpfield;
  RecordingWindow window;

  void SaveInput(const std::string& code, const std::string& r) {
    std::string text = kFieldInput;
    text.replace(text.find("%CODE%"), 6, code);
    text.replace(text.find("%R%"), 3, r);
    dm.InputFileName = dir.file("field.inp");
    dm.AimCode = code;
    WriteFileBytes(dm.InputFileName, text);
  }
};
} // namespace

TEST_F(RunTest, RunWithoutErrorsWritesTheReportWithProgressAndPauses) {
  for (const char* code : {"Hyd", "Hydr"}) {
    services.progress.clear();
    services.pauses.clear();
    SaveInput(code, "0.0020");
    WriteFileBytes("Error.lst", "stale");
    window.runHadErrors = true;
    RunCalculation(engine, window);
    EXPECT_FALSE(window.runHadErrors);
    EXPECT_TRUE(engine.Flags.RunAttempted);
    EXPECT_FALSE(FileExists("Error.lst"));
    EXPECT_TRUE(FileExists(dir.file("field.out"))) << code;
    EXPECT_TRUE(FileExists(dir.file("field.inp")));
    EXPECT_EQ(
        services.progress,
        (std::vector<std::string>{" Saving data .....", " Progress 25% ....", " Calculating .....",
                                  " Please wait .....", " Progressing .....", " Almost done .....",
                                  " Writing output .."}));
    EXPECT_EQ(services.pauses, (std::vector<int>{500, 500, 500, 500, 1000, 1000, 1000}));
    for (const std::string& line : services.progress)
      EXPECT_EQ(line.size(), 18u) << line;
  }
  EXPECT_EQ(window.calls, (std::vector<std::string>{"show memo", "show memo"}));
}

TEST_F(RunTest, RunWithInputErrorsShowsTheListAndDeletesTheInputFile) {
  SaveInput("Hydr", "0.0000");
  RunCalculation(engine, window);
  EXPECT_TRUE(window.runHadErrors);
  EXPECT_FALSE(window.outputShown);
  EXPECT_TRUE(engine.Flags.RunAttempted);
  EXPECT_FALSE(FileExists(dir.file("field.inp")));
  EXPECT_FALSE(FileExists(dir.file("field.out")));
  EXPECT_NE(ReadFileBytes("Error.lst").find(" Make sure that R > 0."), std::string::npos);
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"show memo", "hide figures", "hide memo", "output sheet"}));
  EXPECT_EQ(services.progress,
            (std::vector<std::string>{" Saving data .....", " Progress 25% ...."}));
  EXPECT_EQ(services.pauses, (std::vector<int>{500, 500}));
}

TEST_F(RunTest, ARunWhoseStepsCannotBeCountedShowsItsErrorList) {
  SaveInput("Hydr", "0.0020");
  std::string text = ReadFileBytes(dm.InputFileName);
  text.replace(text.find("     12.00      8.00"), 20, " 43000000.00      8.00");
  WriteFileBytes(dm.InputFileName, text);
  RunCalculation(engine, window);
  EXPECT_TRUE(window.runHadErrors);
  EXPECT_NE(ReadFileBytes("Error.lst").find(" Make sure that the diagonal of Sa and Sb"),
            std::string::npos);
  EXPECT_FALSE(FileExists(dir.file("field.out")));
}

TEST_F(RunTest, CorrectedRunAfterAnErrorRunClearsTheErrorFlag) {
  SaveInput("Hydr", "0.0000");
  RunCalculation(engine, window);
  ASSERT_TRUE(window.runHadErrors);
  SaveInput("Hydr", "0.0020");
  RunCalculation(engine, window);
  EXPECT_FALSE(window.runHadErrors);
  EXPECT_TRUE(FileExists(dir.file("field.out")));
}

TEST_F(RunTest, UnknownAimCodeGivesOneMessageAndRunsNothing) {
  SaveInput("hydr", "0.0020");
  RunCalculation(engine, window);
  EXPECT_EQ(services.messages,
            (std::vector<std::string>{
                "The run file could not be found or opened.  No calculations were made."}));
  EXPECT_FALSE(engine.Flags.RunAttempted);
  EXPECT_EQ(services.progress,
            (std::vector<std::string>{" Saving data .....", " Progress 25% ...."}));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"show memo"}));
  EXPECT_FALSE(FileExists("Error.lst"));
}

TEST_F(RunTest, ErrorListThatCannotBeReadStopsTheErrorBranch) {
  SaveInput("Hydr", "0.0000");
  EXPECT_THROW(ShowRunErrors(engine, window), InputOutputError);
  EXPECT_TRUE(window.calls.empty());
  EXPECT_FALSE(window.runHadErrors);
  EXPECT_TRUE(FileExists(dm.InputFileName));
}

namespace {
// Sets the engine's cancel flag once the run shows `line`.
class CancelAtLine : public ScriptedServices {
public:
  explicit CancelAtLine(std::string line) : line_(std::move(line)) {}
  void AppendProgress(const std::string& line) override {
    ScriptedServices::AppendProgress(line);
    if (line == line_)
      cancel = true;
  }
  std::atomic<bool> cancel{false};

private:
  std::string line_;
};

// Saves the quick rectangular-field situation for `engine`; returns the file's text.
std::string SaveQuickField(Engine& engine, TempDir& dir) {
  std::string text = kFieldInput;
  text.replace(text.find("%CODE%"), 6, "Hydr");
  text.replace(text.find("%R%"), 3, "0.0020");
  engine.DMPumpfield.InputFileName = dir.file("field.inp");
  engine.DMPumpfield.AimCode = "Hydr";
  WriteFileBytes(engine.DMPumpfield.InputFileName, text);
  return text;
}
} // namespace

TEST(RunCancel, ACancelLeavesTheOldReportAndErrorListUnlessTheNewReportIsInPlace) {
  struct Row {
    const char* line;
    bool errorListKept; // cancelled before the check step wrote one
    bool stopped;       // false: the report was already in place, the run ends normally
  };
  for (const Row& row :
       {Row{" Saving data .....", true, true}, Row{" Progress 25% ....", true, true},
        Row{" Please wait .....", false, true}, Row{" Progressing .....", false, true},
        Row{" Almost done .....", false, true}, Row{" Writing output ..", false, false}}) {
    SCOPED_TRACE(row.line);
    TempDir dir;
    CancelAtLine services(row.line);
    Engine engine(services);
    engine.RunProgress.cancel = &services.cancel;
    const std::string text = SaveQuickField(engine, dir);
    WriteFileBytes("field.out", "old report");
    WriteFileBytes("Error.lst", "old list");
    RecordingWindow window;

    if (!row.stopped) {
      RunCalculation(engine, window);
      EXPECT_NE(ReadFileBytes("field.out"), "old report");
      continue;
    }
    EXPECT_THROW(RunCalculation(engine, window), RunCancelled);
    EXPECT_EQ(ReadFileBytes("field.out"), "old report");
    EXPECT_EQ(ReadFileBytes("field.inp"), text);
    EXPECT_EQ(FileExists("Error.lst"), row.errorListKept);
    if (row.errorListKept) {
      EXPECT_EQ(ReadFileBytes("Error.lst"), "old list");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}),
              row.errorListKept ? 3 : 2);
    EXPECT_EQ(engine.Flags.RunAttempted, !row.errorListKept);
  }
}
