// The pattern's potential against the series of its rows of wells, each row summed in closed
// form, and the square pattern's two coefficients.
#include "check/PatternLattice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

// For |y| < b. A row of wells a apart along y = 0 gives ln|2 sin(πz/a)|/2π; far from it that is a
// line sink, π|y|/a. The rows n ≠ 0 less their line sinks converge fast, and the line sinks with
// the recharge add a constant within |y| < b. The limit at the well is removed as the potential is.
double RowSeries(double a, double b, double x, double y) {
  auto row = [&](int n) {
    const std::complex<double> z(x, y - n * b);
    return std::log(std::abs(2.0 * std::sin(kPi * z / a))) -
           (n ? kPi * std::abs(y - n * b) / a : 0);
  };
  auto rowAtWell = [&](int n) {
    return std::log(2 * std::sinh(kPi * std::abs(n) * b / a)) - kPi * std::abs(n) * b / a;
  };
  double sum = row(0), atWell = std::log(2 * kPi / a);
  for (int n = 1; n * b / a < 40; ++n) {
    sum += row(n) + row(-n);
    atWell += 2 * rowAtWell(n);
  }
  return (sum - atWell) / (2 * kPi) - y * y / (2 * a * b);
}
} // namespace

TEST(PatternLattice, PotentialIsTheSumOfItsRowsOfWells) {
  const struct {
    double a, b, x, y;
  } rows[] = {{1, 1, 0.5, 0},    {1, 1, 0.5, 0.5},    {1, 1, 0.13, 0.31}, {180, 110, 90, 0},
              {180, 110, 0, 55}, {180, 110, 90, 55},  {110, 180, 30, 70}, {60, 150, 25, -40},
              {100, 40, 3, 1},   {100, 40, 130, -35}, {2, 120, 1, 60},    {120, 2, 60, 1}};
  for (const auto& row : rows)
    EXPECT_NEAR(PatternPotential(row.a, row.b, row.x, row.y), RowSeries(row.a, row.b, row.x, row.y),
                1e-12)
        << row.a << " x " << row.b << " at " << row.x << ", " << row.y;
  EXPECT_NEAR(PatternPotential(100, 40, 130, -35), PatternPotential(100, 40, -70, 45), 1e-12);
}

TEST(PatternLattice, SquarePatternStandsBelowTheRimMidwayAndAboveItAtTheCentre) {
  for (double spacing : {1.0, 73.0}) {
    EXPECT_NEAR(RimCoefficient(spacing, spacing, spacing / 2, 0), -0.0103, 0.00005);
    EXPECT_NEAR(RimCoefficient(spacing, spacing, 0, spacing / 2), -0.0103, 0.00005);
    EXPECT_NEAR(RimCoefficient(spacing, spacing, spacing / 2, spacing / 2), 0.0173, 0.00005);
  }
}
