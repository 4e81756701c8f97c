// The public interface: a run in memory writes the report a run of the saved file writes, with
// its values and profiles; engines run side by side in threads; a run can be cancelled.
#include "GoldenFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "api/Pumpfield.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "data/ReportContent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {
class ExampleRun : public ::testing::TestWithParam<std::string> {};
} // namespace

TEST_P(ExampleRun, InMemoryRunWritesTheReportOfTheSavedFileWithItsValuesAndProfiles) {
  TempDir dir;
  const std::string name = dir.file(ExtractFileName(GetParam()));
  WriteFileBytes(name, ReadFileBytes(GetParam()));
  const pumpfield::Inputs inputs = pumpfield::ReadInput(name);
  EXPECT_EQ(inputs.fileName, name);

  const pumpfield::Result saved = pumpfield::RunFile(name, "");
  ASSERT_EQ(saved.status, RunStatus::ReportWritten) << saved.errorText;
  const pumpfield::Result memory = pumpfield::Run(inputs);
  ASSERT_EQ(memory.status, RunStatus::ReportWritten) << memory.errorText;
  EXPECT_TRUE(memory.report == ReadFileBytes(ChangeFileExt(name, ".out")));
  EXPECT_TRUE(saved.report == memory.report);
  std::filesystem::remove(ChangeFileExt(name, ".out"));
  EXPECT_EQ(std::filesystem::directory_iterator(dir.path())->path(), name); // nothing written

  // The values and tables as a reader of the report finds them.
  EXPECT_EQ(memory.converged, memory.note.empty());
  WriteFileBytes("again.out", memory.report);
  std::string error;
  const std::optional<ReportContent> content = ReadReport("again.out", error);
  ASSERT_TRUE(content) << error;
  const AimDefinition& aim = AimDefinitionOf(*content->aim);
  EXPECT_EQ(memory.values.size(), aim.results.size());
  for (const AimResult& result : aim.results) {
    ASSERT_TRUE(content->Result(result.symbol)) << result.symbol;
    EXPECT_EQ(memory.Value(result.symbol), content->Result(result.symbol)->number) << result.symbol;
    EXPECT_EQ(memory.Figure(result.symbol), content->Result(result.symbol)->figure);
  }
  const pumpfield::ReportFile read = pumpfield::ReadReport("again.out");
  ASSERT_EQ(read.profiles.size(), memory.profiles.size());
  for (size_t i = 0; i < read.profiles.size(); ++i) {
    EXPECT_EQ(read.profiles[i].name, memory.profiles[i].name);
    EXPECT_EQ(read.profiles[i].x, memory.profiles[i].x);
    EXPECT_EQ(read.profiles[i].head, memory.profiles[i].head);
    EXPECT_EQ(read.profiles[i].gradient, memory.profiles[i].gradient);
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRun, ::testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return GoldenTestName(info.param); });

TEST(PumpfieldApi, InputErrorsAreListedAndNothingIsWritten) {
  TempDir dir;
  pumpfield::Inputs inputs;
  inputs.aimCode = "Con";
  inputs.values = {0, 1.4, 16, 3, 10, -0.1, 0.25, 120};
  inputs.fileName = dir.file("bad.inp");
  const pumpfield::Result result = pumpfield::Run(inputs);
  EXPECT_EQ(result.status, RunStatus::InputErrors);
  EXPECT_EQ(result.errors,
            (std::vector<std::string>{"Make sure that R > 0.", "Make sure that E >= 0."}));
  EXPECT_TRUE(result.report.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_THROW(pumpfield::ReadInput(dir.file("missing.inp")), InputOutputError);
}

// Each thread's engine gives the report of its own inputs, as a lone run does.
TEST(PumpfieldApi, EnginesInTwoThreadsKeepToTheirOwnInputs) {
  std::vector<pumpfield::Inputs> inputs;
  for (const char* name : {"field-rectangular", "spacing-loam-over-sand"})
    inputs.push_back(
        pumpfield::ReadInput(std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name + ".inp"));
  inputs[0].values[12] = 90; // a field that differs from the example
  std::vector<std::string> alone;
  for (const pumpfield::Inputs& input : inputs)
    alone.push_back(pumpfield::Run(input).report);
  std::vector<std::vector<std::string>> together(inputs.size());
  std::vector<std::thread> threads;
  for (size_t i = 0; i < inputs.size(); ++i)
    threads.emplace_back([&, i] {
      for (int run = 0; run < 3; ++run)
        together[i].push_back(pumpfield::Run(inputs[i]).report);
    });
  for (std::thread& thread : threads)
    thread.join();
  for (size_t i = 0; i < inputs.size(); ++i)
    for (const std::string& report : together[i])
      EXPECT_TRUE(report == alone[i]) << i;
  EXPECT_FALSE(alone[0] == alone[1]);
}

namespace {
// Sets the cancel flag when the run announces its fine pass.
class CancelAtFinePass : public ScriptedServices {
public:
  void AppendProgress(const std::string& line) override {
    ScriptedServices::AppendProgress(line);
    cancel = true;
  }
  std::atomic<bool> cancel{false};
};
} // namespace

TEST(PumpfieldApi, ACancelledRunLeavesTheOldReportAndNothingBeside) {
  TempDir dir;
  const std::string input = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/spacing-deep-well.inp";
  WriteFileBytes("deep.inp", ReadFileBytes(input));
  WriteFileBytes("deep.out", "old");
  CancelAtFinePass services;
  pumpfield::RunOptions options;
  options.services = &services;
  options.cancel = &services.cancel;
  EXPECT_THROW(pumpfield::RunFile(dir.file("deep.inp"), "", options), RunCancelled);
  EXPECT_EQ(services.progress, std::vector<std::string>{" Progress 50% ...."});
  EXPECT_EQ(ReadFileBytes("deep.out"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
}
