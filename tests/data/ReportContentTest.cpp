// The one reader of reports on the report of every example and golden case, one of each aim at
// least: what it gives must be what the table of aims names for the aim of the input file, and
// what the graph's reading takes from the same report.
#include "data/ReportContent.h"
#include "GoldenFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

namespace {
class ReportOfExample : public ::testing::TestWithParam<std::string> {};

// The check step of a layered aim sets Kb1 and Kb2 to 0 when Kv1 or Kv2 is too small for the
// recharge, and the report shows them so.
bool ZeroedByTheCheck(const ReportInput& input) {
  return (input.symbol == "Kb1" || input.symbol == "Kb2") && input.number == 0;
}
} // namespace

TEST_P(ReportOfExample, GivesTheInputsProfilesAndResultsOfItsAim) {
  ScriptedServices services;
  const std::string inputName = GetParam();
  const std::string reportName = ChangeFileExt(inputName, ".out");
  TDMPumpfield input;
  input.InputFileName = inputName;
  input.LoadInputFile();
  const AimDefinition* aim = AimDefinitionOfCode(input.AimCode);
  ASSERT_TRUE(aim) << input.AimCode;

  const ReportContent report = ParseReportLines(TextReader(reportName).ReadLines());
  EXPECT_EQ(report.aim, aim->aim);
  EXPECT_EQ(report.title1, input.Title1);
  EXPECT_EQ(report.title2, input.Title2);
  EXPECT_EQ(ExtractFileName(report.inputFile), ExtractFileName(inputName));
  EXPECT_EQ(ExtractFileName(report.reportFile), ExtractFileName(reportName));

  ASSERT_EQ(report.inputs.size(), aim->inputs.size());
  for (size_t i = 0; i < aim->inputs.size(); ++i) {
    const ReportInput& printed = report.inputs[i];
    const AimInput& defined = aim->inputs[i];
    EXPECT_EQ(printed.symbol, defined.symbol);
    EXPECT_EQ(printed.name, defined.name);
    EXPECT_EQ(printed.unit, defined.unit);
    EXPECT_EQ(printed.position, defined.position);
    if (!ZeroedByTheCheck(printed)) {
      EXPECT_EQ(printed.number, input.Params[defined.position - 1]) << printed.symbol;
    }
  }

  EXPECT_EQ(report.results.size(), aim->results.size());
  for (const AimResult& defined : aim->results) {
    const ReportResult* printed = report.Result(defined.symbol);
    ASSERT_NE(printed, nullptr) << defined.symbol << " of " << aim->code;
    EXPECT_EQ(printed->unit, defined.unit);
  }
  EXPECT_EQ(!report.note.empty(), reportName.find("-bound") != std::string::npos) << report.note;

  TDMPumpfield graph;
  graph.LoadGraphData(reportName);
  const std::vector<std::vector<const DataSetR*>> tables = {
      {&graph.Table1X, &graph.Table1F, &graph.Table1G},
      {&graph.Table2X, &graph.Table2F, &graph.Table2G},
      {&graph.Table3X, &graph.Table3F, &graph.Table3G}};
  ASSERT_EQ(report.profiles.size(), aim->aim == Aim::FieldDepths ? 3u : 1u);
  for (size_t t = 0; t < report.profiles.size(); ++t) {
    const ReportProfile& profile = report.profiles[t];
    EXPECT_NE(profile.endLine, ReportProfile::kNone);
    EXPECT_EQ(profile.badLine, ReportProfile::kNone);
    EXPECT_EQ(profile.distance, *tables[t][0]);
    EXPECT_EQ(profile.head, *tables[t][1]);
    EXPECT_EQ(profile.gradient, *tables[t][2]);
    EXPECT_EQ(profile.rows.size(), profile.distance.size());
  }
  EXPECT_TRUE(services.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Examples, ReportOfExample, ::testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return GoldenTestName(info.param); });

// A report cut short by an arithmetic error, and one with an unreadable row: the reader keeps
// what can be read and marks the table; the exports refuse such a report by name.
TEST(ReportContent, TablesThatCannotBeReadWholeAreMarked) {
  std::vector<std::string> lines =
      TextReader(PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.out").ReadLines();
  size_t marker = 0;
  while (!IsTableMarker(lines[marker]))
    ++marker;
  const std::vector<std::string> cut(lines.begin(), lines.begin() + marker + 4);
  const ReportContent partial = ParseReportLines(cut);
  EXPECT_EQ(partial.aim, Aim::Spacing);
  EXPECT_EQ(partial.inputs.size(), 13u);
  ASSERT_EQ(partial.profiles.size(), 1u);
  EXPECT_EQ(partial.profiles[0].distance.size(), 3u);
  EXPECT_EQ(partial.profiles[0].endLine, ReportProfile::kNone);
  EXPECT_TRUE(partial.results.empty());
  std::string error;
  EXPECT_FALSE(ParseReport(cut, "cut.out", error));
  EXPECT_NE(error.find("\"cut.out\" is not an output report whose tables can be read: a table "
                       "has no end line"),
            std::string::npos)
      << error;

  std::vector<std::string> field =
      TextReader(PUMPFIELD_SOURCE_DIR "/Data/field-rectangular.out").ReadLines();
  size_t third = field.size();
  while (!IsTableMarker(field[--third]))
    ;
  field.resize(third + 3);
  const ReportContent cutField = ParseReportLines(field);
  ASSERT_EQ(cutField.profiles.size(), 3u);
  EXPECT_EQ(cutField.profiles[2].endLine, ReportProfile::kNone);
  EXPECT_EQ(cutField.Result("Dmb")->figure, "0.644");
  EXPECT_EQ(cutField.note, ""); // what follows the second table is no note

  lines[marker + 2] = "  0.17    0,6962    0.3851";
  const ReportContent bad = ParseReportLines(lines);
  EXPECT_EQ(bad.profiles[0].badLine, marker + 2);
  EXPECT_EQ(bad.profiles[0].distance.size(), 1u);
  EXPECT_NE(bad.profiles[0].endLine, ReportProfile::kNone);
  EXPECT_NE(bad.Result("S"), nullptr); // the lines after the table still read
  EXPECT_FALSE(ParseReport(lines, "bad.out", error));
  EXPECT_NE(error.find("line " + std::to_string(marker + 3) + " should hold"), std::string::npos);
}
