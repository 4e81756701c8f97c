#include "check/PatternLattice.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <utility>

namespace {
constexpr double kPi = std::numbers::pi;

// The Jacobi theta function θ1(u, q) = 2 Σ (−1)^n q^((n+½)²) sin((2n+1)u), q = e^−c, with
// each power of q taken into the exponentials of the sine so that no term overflows where
// |Im u| is large (up to c/2); with c ≥ π the terms fall below 1E−17 after five.
std::complex<double> Theta1(std::complex<double> u, double c) {
  const std::complex<double> i(0, 1);
  std::complex<double> sum = 0;
  for (int n = 0; n < 12; ++n) {
    const double power = -c * (n + 0.5) * (n + 0.5);
    const std::complex<double> w = (2.0 * n + 1) * u;
    sum += (n % 2 ? -1.0 : 1.0) * (std::exp(power + i * w) - std::exp(power - i * w)) / (2.0 * i);
  }
  return 2.0 * sum;
}

double Theta1Slope(double q) {
  double sum = 0;
  for (int n = 0; n < 12; ++n)
    sum += (n % 2 ? -1.0 : 1.0) * std::pow(q, (n + 0.5) * (n + 0.5)) * (2.0 * n + 1);
  return 2.0 * sum;
}
} // namespace

// The periodic solution of ∇²G = δ − 1/ab is ln|θ1(πz/a, e^−πb/a)|/2π − y²/2ab. Its series
// converge fastest with the longer spacing across the rows, so the axes are swapped when
// b < a; the point is moved into the cell around the well (−a/2..a/2, −b/2..b/2) first.
double PatternPotential(double a, double b, double x, double y) {
  if (b < a) {
    std::swap(a, b);
    std::swap(x, y);
  }
  x -= a * std::round(x / a);
  y -= b * std::round(y / b);
  const std::complex<double> u = kPi * std::complex<double>(x, y) / a;
  return (std::log(std::abs(Theta1(u, kPi * b / a))) -
          std::log(Theta1Slope(std::exp(-kPi * b / a)) * kPi / a)) /
             (2 * kPi) -
         y * y / (2 * a * b);
}

double CirclePotential(double area, double r) {
  const double rimSquared = area / kPi;
  return (std::log(r) - r * r / (2 * rimSquared)) / (2 * kPi);
}

double RimCoefficient(double a, double b, double x, double y) {
  const double area = a * b;
  return PatternPotential(a, b, x, y) - CirclePotential(area, std::sqrt(area / kPi));
}
