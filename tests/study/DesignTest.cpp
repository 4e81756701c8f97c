#include "study/Design.h"
#include "api/Pumpfield.h"
#include "study/Sweep.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const char* const kSpacing = PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp";

TDMPumpfield Loaded(const char* path) {
  TDMPumpfield base;
  base.InputFileName = path;
  base.LoadInputFile();
  return base;
}
} // namespace

TEST(Distributions, QuantilesMatchClosedForms) {
  const struct {
    const char* text;
    double p, expected, tolerance;
  } rows[] = {
      {"R=normal:0:1", 0.975, 1.959963985, 1e-8},
      {"R=normal:0:1", 0.01, -2.326347874, 1e-8}, // the tail formula
      {"R=normal:5:2", 0.5, 5, 1e-12},
      {"R=uniform:2:6", 0.25, 3, 1e-12},
      {"R=triangular:0:0:2", 0.75, 1, 1e-12}, // 1 - (1 - x/2)^2 = 0.75
      {"R=triangular:0:1:2", 0.5, 1, 1e-12},
      {"R=lognormal:8:1.5", 0.5, 8, 1e-12},
      {"R=lognormal:8:1.5", 0.975, 8 * std::pow(1.5, 1.959963985), 1e-6},
  };
  for (const auto& row : rows)
    EXPECT_NEAR(ParseUncertain(row.text, "Spa").distribution.Quantile(row.p), row.expected,
                row.tolerance)
        << row.text << " at " << row.p;
}

TEST(Distributions, BadDistributionsAreRefusedWithTheReason) {
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"R=uniform:3:1", "LOW must be less than HIGH"},
      {"R=uniform:1:1", "LOW must be less than HIGH"},
      {"R=triangular:0:3:2", "MODE lie between"},
      {"R=normal:1:0", "SD must be positive"},
      {"R=lognormal:-1:2", "MEDIAN must be positive"},
      {"R=lognormal:1:0.5", "greater than 1"},
      {"R=gamma:1:2", "names no distribution"},
      {"R=uniform:1", "needs 2 numbers"},
      {"R=uniform:1,5:2", "is no number"},
      {"Sa=uniform:1:2", "is no input of the aim"},
      {"R", "gives no distribution"},
  };
  for (const auto& row : rows) {
    try {
      ParseUncertain(row.text, "Spa");
      ADD_FAILURE() << row.text << " was accepted";
    } catch (const SweepUsageError& error) {
      EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos) << error.what();
    }
  }
}

// Each of N strata of equal probability holds exactly one sample, and the seed alone fixes them.
TEST(LatinHypercube, EveryStratumOnceAndTheSameForTheSameSeed) {
  const std::vector<UncertainInput> inputs = {ParseUncertain("R=uniform:0:1", "Spa"),
                                              ParseUncertain("Kv1=uniform:0:1", "Spa")};
  const size_t n = 16;
  const auto samples = LatinHypercube(inputs, n, 7, "Spa");
  for (size_t i = 0; i < inputs.size(); ++i) {
    std::vector<double> values;
    for (const auto& sample : samples)
      values.push_back(sample[i]);
    std::sort(values.begin(), values.end());
    for (size_t k = 0; k < n; ++k) { // within its stratum, but for the rounding to 4 decimals
      EXPECT_GE(values[k], double(k) / n - 5e-5) << i << ' ' << k;
      EXPECT_LE(values[k], double(k + 1) / n + 5e-5) << i << ' ' << k;
    }
  }
  EXPECT_EQ(LatinHypercube(inputs, n, 7, "Spa"), samples);
  EXPECT_NE(LatinHypercube(inputs, n, 8, "Spa"), samples);
  // Seed 1 gives these values on every machine and standard library.
  const std::vector<std::vector<double>> pinned = {
      {0.2553, 0.7724}, {0.5877, 0.639}, {0.9778, 0.4474}, {0.1177, 0.0554}};
  EXPECT_EQ(LatinHypercube(inputs, 4, 1, "Spa"), pinned);
}

TEST(DesignStatistics, PercentileAndRankCorrelation) {
  const std::vector<double> sorted = {1, 2, 3, 4};
  EXPECT_DOUBLE_EQ(Percentile(sorted, 0.5), 2.5);
  EXPECT_DOUBLE_EQ(Percentile(sorted, 0.1), 1.3);
  EXPECT_DOUBLE_EQ(Percentile(sorted, 1), 4);
  EXPECT_DOUBLE_EQ(Percentile({7}, 0.9), 7);
  const std::vector<double> x = {1, 2, 3, 4, 5};
  EXPECT_DOUBLE_EQ(RankCorrelation(x, {1, 8, 27, 64, 125}), 1);
  EXPECT_DOUBLE_EQ(RankCorrelation(x, {5, 4, 3, 2, 1}), -1);
  // Ties share their mean rank: ranks 1.5 1.5 3 4 5 against 1 2 3 4 5.
  EXPECT_NEAR(RankCorrelation(x, {1, 1, 3, 4, 5}), 0.9746794, 1e-6);
  EXPECT_TRUE(std::isnan(RankCorrelation(x, {2, 2, 2, 2, 2})));
}

// One design of the spacing example, checked against runs of its own.
TEST(SpacingDesign, MedianReliabilityAndTornadoAgreeWithSeparateRuns) {
  const TDMPumpfield base = Loaded(kSpacing);
  DesignSettings settings;
  settings.uncertain = {ParseUncertain("Kb2=lognormal:8:1.3", "Spa"),
                        ParseUncertain("R=uniform:0.0025:0.0035", "Spa")};
  settings.samples = 24;
  DesignRuns runs;
  StudyRun run;
  run.workers = 2;
  ASSERT_TRUE(RunDesign(base, settings, runs, run));
  const DesignSummary summary = SummariseDesign(Aim::Spacing, settings, runs);
  EXPECT_EQ(summary.failedSamples, 0u);
  ASSERT_EQ(summary.answers.size(), 24u);

  // The spacing of a run of the file with the given values instead of its own.
  pumpfield::Inputs inputs = pumpfield::ReadInput(kSpacing);
  auto spacing = [&inputs](double Kb2, double R) {
    pumpfield::Inputs changed = inputs;
    changed.values[10] = Kb2;
    changed.values[0] = R;
    return pumpfield::Run(changed).Value("S").value_or(NAN);
  };
  const double atMedians = spacing(8, 0.003);
  EXPECT_EQ(summary.atMedians, atMedians);
  EXPECT_NEAR(summary.percentiles[2], atMedians, 0.03 * atMedians);

  double previous = INFINITY;
  for (double reliability : {0.5, 0.8, 0.9, 0.95, 0.99}) {
    settings.reliability = reliability;
    const double value = SummariseDesign(Aim::Spacing, settings, runs).designValue;
    EXPECT_LE(value, previous) << reliability;
    previous = value;
  }
  EXPECT_LT(previous, summary.percentiles[2]);

  const double swingKb2 =
      std::fabs(spacing(HeldValue(8 * std::pow(1.3, 1.6448536), 11, "Spa"), 0.003) -
                spacing(HeldValue(8 / std::pow(1.3, 1.6448536), 11, "Spa"), 0.003));
  const double swingR = std::fabs(spacing(8, 0.0035 - 0.00005) - spacing(8, 0.0025 + 0.00005));
  ASSERT_EQ(summary.tornado.size(), 2u);
  EXPECT_EQ(summary.tornado[0].symbol, swingKb2 > swingR ? "Kb2" : "R");
  EXPECT_NEAR(summary.tornado[0].swing, std::max(swingKb2, swingR), 0.011);
  EXPECT_NEAR(summary.tornado[1].swing, std::min(swingKb2, swingR), 0.011);
  // More permeable soil lets the wells stand further apart, more recharge draws them closer.
  for (const TornadoBar& bar : summary.tornado)
    EXPECT_EQ(bar.rankCorrelation > 0, bar.symbol == "Kb2") << bar.symbol;
}
