#include "study/Uncertainty.h"

#include "core/TextFormat.h"
#include "study/Sweep.h"

#include <cmath>

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos)
      return parts;
    start = end + 1;
  }
}

const char* const kForms = "uniform:LOW:HIGH, triangular:LOW:MODE:HIGH, normal:MEAN:SD or "
                           "lognormal:MEDIAN:FACTOR";

Distribution DistributionOf(const std::string& text, const std::string& whole) {
  const std::vector<std::string> parts = Split(text, ':');
  const std::string& name = parts[0];
  const struct {
    const char* name;
    DistributionKind kind;
    size_t numbers;
  } kinds[] = {{"uniform", DistributionKind::Uniform, 2},
               {"triangular", DistributionKind::Triangular, 3},
               {"normal", DistributionKind::Normal, 2},
               {"lognormal", DistributionKind::Lognormal, 2}};
  for (const auto& kind : kinds) {
    if (name != kind.name)
      continue;
    if (parts.size() != kind.numbers + 1)
      throw SweepUsageError("\"" + whole + "\" needs " + std::to_string(kind.numbers) +
                            " numbers after \"" + name + "\": write one of " + kForms);
    std::vector<double> numbers;
    for (size_t i = 1; i < parts.size(); ++i) {
      const std::optional<double> value = TextToFloat(parts[i], '.');
      if (!value || !std::isfinite(*value))
        throw SweepUsageError("\"" + parts[i] + "\" in \"" + whole +
                              "\" is no number (write numbers with a decimal point)");
      numbers.push_back(*value);
    }
    Distribution d{kind.kind, numbers[0], numbers[1], numbers.size() > 2 ? numbers[2] : 0};
    switch (d.kind) {
    case DistributionKind::Uniform:
      if (!(d.a < d.b))
        throw SweepUsageError("in \"" + whole + "\" LOW must be less than HIGH");
      break;
    case DistributionKind::Triangular:
      if (!(d.a < d.c) || d.b < d.a || d.b > d.c)
        throw SweepUsageError("in \"" + whole +
                              "\" LOW must be less than HIGH and MODE lie "
                              "between them");
      break;
    case DistributionKind::Normal:
      if (!(d.b > 0))
        throw SweepUsageError("in \"" + whole + "\" the standard deviation SD must be positive");
      break;
    case DistributionKind::Lognormal:
      if (!(d.a > 0) || !(d.b > 1))
        throw SweepUsageError("in \"" + whole +
                              "\" MEDIAN must be positive and FACTOR (the "
                              "geometric standard deviation) greater than 1");
      break;
    }
    return d;
  }
  throw SweepUsageError("\"" + whole + "\" names no distribution: write " + kForms);
}
} // namespace

double StandardNormalQuantile(double p) {
  // Rational approximations of the central region and of the tails, refined below.
  static const long double a[] = {-3.969683028665376e+01L, 2.209460984245205e+02L,
                                  -2.759285104469687e+02L, 1.383577518672690e+02L,
                                  -3.066479806614716e+01L, 2.506628277459239e+00L};
  static const long double b[] = {-5.447609879822406e+01L, 1.615858368580409e+02L,
                                  -1.556989798598866e+02L, 6.680131188771972e+01L,
                                  -1.328068155288572e+01L};
  static const long double c[] = {-7.784894002430293e-03L, -3.223964580411365e-01L,
                                  -2.400758277161838e+00L, -2.549671010060170e+00L,
                                  4.374664141464968e+00L,  2.938163982698783e+00L};
  static const long double d[] = {7.784695709041462e-03L, 3.224671290700398e-01L,
                                  2.445134137142996e+00L, 3.754408661907416e+00L};
  const long double low = 0.02425L;
  auto tail = [&](long double q) {
    return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
           ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
  };
  const long double lp = p;
  long double x;
  if (lp < low) {
    x = tail(std::sqrt(-2 * std::log(lp)));
  } else if (lp > 1 - low) {
    x = -tail(std::sqrt(-2 * std::log(1 - lp)));
  } else {
    const long double q = lp - 0.5L, r = q * q;
    x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
        (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
  }
  // One step of Halley's method on the normal distribution function.
  const long double error = 0.5L * std::erfc(-x / std::sqrt(2.0L)) - lp;
  const long double u = error * std::sqrt(2 * 3.14159265358979323851L) * std::exp(x * x / 2);
  return static_cast<double>(x - u / (1 + x * u / 2));
}

double Distribution::Quantile(double p) const {
  switch (kind) {
  case DistributionKind::Uniform:
    return a + p * (b - a);
  case DistributionKind::Triangular: {
    const double split = (b - a) / (c - a);
    return p < split ? a + std::sqrt(p * (c - a) * (b - a))
                     : c - std::sqrt((1 - p) * (c - a) * (c - b));
  }
  case DistributionKind::Normal:
    return a + b * StandardNormalQuantile(p);
  case DistributionKind::Lognormal:
    return a * std::exp(std::log(b) * StandardNormalQuantile(p));
  }
  return a;
}

UncertainInput ParseUncertain(const std::string& text, const std::string& aimCode) {
  const size_t equals = text.find('=');
  // The symbol is checked as a sweep checks it.
  VariedInput varied = ParseVaried(text.substr(0, equals) + "=0", aimCode);
  if (equals == std::string::npos)
    throw SweepUsageError("\"" + text + "\" gives no distribution: write " +
                          text.substr(0, equals) + "=" + kForms);
  return {varied.input, DistributionOf(text.substr(equals + 1), text), text};
}

double HeldValue(double value, int position, const std::string& aimCode) {
  return *TextToFloat(FormatFixed(value, 0, DecimalsOfPosition(position, aimCode)), '.');
}

size_t SampleGenerator::Below(size_t count) {
  return std::min(count - 1, static_cast<size_t>(Uniform() * static_cast<double>(count)));
}

std::vector<std::vector<double>> LatinHypercube(const std::vector<UncertainInput>& inputs,
                                                size_t samples, uint64_t seed,
                                                const std::string& aimCode) {
  SampleGenerator generator(seed);
  std::vector<std::vector<double>> values(samples, std::vector<double>(inputs.size()));
  std::vector<size_t> strata(samples);
  for (size_t i = 0; i < inputs.size(); ++i) {
    for (size_t s = 0; s < samples; ++s)
      strata[s] = s;
    for (size_t s = samples; s > 1; --s)
      std::swap(strata[s - 1], strata[generator.Below(s)]);
    for (size_t s = 0; s < samples; ++s) {
      // Strictly inside (0, 1): the normal tails have no end.
      const double p = (static_cast<double>(strata[s]) + 0.5 * (1 - 1e-9) +
                        (generator.Uniform() - 0.5) * (1 - 1e-9)) /
                       static_cast<double>(samples);
      values[s][i] =
          HeldValue(inputs[i].distribution.Quantile(p), inputs[i].input.position, aimCode);
    }
  }
  return values;
}
