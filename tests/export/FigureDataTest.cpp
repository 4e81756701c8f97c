// What the figures and the calculation sheet read from a report: the results of each aim, the
// check of the input file beside it, and the axes the charts fit.
#include "export/FigureData.h"
#include "GoldenFiles.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "export/InputCheck.h"
#include "export/PrintChart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
ReportContent Report(const std::string& path) {
  std::string error;
  const std::optional<ReportContent> report = ReadReport(path, error);
  EXPECT_TRUE(report) << error;
  return report.value_or(ReportContent());
}

class ExampleReport : public testing::TestWithParam<std::string> {};
} // namespace

// Every example: the results the figures need, one per profile, as the report states them; and
// the input file beside the report holds the report's inputs.
TEST_P(ExampleReport, ResultsOfItsAimAndItsOwnInputFileMatches) {
  const std::string report = ChangeFileExt(GetParam(), ".out");
  const ReportContent content = Report(report);
  const FigureData data = FigureDataOfReport(content);
  ASSERT_TRUE(data.aim);
  const size_t profiles = data.aim == Aim::FieldDepths ? 3 : 1;
  EXPECT_EQ(data.profiles.size(), profiles);
  EXPECT_EQ(data.midwayHeads.size(), profiles);
  ASSERT_EQ(data.midwayDepths.size(), profiles);
  // The depth is Dw less the head, to the report's rounding.
  EXPECT_NEAR(data.midwayDepths[0], *data.Input("Dw") - data.midwayHeads[0], 0.0011);
  EXPECT_TRUE(data.discharge);
  EXPECT_EQ(data.spacing.has_value(), data.aim == Aim::Spacing);
  EXPECT_EQ(data.conductivity.has_value(), data.aim == Aim::Conductivity);
  ASSERT_TRUE(data.MidwayDistance(profiles - 1));
  const double last = data.profiles.back().x.back();
  // The tables' last distance lies a little before the midway point or on it.
  EXPECT_LE(last, *data.MidwayDistance(profiles - 1) + 0.005);
  EXPECT_GT(last, *data.MidwayDistance(profiles - 1) * 0.8);

  const InputCheck check = CheckInputBeside(content, report);
  EXPECT_EQ(check.outcome, InputCheck::Outcome::Matches);
  EXPECT_TRUE(check.differences.empty()) << check.differences.front();
}

INSTANTIATE_TEST_SUITE_P(Reports, ExampleReport, testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return GoldenTestName(info.param); });

// An input file that differs from the report is told apart from one whose permeabilities the
// check of the calculation set to 0, as the report prints them.
TEST(InputCheck, TellsWhatDiffersAndWhatTheCalculationChanged) {
  TempDir dir;
  const std::string data = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/";
  const std::string input = ReadFileBytes(data + "spacing-loam-over-sand.inp");
  std::string report = ReadFileBytes(data + "spacing-loam-over-sand.out");
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  // Kv1 at the recharge: the calculation takes Kb1 and Kb2 as 0 and prints them so.
  const std::string clearedInput = replaced(input, "    0.1500", "    0.0030");
  std::string clearedReport = replaced(
      replaced(replaced(report, "0.1500\r\n", "0.0030\r\n"), "     0.600\r\n", "     0.000\r\n"),
      "     8.000\r\n", "     0.000\r\n");
  const struct {
    std::string input, report;
    InputCheck::Outcome outcome;
    std::vector<std::string> differences;
  } rows[] = {
      {clearedInput, clearedReport, InputCheck::Outcome::Matches, {}},
      {input,
       clearedReport,
       InputCheck::Outcome::Differs,
       {"Kb1 is 0.600 in the input file and 0.000 in the report",
        "Kv1 is 0.1500 in the input file and 0.0030 in the report",
        "Kb2 is 8.000 in the input file and 0.000 in the report"}},
      {replaced(input, "\r\nSpa\r\n", "\r\nDis\r\n"),
       report,
       InputCheck::Outcome::Differs,
       {"the input file is for Well discharge, the report for Well spacing"}},
      {replaced(input, "\r\nSpa\r\n", "\r\nSpx\r\n"), report, InputCheck::Outcome::Unreadable, {}},
      {replaced(input, "     12.00", "     1x.00"), report, InputCheck::Outcome::Unreadable, {}},
  };
  for (const auto& row : rows) {
    WriteFileBytes("case.inp", row.input);
    WriteFileBytes("case.out", row.report);
    const InputCheck check = CheckInputBeside(Report("case.out"), dir.file("case.out"));
    EXPECT_EQ(check.outcome, row.outcome);
    EXPECT_EQ(check.differences, row.differences);
  }
}

TEST(ChartAxis, StepsOfOneTwoTwoAndAHalfOrFiveNearTheAskedIntervals) {
  const struct {
    double min, max;
    int intervals;
    bool exactEnds;
    double low, high, step;
    int decimals;
  } rows[] = {
      {0, 3.24, 6, false, 0, 3.5, 0.5, 1},    {0, 51.66, 8, true, 0, 51.66, 10, 0},
      {0, 1.1, 6, false, 0, 1.2, 0.2, 1},     {0, 9, 2, false, 0, 10, 2.5, 1},
      {-0.3, 2.7, 6, false, -0.5, 3, 0.5, 1}, {2, 12, 6, false, 2, 12, 2, 0},
      {5, 5, 5, false, 4.4, 5.6, 0.2, 1},
  };
  for (const auto& row : rows) {
    const ChartAxis axis = ChartAxis::Fitted(row.min, row.max, row.intervals, row.exactEnds);
    EXPECT_DOUBLE_EQ(axis.low, row.low) << row.max;
    EXPECT_DOUBLE_EQ(axis.high, row.high) << row.max;
    EXPECT_DOUBLE_EQ(axis.step, row.step) << row.max;
    EXPECT_EQ(axis.decimals, row.decimals) << row.max;
    EXPECT_DOUBLE_EQ(axis.TickValues().front(), std::ceil(row.low / row.step) * row.step);
  }
}
