#include "CalcTestSupport.h"
#include "calc/UHydrCond.h"
#include "calc/UQuiston.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"
#include "core/Numerics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// R D1 D2 Dw Db E W Ka Kb1 Kv1 Kb2 Kv2 Dm: loam over sand, a spacing of about 100 m.
const std::vector<double> kSpacingInput = {0.003, 4,   18,   2.5, 12,  0.2, 0.3,
                                           0.8,   0.6, 0.15, 8,   2.5, 1.5};

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i] == line)
      return i;
  ADD_FAILURE() << "no line \"" << line << "\"";
  return lines.size();
}

void ExpectReportHead(const std::vector<std::string>& lines, const std::string& inputName,
                      const std::string& kind) {
  ASSERT_GT(lines.size(), 16u);
  EXPECT_EQ(lines[9], "  First title");
  EXPECT_EQ(lines[10], "  Second title");
  EXPECT_EQ(lines[12], " Name of input file used:  " + inputName);
  EXPECT_EQ(lines[13], " Name of this output file: " + ChangeFileExt(inputName, ".out"));
  EXPECT_EQ(lines[15].substr(0, 4), kind);
}
} // namespace

TEST_F(CalcTest, SpacingReportLayoutAndWaterBalance) {
  WriteInput("Spa", kSpacingInput);
  CheckSpacingInput(engine);
  ASSERT_FALSE(InputErrorFlag);
  CalcSpacing(engine);
  const std::string bytes = ReportBytes();
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1); // CR LF line ends
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
            std::count(bytes.begin(), bytes.end(), '\r'));
  const auto lines = ReportLines();
  EXPECT_EQ(lines[0], "");
  ExpectReportHead(lines, data.InputFileName, " Tre");
  EXPECT_EQ(lines[17], " Time average recharge or discharge         R    (m/day) :      0.0030");
  ASSERT_EQ(lines[33], " Output data:");
  const auto rows = TableAfter(lines, 33);
  ASSERT_GE(rows.size(), 5u);
  const size_t end = 34 + rows.size();
  const double spacing = TrailingNumber(lines[end + 1]);
  EXPECT_EQ(lines[end + 1].substr(0, 35), " The well spacing (Darcy,  m) is : ");
  // The closing row sits at the midway point, beyond the last profile row.
  EXPECT_NEAR(rows.back()[0], spacing / 2, 0.006);
  EXPECT_LT(rows[rows.size() - 2][0], rows.back()[0]);
  EXPECT_EQ(rows.back()[1], rows[rows.size() - 2][1]);
  // Midway head and depth agree with Dw; the discharge is the recharge of one well's area.
  EXPECT_NEAR(TrailingNumber(lines[end + 3]), 1.0, 0.0015);
  EXPECT_NEAR(TrailingNumber(lines[end + 4]), 1.5, 0.0015);
  EXPECT_NEAR(TrailingNumber(lines[end + 5]), 0.003 * spacing * spacing, 0.06);
  EXPECT_EQ(lines[end + 6], " #");
  EXPECT_EQ(lines.size(), end + 7);
  EXPECT_EQ(services.progress,
            (std::vector<std::string>{" Progress 50% ....", " Almost done ....."}));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(CalcTest, WellThroughTheAquiferMidwayHeadAndDepthAgreeWithClosedForm) {
  // One layer of 11 m below the well water level, Kb1 = 6: T = 66 m2/day; E = 0, Ka small.
  WriteInput("Spa", {0.002, 15, 15, 4, 15, 0, 0.3, 0.005, 6, 1.5, 6, 1.5, 1.8});
  CheckSpacingInput(engine);
  CalcSpacing(engine);
  const double Dw = 4, Dm = 1.8;
  EXPECT_NEAR(Dw - Flow.F, Dm, 0.001);
  const double S = Flow.S / 2, r0 = 0.15, Rc = 4 * 0.002 / M_PI, T = 66;
  const double closedForm = Rc / (2 * T) * (S * S * std::log(S / r0) - (S * S - r0 * r0) / 2);
  // Within the clamp of the first steps at 0.0001 m and the Ka·h term.
  EXPECT_NEAR(Flow.F, closedForm, 3e-4);
}

TEST_F(CalcTest, DischargeReportLayout) {
  WriteInput("Dis", {1.5, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 60});
  CheckDischargeInput(engine);
  CalcDischarge(engine);
  const auto lines = ReportLines();
  EXPECT_EQ(lines[0], " Quiston, by Quorvath");
  ExpectReportHead(lines, data.InputFileName, " Qui");
  EXPECT_EQ(lines[29], " Spacing betweeen the wells               S        (m) :       60.00");
  EXPECT_EQ(lines[32], "   X       H        G/p");
  ASSERT_EQ(lines[33], " Output data:");
  const auto rows = TableAfter(lines, 33);
  const size_t end = 34 + rows.size();
  EXPECT_LT(rows.back()[0], 30); // no closing row at the midway point
  const double R = TrailingNumber(lines[end + 1]);
  // The discharge is the intensity over the circle of the half spacing.
  EXPECT_NEAR(TrailingNumber(lines[end + 2]), M_PI * R * 30 * 30, 0.06 + M_PI * 900 * 5e-6);
  EXPECT_NEAR(TrailingNumber(lines[end + 5]), 1.5, 0.0015);
  EXPECT_EQ(lines.back(), " #");
  EXPECT_EQ(lines.size(), end + 7);
  EXPECT_EQ(std::count(services.progress.begin(), services.progress.end(), " Still working ..."),
            1);
}

TEST_F(CalcTest, ConductivityReportLayout) {
  WriteInput("Con", {0.002, 1.4, 16, 3, 10, 0.1, 0.25, 60});
  CheckConductivityInput(engine);
  CalcConductivity(engine);
  const auto lines = ReportLines();
  ExpectReportHead(lines, data.InputFileName, " Qui");
  EXPECT_EQ(lines[17], " Time average recharge or discharge       R    (m/day) :      0.0020");
  ASSERT_EQ(lines[28], " Output data:");
  const auto rows = TableAfter(lines, 28);
  const size_t end = 29 + rows.size();
  EXPECT_EQ(lines[end + 1].substr(0, 53), " The average hydraulic conductivity (Darcy, m/d) is: ");
  EXPECT_NEAR(TrailingNumber(lines[end + 4]), 1.4, 0.0015);
  EXPECT_NEAR(TrailingNumber(lines[end + 5]), 0.002 * 60 * 60, 0.06);
  EXPECT_EQ(lines.size(), end + 7);
  // The permeabilities left in the state are the conductivity found.
  EXPECT_EQ(Flow.Kb1, engine.Conductivity.K);
  EXPECT_LT(engine.Conductivity.PassCount, kConductivityPassLimit);
}

TEST_F(CalcTest, FieldReportHasThreeProfilesAndTheDischarge) {
  WriteInput("Hydr", {0.003, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 100, 60});
  CheckHeadInput(engine);
  CalcWaterTableDepth(engine);
  const auto lines = ReportLines();
  EXPECT_EQ(lines[0], "");
  ExpectReportHead(lines, data.InputFileName, " Ost");
  EXPECT_EQ(lines[30], " Smallest spacing betweeen the wells      Sb       (m) :       60.00");
  const size_t first = IndexOf(lines, " Output data: (along the longer spacing)");
  const size_t second = IndexOf(lines, " Output data: (along the shorter spacing)");
  const size_t third = IndexOf(lines, " Output data: (along the diagonal)");
  EXPECT_EQ(first, 34u);
  for (size_t marker : {second, third}) {
    EXPECT_EQ(lines[marker - 1], "   X       F         G/p");
    EXPECT_EQ(lines[marker - 2], " Output sequence (see also the Symbols button):");
    EXPECT_EQ(lines[marker - 3], "");
    EXPECT_EQ(lines[marker - 4], " #");
    EXPECT_EQ(lines[marker - 7], " #");
  }
  // Profile 1 of Sa = 100: rows at steps 16, 20, 25, 125 and every 500 up to 5000.
  const auto rows = TableAfter(lines, first);
  ASSERT_EQ(rows.size(), 14u);
  const int steps[] = {16, 20, 25, 125, 500};
  for (int k = 0; k < 5; ++k)
    EXPECT_NEAR(rows[k][0], 0.00885 * steps[k], 0.0051);
  EXPECT_NEAR(rows.back()[0], 0.00885 * 5000, 0.0051);
  const size_t end = IndexOf(lines, " #", third);
  EXPECT_EQ(lines[end + 1].substr(0, 48), " Midway hydraulic head (m) for the diagonal is  ");
  EXPECT_EQ(lines[end + 4].substr(0, 35), " The well discharge  (m3/day)  is: ");
  EXPECT_NEAR(TrailingNumber(lines[end + 4]), 0.003 * 100 * 60, 0.06);
  EXPECT_EQ(lines.size(), end + 6);
  EXPECT_EQ(services.progress,
            (std::vector<std::string>{" Progressing .....", " Almost done ....."}));
  EXPECT_EQ(services.pauses, (std::vector<int>{1000, 1000}));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(CalcTest, FieldProfileShorterThanTheWellRadiusAndWaterAboveSurface) {
  // Sb = 0.2 m: the shorter profile ends inside the well; the midway depth is then Dw.
  WriteInput("Hyd", {0.003, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 100, 0.2});
  CheckHeadInput(engine);
  CalcWaterTableDepth(engine);
  auto lines = ReportLines();
  const size_t second = IndexOf(lines, " Output data: (along the shorter spacing)");
  EXPECT_EQ(lines[second + 1], " #");
  EXPECT_EQ(lines[second + 3], " Midway watertable depth (m) for the shorter spacing is:    2.500");
  EXPECT_TRUE(services.messages.empty());

  // Wells far apart in slow soil: the diagonal head passes Dw.
  WriteInput("Hydr", {0.0015, 6, 14, 2, 4.5, 1, 0.25, 0.3, 0.4, 0.1, 25, 5, 80, 80});
  CheckHeadInput(engine);
  CalcWaterTableDepth(engine);
  EXPECT_EQ(services.messages,
            std::vector<std::string>{" Watertable above soil surface, adjust the data."});
  lines = ReportLines();
  EXPECT_EQ(lines.back(), " #"); // the report is complete all the same
}

TEST_F(CalcTest, SearchesThatMissTheRequiredDepthSayWhichBoundTheyShow) {
  // Slow soil, high recharge: even a 2 m spacing leaves the water table above Dm.
  WriteInput("Spa", {0.01, 5, 5, 2, 4, 0, 0.3, 0.02, 0.02, 0.02, 0, 0, 1.9});
  CheckSpacingInput(engine);
  CalcSpacing(engine);
  const std::string spacingNote = "The required midway watertable depth was not reached: the "
                                  "well spacing shown is the lower bound of the search, 2 m.";
  EXPECT_EQ(services.messages, std::vector<std::string>{spacingNote});
  auto lines = ReportLines();
  EXPECT_EQ(lines.back(), " " + spacingNote);
  EXPECT_EQ(lines[lines.size() - 2], " #");
  EXPECT_EQ(Flow.PassCount, 40);
  EXPECT_EQ(Flow.S, 2.0);

  // Gravel: even 1 m/day leaves the head below H.
  services.messages.clear();
  WriteInput("Dis", {1, 10, 10, 2, 10, 0, 0.3, 5, 1000, 1000, 0, 0, 10});
  CheckDischargeInput(engine);
  CalcDischarge(engine);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("upper bound of the search, 1 m/day"), std::string::npos);
  EXPECT_GT(Flow.R, 0.99);

  // The conductivity search ends after its pass limit at its lower bound.
  services.messages.clear();
  WriteInput("Con", {0.002, 1, 25, 5, 25, 0, 0.3, 4});
  CheckConductivityInput(engine);
  CalcConductivity(engine);
  EXPECT_EQ(engine.Conductivity.PassCount, kConductivityPassLimit);
  EXPECT_NEAR(engine.Conductivity.K, 0.001, 1e-12);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("lower bound of the search, 0.001 m/day"), std::string::npos);
  lines = ReportLines();
  EXPECT_EQ(lines.back(), " " + services.messages[0]);
}

TEST_F(CalcTest, AnArithmeticErrorEndsTheReportWithWhyTheCalculationStopped) {
  const std::string stopped = "The calculation stopped: ";
  // E = 0 and Kv1 = 0 with the well in layer 1: the first step has no flow capacity.
  WriteInput("Spa", {0.003, 15, 18, 2.5, 12, 0, 0.3, 0.8, 0.6, 0, 8, 2.5, 1.5});
  CheckSpacingInput(engine);
  EXPECT_THROW(CalcSpacing(engine), ArithmeticError);
  auto lines = ReportLines();
  EXPECT_EQ(lines.at(lines.size() - 2), " Output data:");
  EXPECT_EQ(lines.back(), " " + stopped + "Floating point division by zero.");
  EXPECT_EQ(ReportBytes().substr(ReportBytes().size() - 2), "\r\n");

  // Half the spacing in steps of 0.1 mm does not fit a 32-bit count.
  WriteInput("Con", {0.002, 1.4, 16, 3, 10, 0.1, 0.25, 999999});
  CheckConductivityInput(engine);
  const std::string why = "Range check error: 4999995000 integration steps of 0.0001 m from the "
                          "well to the midway point (499999.5 m) exceed the largest step count, "
                          "2147483647.";
  try {
    CalcConductivity(engine);
    ADD_FAILURE() << "no arithmetic error";
  } catch (const ArithmeticError& error) {
    EXPECT_EQ(error.what(), stopped + why); // the message the user sees
  }
  EXPECT_EQ(ReportLines().back(), " " + stopped + why);
}
