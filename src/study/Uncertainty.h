// Uncertain inputs: a distribution for each, and Latin hypercube samples of them drawn from a
// seeded generator with transforms of our own, so that a seed gives the same values on every
// machine and standard library.
#pragma once

#include "data/AimTable.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

enum class DistributionKind { Uniform, Triangular, Normal, Lognormal };

struct Distribution {
  DistributionKind kind = DistributionKind::Uniform;
  // uniform LOW, HIGH; triangular LOW, MODE, HIGH; normal MEAN, SD; lognormal MEDIAN, FACTOR
  // (the geometric standard deviation).
  double a = 0, b = 1, c = 0;

  // The value below which a fraction `p` (0 < p < 1) of the distribution lies.
  double Quantile(double p) const;
  double Median() const { return Quantile(0.5); }
};

// The quantile of the standard normal distribution at `p` (0 < p < 1), to about 1e-15.
double StandardNormalQuantile(double p);

struct UncertainInput {
  AimInput input;
  Distribution distribution;
  std::string text; // as given: "Kb2=lognormal:8:1.5"
};

// Reads "SYMBOL=uniform:LOW:HIGH", "SYMBOL=triangular:LOW:MODE:HIGH", "SYMBOL=normal:MEAN:SD" or
// "SYMBOL=lognormal:MEDIAN:FACTOR" for an input file of `aimCode`; SweepUsageError says what is
// wrong.
UncertainInput ParseUncertain(const std::string& text, const std::string& aimCode);

// `value` rounded as an input file of `aimCode` holds value `position`.
double HeldValue(double value, int position, const std::string& aimCode);

// The generator of the samples: the 64-bit Mersenne Twister, whose sequence the C++ standard
// fixes, turned into numbers without the standard library's distributions.
class SampleGenerator {
public:
  explicit SampleGenerator(uint64_t seed) : engine_(seed) {}
  // Uniform in [0, 1), 53 random bits.
  double Uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  // Uniform among 0 .. count - 1.
  size_t Below(size_t count);

private:
  std::mt19937_64 engine_;
};

// `samples` Latin hypercube samples of the inputs: sample s, input i at [s][i], each value
// rounded as the input file holds it. Each input's range is cut into `samples` strata of equal
// probability; every stratum is taken once, at a random place within it, in a random order.
std::vector<std::vector<double>> LatinHypercube(const std::vector<UncertainInput>& inputs,
                                                size_t samples, uint64_t seed,
                                                const std::string& aimCode);
