// The well-cell model against the closed form of a fully penetrating well, a series solution
// for a partially penetrating one, its own finer grids, and the wells it cannot take.
#include "check/WellCellModel.h"
#include "PartialPenetrationSeries.h"
#include "check/PatternLattice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {
const double kRootPi = std::sqrt(std::numbers::pi);

// Loam over sand with the well ending in the sand, 100 m apart.
WellCell LoamOverSand() {
  WellCell cell{4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5};
  cell.Sa = cell.Sb = 100;
  cell.Q = 0.003 * 100 * 100;
  return cell;
}
} // namespace

// Horizontal flow to a well through the whole aquifer (the vertical permeability far above the
// horizontal): with recharge N on a circle of radius ρ the discharge potential rises by
// Q(ln(r/rw) − (r² − rw²)/2ρ²)/2π from its value at the screen, whose head is E·Q/Lw. Where
// the water table stands well above the screen's top (E above 0), the soil above the casing
// drains downwards near the well and the closed form holds from a metre or so on.
TEST(WellCellModel, FullyPenetratingWellFollowsTheClosedForm) {
  for (const auto& [E, from] : {std::pair{0.0, 0.0}, std::pair{0.1, 1.0}}) {
    SCOPED_TRACE(E);
    WellCell cell{20, 20, 3, 20, E, 0.3, 10, 10, 5000, 10, 5000, 150, 150, 0.002 * 150 * 150};
    const CellSolution solution = SolveWellCell(cell);
    const double area = cell.Sa * cell.Sb, lw = cell.Db - cell.Dw;
    EXPECT_NEAR(solution.inflow, cell.Q * (1 - 0.15 * 0.15 * std::numbers::pi / area),
                1e-6 * cell.Q);
    EXPECT_NEAR(solution.screenFaceHead, E * solution.inflow / lw, 1e-9);
    const double atScreen = DischargePotential(cell, E * cell.Q / lw);
    for (size_t i = 0; i < solution.radius.size(); ++i) {
      const double r = solution.radius[i];
      if (r < from)
        continue;
      const double head = HeadOfPotential(
          cell, atScreen + cell.Q * (CirclePotential(area, r) - CirclePotential(area, 0.15)));
      EXPECT_NEAR(solution.waterTable[i], head, 0.002) << "at " << r << " m";
    }
  }
}

// The series is for a confined layer: the model's thin, poorly permeable soil above the well's
// water level carries the recharge straight down, losing N/Ka of its height, and hardly any
// water sideways. Near the well that soil also spreads water sideways, so with an entrance
// resistance (a water table well above the screen) the comparison starts further out.
TEST(WellCellModel, PartiallyPenetratingWellFollowsTheSeries) {
  const double recharge = 0.002, ka = 0.02, spacing = 80;
  for (const auto& row : {std::pair{0.0, 0.5}, std::pair{0.2, 2.0}}) {
    const double E = row.first;
    SCOPED_TRACE(E);
    WellCell cell{17, 17, 2, 8, E, 0.3, ka, 10, 2.5, 10, 2.5, spacing, spacing};
    cell.Q = recharge * spacing * spacing;
    const CellSolution solution = SolveWellCell(cell);
    const PartialPenetrationSeries series(15, 10, 2.5, recharge, 0.15, spacing / kRootPi, 9, E);
    for (size_t i = 0; i < solution.radius.size(); i += 3) {
      if (solution.radius[i] < row.second)
        continue;
      EXPECT_NEAR(solution.waterTable[i] * (1 - recharge / ka), series.Head(solution.radius[i], 15),
                  0.001)
          << "at " << solution.radius[i] << " m";
    }
  }
}

// Halving every cell shrinks the change of the midway head at least twofold (the scheme is of
// second order), here below a thick loam cover, the hardest of the examples.
TEST(WellCellModel, MidwayHeadConvergesAsTheGridIsRefined) {
  WellCell cell = LoamOverSand();
  cell.D1 = 10;
  std::vector<double> heads;
  for (int k : {1, 2, 4})
    heads.push_back(PatternHead(cell, SolveWellCell(cell, {20 * k, 10 * k, 2 * k}), 50, 0));
  const double first = heads[1] - heads[0], second = heads[2] - heads[1];
  EXPECT_LT(std::abs(second), std::abs(first) / 2);
  EXPECT_LT(std::abs(second), 0.003);
}

TEST(WellCellModel, RefusesWellsItCannotModel) {
  const struct {
    std::function<void(WellCell&)> change;
    const char* words;
  } rows[] = {
      {[](WellCell& c) { c.D2 = c.D1 = c.Dw; }, "no soil below the water level in the well"},
      {[](WellCell& c) { c.Db = c.Dw; }, "no screen below its water level"},
      {[](WellCell& c) { c.Ka = 0; }, "no water can flow down to the screen"},
      {[](WellCell& c) { c.Kv1 = 0; }, "no water can flow down to the screen"},
      {[](WellCell& c) { c.Ka = 0.003; }, "the recharge is not below Ka"},
      {[](WellCell& c) { c.Kb1 = c.Kb2 = 0; }, "no water can enter the screen"},
      {[](WellCell& c) { c.Db = 3.5, c.Kb1 = 0; }, "no water can enter the screen"},
      {[](WellCell& c) { c.Sa = c.Sb = 0.4; }, "no wider than the well"},
      {[](WellCell& c) { c.Sa = 2, c.Sb = 201; }, "more than a hundred times the other"},
      {[](WellCell& c) { c.Q = 0; }, "discharge is not above 0"},
      {[](WellCell& c) { c.W = 0; }, "no diameter"},
      {[](WellCell& c) { c.Kv2 = -1; }, "negative or not a number"},
      {[](WellCell& c) { c.D1 = NAN; }, "not a number"},
      {[](WellCell& c) { c.E = INFINITY; }, "not a number"},
      {[](WellCell& c) { c.Sa = 1e300; }, "at most 1E9"},
      {[](WellCell& c) { c.Db = c.Dw + 1e-4; }, "no screen below its water level"},
  };
  for (const auto& row : rows) {
    WellCell cell = LoamOverSand();
    row.change(cell);
    EXPECT_NE(WellCellProblem(cell).find(row.words), std::string::npos)
        << row.words << ": " << WellCellProblem(cell);
    EXPECT_THROW(SolveWellCell(cell, {8, 6, 2}), CellModelError) << row.words;
  }
  EXPECT_EQ(WellCellProblem(LoamOverSand()), "");
}
