// A design under uncertainty: an input file run for Latin hypercube samples of its uncertain
// inputs, the distribution of its answer, the value that holds with a stated reliability, and
// the sensitivity of the answer to each input.
#pragma once

#include "core/Csv.h"
#include "core/JsonFile.h"
#include "study/RunRecord.h"
#include "study/StudyRun.h"
#include "study/Uncertainty.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

inline constexpr size_t kMaxDesignSamples = 100000;
// The percentiles every summary gives.
inline constexpr int kDesignPercents[] = {5, 10, 50, 90, 95};

struct DesignSettings {
  std::vector<UncertainInput> uncertain;
  size_t samples = 1000;
  uint64_t seed = 1;
  double reliability = 0.9;
  std::optional<double> requiredDepth; // rectangular field: the depth each midway depth must reach
};

// What the runs came to: one record per sample, then the run at the medians, then for each
// uncertain input the runs at its 5 % and at its 95 % value with the others at their medians.
struct DesignRuns {
  std::vector<std::vector<double>> samples; // [sample][uncertain input]
  std::vector<RunRecord> records;           // samples, then 1 + 2 per input
};

// The medians of the inputs, and input `varied` at its `p` quantile when `varied` is set; each
// rounded as the input file holds it.
std::vector<double> InputsAtMedians(const DesignSettings& settings, const std::string& aimCode,
                                    std::optional<size_t> varied = std::nullopt, double p = 0.5);

// Runs the samples and the sensitivity runs around `base` (loaded from an input file) on the
// pool. The same settings give the same records for any number of workers. False when stopped.
bool RunDesign(const TDMPumpfield& base, const DesignSettings& settings, DesignRuns& runs,
               const StudyRun& run);

// A percentile of `sorted` (ascending, not empty): with h = (n - 1) p, the value at index
// floor(h) plus the fraction of h beyond it of the step to the next value (the linear
// interpolation of the order statistics, as spreadsheets' PERCENTILE).
double Percentile(const std::vector<double>& sorted, double p);

// Spearman's rank correlation of x and y (equal sizes): Pearson's of their ranks, ties taking
// the mean of their ranks; NaN when either has no spread.
double RankCorrelation(const std::vector<double>& x, const std::vector<double>& y);

// The answer the design is about, from a run's record: the spacing S, the discharge Q, the
// shallowest of the three midway depths of a rectangular field, the conductivity K; nothing for
// a run without a converged answer.
std::optional<double> DesignAnswer(Aim aim, const RunRecord& record);

struct TornadoBar {
  std::string symbol, unit;
  double inputLow = 0, inputHigh = 0; // the input's 5 % and 95 % values
  double low = NAN, high = NAN;       // the answer at them, the others at their medians
  double swing = NAN;                 // |high - low|; NaN when either run failed
  double rankCorrelation = NAN;       // of the input and the answer over the samples
};

struct DepthSummary {
  std::string symbol;                // "Dma", "Dmb", "Dmd"
  std::optional<double> probability; // of reaching the required depth
  std::vector<double> percentiles;   // at kDesignPercents
};

struct DesignSummary {
  Aim aim = Aim::Spacing;
  size_t samples = 0, failedSamples = 0;
  uint64_t seed = 1;
  double reliability = 0.9;
  std::string symbol, unit, words; // of the answer: "S", "m", "spacing"
  int decimals = 2;                // of the answer as its report prints it
  // The answer over the samples that gave one, in sample order.
  std::vector<double> answers;
  // True when a larger answer is the safer one (the discharge needed); for the others the
  // design value is the one that many samples reach or exceed.
  bool higherIsSafer = false;
  double designValue = NAN;
  std::vector<double> percentiles; // at kDesignPercents
  double atMedians = NAN;
  std::vector<TornadoBar> tornado;  // by swing, the largest first; failed runs last
  std::vector<DepthSummary> depths; // rectangular field only
  std::optional<double> requiredDepth;
  std::optional<double> probabilityAll; // of all three depths reaching the required depth
};

// The summary of the runs: the design value is the percentile 100 (1 - P) of the answers, or
// 100 P when a higher answer is safer, so that a fraction P of the samples is served by it.
DesignSummary SummariseDesign(Aim aim, const DesignSettings& settings, const DesignRuns& runs);

// The summary as a table: one row per item (failed samples, design value, percentiles, the
// depths' probabilities, the sensitivity of each input).
std::vector<CsvRow> DesignRows(const DesignSummary& summary);

// The summary as JSON: aim, samples, seed, reliability, failed samples, design value,
// percentiles and tornado, and for a rectangular field the required depth and the depths'
// probabilities; null where there is no number.
Json DesignJson(const DesignSummary& summary, const std::string& aimCode);

// 1 - P, the fraction of samples a design value may fail, rounded to 12 decimals.
double Unreliability(const DesignSettings& settings);

// `value` rounded to `decimals`, as a plain number.
double Rounded(double value, int decimals);
