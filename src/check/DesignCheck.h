// The independent check of a design: the well-cell model run for what a report says, its
// water-table depths midway between neighbouring wells and at the centre of the cell beside
// the report's, and for a spacing the spacing the model itself needs.
#pragma once

#include "check/WellCellModel.h"

#include <optional>
#include <string>
#include <vector>

// A point where the report gives the water-table depth.
struct ReportedDepth {
  std::string line;    // "between the wells", "along the longer spacing", ...
  double x = 0, y = 0; // m from a well, along the spacings Sa and Sb
  double depth = 0;    // the report's depth there, m below the soil surface
};

struct DesignToCheck {
  WellCell cell;
  std::vector<ReportedDepth> reported;
  double reportFirstHead = 0; // the head of the report's first table row, m
  // For a spacing: the required midway depth Dm and the recharge R (m/day), Q being R·S².
  std::optional<double> requiredDepth;
  double recharge = 0;
};

struct CheckedDepth {
  ReportedDepth reported;
  double depth = 0;      // the check's depth, m below the soil surface
  double difference = 0; // reported minus checked depth: above 0 when the check's water table
                         // stands higher than the report's, m
  double ofDrawdown = 0; // the difference as a share of the drawdown Dw minus the reported depth
  bool flagged = false;  // the difference exceeds 5 % of the drawdown
};

struct DesignCheck {
  std::vector<CheckedDepth> depths;
  double centreDepth = 0;              // at the centre of the cell, m below the soil surface
  std::optional<double> spacingNeeded; // the spacing whose midway depth is the required one, m
  double screenFaceHead = 0;           // the check's mean head at the screen face, m
  double reportFirstHead = 0;
  bool flagged = false; // any depth flagged
  // The model's solution: PatternHead(cell, solution, x, y) gives the check's head anywhere.
  WellCell cell;
  CellSolution solution;
};

inline constexpr double kFlaggedShareOfDrawdown = 0.05;

// Raises CellModelError when the model cannot take the design.
DesignCheck CheckDesign(const DesignToCheck& design, const CellGrid& grid = {});
