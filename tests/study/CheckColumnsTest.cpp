// The independent check's cells of a batch summary or sweep table row, from the reports of the
// examples: the check's own figures, and what the report's figures stand for.
#include "study/CheckColumns.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
std::string ReportText(const std::string& name) {
  std::string text;
  for (const std::string& line :
       TextReader(std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name).ReadLines())
    text += line + "\r\n";
  return text;
}

double Number(const std::string& cell) { return TextToFloat(cell, '.').value_or(-1); }
} // namespace

TEST(CheckColumns, GiveTheChecksDepthDifferenceFlagAndWhatTheReportStandsFor) {
  const struct {
    const char* report;
    double midwayDepth, percentOfDrawdown;
    const char* flag;
    const char* achieved; // Dw minus the last head of the first table
  } rows[] = {{"spacing-deep-well.out", 1.766, 1.5, "ok", "1.7999"},
              {"spacing-loam-over-sand.out", 1.351, 14.9, "flagged", "1.5000"},
              {"discharge-loam-over-sand.out", 1.375, 12.5, "flagged", "1.5003"},
              {"conductivity-observed-field.out", 1.227, 10.8, "flagged", "1.4000"},
              // A field's depths are computed, not aimed at; its row is the line of the
              // largest difference.
              {"field-rectangular.out", 0.349, 13.4, "flagged", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const CheckCells cells = CheckCellsOfReport(ReportText(row.report));
    EXPECT_NEAR(Number(cells[0]), row.midwayDepth, 0.002);
    EXPECT_NEAR(Number(cells[1]), row.percentOfDrawdown, 0.2);
    EXPECT_EQ(cells[2], row.flag);
    EXPECT_EQ(cells[3], row.achieved);
    EXPECT_EQ(cells[4].empty(), std::string(row.report) != "discharge-loam-over-sand.out");
  }
  EXPECT_EQ(CheckHeadings().size(), kCheckColumns);
}

// The discharge report prints the intensity R = 0.00156 m/day over the circle of radius S/2 and
// Q = 31.4 m3/day for S = 160 m: over the square S by S the recharge is Q/S², π/4 times R.
TEST(CheckColumns, DischargeReportsGiveTheRechargeOverTheSquareShare) {
  const CheckCells cells = CheckCellsOfReport(ReportText("discharge-loam-over-sand.out"));
  EXPECT_NEAR(Number(cells[4]), 31.4 / (160.0 * 160.0), 0.05 / (160.0 * 160.0));
  EXPECT_NEAR(Number(cells[4]), std::numbers::pi / 4 * 0.00156, std::numbers::pi / 4 * 0.000005);
}

TEST(CheckColumns, TextThatIsNoReportGivesEmptyCells) {
  for (const char* text : {"", "not a report\r\n", " Output data:\r\n  0.13 x\r\n #\r\n"})
    EXPECT_EQ(CheckCellsOfReport(text), CheckCells()) << text;
  // A report whose well the model cannot take (no permeability above the well's water level)
  // keeps the report's own figures and says that it was not checked.
  std::string text = ReportText("spacing-loam-over-sand.out");
  text.replace(text.find("0.800"), 5, "0.000");
  const CheckCells cells = CheckCellsOfReport(text);
  EXPECT_EQ(cells[0], "");
  EXPECT_EQ(cells[2], "not checked");
  EXPECT_EQ(cells[3], "1.5000");
}
