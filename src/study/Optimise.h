// The cheapest well field: a rectangular field of LENGTH by WIDTH divided into nL x nB equal
// cells with a well in each, and the water level kept in the wells, chosen so that all three
// midway depths reach the required depth (with a stated probability when inputs are uncertain)
// at the least cost of wells and of the energy to lift the recharge.
//
// The search relies on two monotonicities of the flow model: more wells in a direction (a
// smaller spacing, the same recharge per area) never make a midway depth shallower, and neither
// does a deeper water level in the wells. So for each level the feasible layouts are the
// (nL, nB) on and above a staircase, found column by column with a bisection bounded by the
// previous column and the previous (shallower) level; the other layouts are never run.
#pragma once

#include "study/Design.h"

#include <array>
#include <optional>
#include <vector>

struct OptimiseSettings {
  double length = 0, width = 0; // of the field, m
  double requiredDepth = 0;     // m
  double wellCost = 0;          // per well
  double energyPrice = 0;       // per m3 and metre of lift
  double years = 0;
  double levelMin = 0, levelMax = 0; // Dw, m; tried in steps of 0.1 m
  DesignSettings uncertainty;        // no uncertain inputs: the file's values alone
};

inline constexpr double kLevelStep = 0.1;
inline constexpr double kDaysPerYear = 365;
inline constexpr int kMostCellsPerSide = 1000;

struct LayoutOutcome {
  int nL = 0, nB = 0;
  double Sa = 0, Sb = 0, Dw = 0;
  // The midway depths: of the run, or with uncertain inputs each the depth that a fraction P of
  // the samples reaches or exceeds (the (k + 1)-th shallowest, k = floor(n (1 - P))).
  std::array<double, 3> depths{NAN, NAN, NAN};
  double probability = 0; // of all three depths reaching the required depth (0 or 1 without
                          // uncertain inputs)
  bool feasible = false;
  double cost = 0;
  int wells() const { return nL * nB; }
};

struct OptimiseResult {
  std::optional<LayoutOutcome> cheapest;
  // For each level at which fewer wells suffice than at every shallower one, its layout with
  // the fewest wells, from the shallowest level down.
  std::vector<LayoutOutcome> front;
  size_t layoutsEvaluated = 0; // distinct (Sa, Sb, Dw) run
  size_t layoutsInRange = 0;   // all (nL, nB, Dw) within the limits
};

// Throws SweepUsageError, saying why in words, for settings no search can take: a field without
// a positive length and width, a required depth that is not a number, a well cost that is not
// positive, a negative energy price or years, a lower well level above the higher or more than
// 1000 levels, or Dw, Sa or Sb among the uncertain inputs (the search chooses them).
void CheckOptimiseSettings(const OptimiseSettings& settings);

// The levels tried: levelMin, levelMin + 0.1, ... up to levelMax, rounded as the file holds Dw.
std::vector<double> WellLevels(const OptimiseSettings& settings, const std::string& aimCode);

// The cost of `wells` wells kept at level `Dw` with recharge `R` (m/day).
double LayoutCost(const OptimiseSettings& settings, int wells, double Dw, double R);

// Searches the layouts around `base` (a rectangular-field input file). False when stopped.
bool OptimiseLayout(const TDMPumpfield& base, const OptimiseSettings& settings,
                    OptimiseResult& result, const StudyRun& run);

// Evaluates one layout as the search does (one run, or one per sample). False when stopped.
bool EvaluateLayout(const TDMPumpfield& base, const OptimiseSettings& settings, int nL, int nB,
                    double Dw, LayoutOutcome& outcome, const StudyRun& run);

// The result as JSON: the cheapest layout's fields (none when no layout is feasible) and "front",
// the front's layouts; each with its probability when `uncertain`.
Json OptimiseJson(const OptimiseResult& result, bool uncertain);

// The cheapest layout and the front as a table, its header first.
std::vector<CsvRow> OptimiseRows(const OptimiseResult& result);
