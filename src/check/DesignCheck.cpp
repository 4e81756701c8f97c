#include "check/DesignCheck.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
struct SpacingTrial {
  double logSpacing, logHead;
};

// The logarithm of the midway head at `spacing`; nothing where the model cannot take the well.
std::optional<double> LogMidwayHead(WellCell cell, double spacing, double recharge,
                                    const CellGrid& grid) {
  cell.Sa = cell.Sb = spacing;
  cell.Q = recharge * spacing * spacing;
  try {
    const double head = PatternHead(cell, SolveWellCell(cell, grid), spacing / 2, 0);
    return std::log(std::max(head, 1e-12));
  } catch (const CellModelError&) {
    return std::nullopt;
  }
}

// The spacing whose midway head is `head`, starting from `spacing` whose midway head is
// `headThere`: secant steps on the logarithms of spacing and head (the head grows about as the
// spacing squared), halving the bracket when a step leaves it. Nothing when no spacing from
// twice the well's diameter·√π to 100 km reaches the head.
std::optional<double> SpacingForHead(const WellCell& cell, double recharge, double head,
                                     double spacing, double headThere, const CellGrid& grid) {
  const double smallest = std::log(2 * cell.W * std::sqrt(std::numbers::pi));
  const double largest = std::log(1e5), target = std::log(head);
  double below = -INFINITY, above = INFINITY; // log spacings whose heads fall short, overshoot
  SpacingTrial previous{std::log(spacing), std::log(std::max(headThere, 1e-12))};
  (previous.logHead < target ? below : above) = previous.logSpacing;
  double next = previous.logSpacing + (target - previous.logHead) / 2.2;
  for (int trial = 0; trial < 30; ++trial) {
    next = std::clamp(next, smallest, largest);
    if (!(next > below && next < above))
      next = std::isfinite(below) && std::isfinite(above) ? 0.5 * (below + above) : next;
    if (next == previous.logSpacing)
      return std::nullopt; // the bound of the search is reached
    const auto logHead = LogMidwayHead(cell, std::exp(next), recharge, grid);
    if (!logHead)
      return std::nullopt;
    const SpacingTrial current{next, *logHead};
    if (std::abs(current.logHead - target) < 1e-5 || above - below < 1e-7)
      return std::exp(current.logSpacing);
    (current.logHead < target ? below : above) = current.logSpacing;
    next = current.logSpacing + (target - current.logHead) *
                                    (current.logSpacing - previous.logSpacing) /
                                    (current.logHead - previous.logHead);
    previous = current;
  }
  return std::nullopt;
}
} // namespace

DesignCheck CheckDesign(const DesignToCheck& design, const CellGrid& grid) {
  const WellCell& cell = design.cell;
  DesignCheck check;
  check.cell = cell;
  check.solution = SolveWellCell(cell, grid);
  for (const ReportedDepth& reported : design.reported) {
    CheckedDepth checked{reported};
    checked.depth = cell.Dw - PatternHead(cell, check.solution, reported.x, reported.y);
    checked.difference = reported.depth - checked.depth;
    const double drawdown = cell.Dw - reported.depth;
    checked.ofDrawdown = drawdown > 0 ? checked.difference / drawdown : 0;
    checked.flagged = std::abs(checked.ofDrawdown) > kFlaggedShareOfDrawdown;
    check.flagged = check.flagged || checked.flagged;
    check.depths.push_back(checked);
  }
  check.centreDepth = cell.Dw - PatternHead(cell, check.solution, cell.Sa / 2, cell.Sb / 2);
  check.screenFaceHead = check.solution.screenFaceHead;
  check.reportFirstHead = design.reportFirstHead;
  if (design.requiredDepth && cell.Sa == cell.Sb && *design.requiredDepth < cell.Dw) {
    const double midwayHead = PatternHead(cell, check.solution, cell.Sa / 2, 0);
    check.spacingNeeded = SpacingForHead(cell, design.recharge, cell.Dw - *design.requiredDepth,
                                         cell.Sa, midwayHead, grid);
  }
  return check;
}
