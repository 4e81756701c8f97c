// What a run comes to in a batch summary or a sweep table: the answers of every aim read from
// its report, and the tables written as CSV that a spreadsheet opens safely.
#include "core/Csv.h"
#include "data/ReportContent.h"
#include "study/Batch.h"
#include "study/Sweep.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// The record of a run that printed the report `name`: its results and note as the one reader of
// reports finds them.
RunRecord RecordOfReport(const std::string& name, const std::string& aimCode) {
  std::string error;
  const std::optional<ReportContent> report =
      ReadReport(std::string(PUMPFIELD_SOURCE_DIR) + "/" + name, error);
  pumpfield::Result result;
  result.status = RunStatus::ReportWritten;
  result.aimCode = aimCode;
  for (const ReportResult& printed : report.value().results)
    result.values.push_back({printed.symbol, printed.figure, printed.number});
  result.note = report->note;
  return RecordOfRun(result);
}

RunRecord Record(StudyStatus status, const std::string& message, const std::string& spacing) {
  RunRecord record;
  record.aimCode = "Spa";
  record.status = status;
  record.message = message;
  record.results[static_cast<size_t>(ResultColumn::Spacing)] = spacing;
  return record;
}
} // namespace

TEST(RunRecord, EveryAimGivesItsAnswersAsTheReportPrintsThem) {
  const struct {
    const char* report;
    const char* code;
    std::vector<std::pair<ResultColumn, const char*>> answers;
    StudyStatus status;
  } rows[] = {
      {"Data/spacing-loam-over-sand.out",
       "Spa",
       {{ResultColumn::Spacing, "103.33"}},
       StudyStatus::Ok},
      {"Data/discharge-loam-over-sand.out",
       "Dis",
       {{ResultColumn::Discharge, "31.4"}},
       StudyStatus::Ok},
      {"Data/field-rectangular.out",
       "Hydr",
       {{ResultColumn::DepthLarger, "0.604"},
        {ResultColumn::DepthShorter, "0.644"},
        {ResultColumn::DepthDiagonal, "0.591"}},
       StudyStatus::Ok},
      {"Data/field-shallow-wells.out",
       "Hyd",
       {{ResultColumn::DepthDiagonal, "0.910"}},
       StudyStatus::Ok},
      {"Data/conductivity-observed-field.out",
       "Con",
       {{ResultColumn::Conductivity, "2.043"}},
       StudyStatus::Ok},
      {"tests/fixtures/golden/discharge-upper-bound.out",
       "Dis",
       {{ResultColumn::Discharge, "78.5"}},
       StudyStatus::NotConverged},
      {"tests/fixtures/golden/conductivity-lower-bound.out",
       "Con",
       {{ResultColumn::Conductivity, "0.001"}},
       StudyStatus::NotConverged},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const RunRecord record = RecordOfReport(row.report, row.code);
    EXPECT_EQ(record.status, row.status);
    EXPECT_EQ(record.message.rfind("The required midway watertable depth was not reached: ", 0) ==
                  0,
              row.status == StudyStatus::NotConverged)
        << record.message;
    const std::vector<ResultColumn> answers = ResultsOfAim(*AimOfCode(row.code));
    for (size_t column = 0; column < kResultColumns; ++column) {
      const bool answer =
          std::count(answers.begin(), answers.end(), static_cast<ResultColumn>(column)) > 0;
      EXPECT_EQ(record.results[column].empty(), !answer) << column;
    }
    for (const auto& [column, figure] : row.answers)
      EXPECT_EQ(record.results[static_cast<size_t>(column)], figure);
  }
}

// File names and messages that a spreadsheet would run as formulas get a leading ', in the
// summary and in the sweep table; numbers, also negative ones, stay numbers.
TEST(StudyTables, TextsThatWouldStartAFormulaAreWrittenAsText) {
  RunRecord field;
  field.aimCode = "Hydr";
  field.results[static_cast<size_t>(ResultColumn::DepthDiagonal)] = "-3.622";
  const std::vector<CsvRow> summary = BatchSummary(
      {"=1+2.inp", "field.inp"}, {Record(StudyStatus::InputErrors, "@SUM(1)", ""), field});
  const std::string text = CsvText(summary);
  EXPECT_NE(text.find("\r\n'=1+2.inp,Spa,input-errors,,,,,,,'@SUM(1),0.000\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nfield.inp,Hydr,ok,,,,,-3.622,,,0.000\r\n"), std::string::npos) << text;

  SweepTable sweep;
  sweep.varied = {ParseVaried("Dm=-1,1.5", "Spa")};
  sweep.records = {Record(StudyStatus::NotConverged, "-2+3", "2.00"),
                   Record(StudyStatus::Ok, "+cmd", "103.33")};
  EXPECT_EQ(CsvText(SweepRows(sweep)), "Dm (m),status,spacing (m),first error message\r\n"
                                       "-1,not-converged,2.00,'-2+3\r\n"
                                       "1.5,ok,103.33,'+cmd\r\n");
}

TEST(SweepCurves, OneCurvePerValueOfTheSecondInputAndNoneWithoutVariedInputs) {
  SweepTable sweep;
  sweep.records = {Record(StudyStatus::Ok, "", "50.00")};
  EXPECT_TRUE(SweepCurves(sweep).empty());

  sweep.varied = {ParseVaried("Kb1=1,2", "Spa"), ParseVaried("Dm=1,1.5,2", "Spa")};
  sweep.records.clear();
  for (int point = 0; point < 6; ++point)
    sweep.records.push_back(Record(point == 4   ? StudyStatus::NotConverged
                                   : point == 5 ? StudyStatus::InputErrors
                                                : StudyStatus::Ok,
                                   "", point == 5 ? "" : std::to_string(point)));
  const std::vector<SweepCurve> curves = SweepCurves(sweep);
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_EQ(curves[1].label, "Dm = 1.5 m");
  EXPECT_EQ(curves[1].x, (std::vector<double>{1, 2}));
  EXPECT_EQ(curves[0].y, (std::vector<double>{0, 3}));
  EXPECT_EQ(curves[0].failed, (std::vector<bool>{false, false}));
  // A search that missed its depth keeps its result, marked failed; a run without one has none.
  EXPECT_EQ(curves[1].y, (std::vector<double>{1, 4}));
  EXPECT_EQ(curves[1].failed, (std::vector<bool>{false, true}));
  EXPECT_TRUE(std::isnan(curves[2].y[1]));
  EXPECT_EQ(curves[2].failed, (std::vector<bool>{false, true}));
}
