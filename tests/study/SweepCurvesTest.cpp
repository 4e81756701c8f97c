#include "study/Sweep.h"

#include <gtest/gtest.h>

#include <cmath>

// A curve per value of the second input, labelled with its unit; a run that did not converge
// keeps its result and a failed run has none, both marked as failed.
TEST(SweepCurves, FailedPointsAreMarkedAndKeepTheResultTheyHave) {
  SweepTable table;
  table.aim = Aim::Spacing;
  table.varied = {{{"Kb2", "m/day", 11}, {4, 8}}, {{"Dm", "m", 13}, {1, 2.6}}};
  auto record = [](StudyStatus status, const char* spacing) {
    RunRecord run;
    run.status = status;
    run.results[static_cast<size_t>(ResultColumn::Spacing)] = spacing;
    return std::optional<RunRecord>(run);
  };
  table.records = {record(StudyStatus::Ok, "94.03"), record(StudyStatus::InputErrors, ""),
                   record(StudyStatus::NotConverged, "2.00"), record(StudyStatus::Ok, "111.12")};
  const std::vector<SweepCurve> curves = SweepCurves(table);
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].label, "Dm = 1 m");
  EXPECT_EQ(curves[1].label, "Dm = 2.6 m");
  EXPECT_EQ(curves[0].x, (std::vector<double>{4, 8}));
  EXPECT_EQ(curves[0].y, (std::vector<double>{94.03, 2.00}));
  EXPECT_EQ(curves[0].failed, (std::vector<bool>{false, true}));
  EXPECT_TRUE(std::isnan(curves[1].y[0]));
  EXPECT_EQ(curves[1].y[1], 111.12);
  EXPECT_EQ(curves[1].failed, (std::vector<bool>{true, false}));
}
