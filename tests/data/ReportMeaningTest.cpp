// What a report's figures stand for, read from the reports of the examples.
#include "data/ReportMeaning.h"
#include "core/TextFile.h"

#include <gtest/gtest.h>

namespace {
ReportContent Example(const std::string& name) {
  return ParseReportLines(
      TextReader(std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name).ReadLines());
}
} // namespace

TEST(ReportMeaning, AchievedDepthAndSquareShareRechargeWhereTheReportHasThem) {
  const struct {
    const char* report;
    std::optional<double> achieved, squareShare, discharge;
  } rows[] = {
      {"spacing-loam-over-sand.out", 1.5, std::nullopt, 32.0},
      // Q = 31.4 printed to 0.1 is closer than R = 0.00156 to 0.00001: Q/S² = 31.4 / 160².
      {"discharge-loam-over-sand.out", 2.5 - 0.9997, 31.4 / (160.0 * 160.0), 31.4},
      {"conductivity-observed-field.out", 1.4, std::nullopt, 28.8},
      {"field-rectangular.out", std::nullopt, std::nullopt, 59.4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const ReportContent report = Example(row.report);
    EXPECT_EQ(AchievedMidwayDepth(report), row.achieved);
    EXPECT_EQ(SquareShareRecharge(report), row.squareShare);
    EXPECT_EQ(WellDischargeOfReport(report), row.discharge);
  }
  ReportContent withoutTables = Example("spacing-loam-over-sand.out");
  withoutTables.profiles.clear();
  EXPECT_EQ(AchievedMidwayDepth(withoutTables), std::nullopt);
  EXPECT_EQ(SquareShareRecharge(ReportContent()), std::nullopt);
}

// The tables print X as 0.855 of the distance (0.885 in a field's), except a spacing table's
// closing row, printed at the midway point itself.
TEST(ReportMeaning, HeadDistancesUndoThePrintedShareOfTheDistance) {
  EXPECT_EQ(HeadDistances(Aim::Spacing, {0.855, 51.66}), (std::vector<double>{1, 51.66}));
  EXPECT_EQ(HeadDistances(Aim::Discharge, {0.855, 68.4}),
            (std::vector<double>{0.855 / 0.855, 68.4 / 0.855}));
  EXPECT_EQ(HeadDistances(Aim::FieldDepths, {0.885}), (std::vector<double>{1}));
  EXPECT_TRUE(HeadDistances(Aim::Spacing, {}).empty());
}
