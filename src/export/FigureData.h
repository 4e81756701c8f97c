// What the print figures and the calculation sheet draw, as plain numbers: titles, aim, inputs
// by symbol, profiles and results. Made from a report's printed content; pure C++.
#pragma once

#include "data/ReportContent.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct FigureProfile {
  std::string name;            // as the report's tables name it: "along the diagonal"
  std::vector<double> x, head; // distance from the well (m) and head above its water level (m)
};

struct FigureData {
  std::string title1, title2;
  std::optional<Aim> aim;
  std::map<std::string, double> inputs; // by the symbols the report prints: "R", "Kb1", "Sa"
  std::vector<FigureProfile> profiles;  // in the report's order
  std::vector<double> midwayHeads;      // per profile, as the results state them (m)
  std::vector<double> midwayDepths;     // per profile, below the soil surface (m)
  std::optional<double> spacing;        // the spacing found (m)
  std::optional<double> discharge;      // per well (m3/day)
  std::optional<double> conductivity;   // the conductivity found (m/day)
  char decimalSeparator = '.';          // of every number the figures write

  std::optional<double> Input(const std::string& symbol) const;
  // The distance between the two wells of the section (S, or Sa of a rectangular field).
  std::optional<double> WellSpacing() const;
  // Distance from the well to the midway point along profile `index`.
  std::optional<double> MidwayDistance(size_t index) const;
  // `value` with `decimals` decimals and the separator of the figures.
  std::string Number(double value, int decimals) const;
};

FigureData FigureDataOfReport(const ReportContent& report);

// A quantity of the inputs in words, with its unit: "Depth of the water level in the well", "m".
struct QuantityName {
  const char* symbol;
  const char* words;
  const char* unit;
};
// The words of `symbol` for `aim` (the midway depth is observed for the conductivity aim, else
// required); nothing for a symbol no aim reads.
std::optional<QuantityName> QuantityOf(const std::string& symbol, std::optional<Aim> aim);
