// The steady head around a partially penetrating well in a confined anisotropic layer, with
// recharge through its top and no flow at the base and at the rim: a cosine series in depth with
// Bessel functions in the radius, the screen cut into segments of even inflow whose sizes make
// the head at the screen E times the inflow per metre (the well's water level is the zero).
#pragma once

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

class PartialPenetrationSeries {
public:
  // Heights z above the base: the layer is `thickness` thick, the screen runs from
  // `screenBottom` to the top. Permeabilities kh, kv (m/day), recharge (m/day), well radius rw,
  // rim radius, entrance resistance E (day/m).
  PartialPenetrationSeries(double thickness, double kh, double kv, double recharge, double rw,
                           double rim, double screenBottom, double E)
      : d_(thickness), kh_(kh), kv_(kv), n_(recharge), rw_(rw), rim_(rim) {
    for (int j = 0; j <= kSegments; ++j)
      edges_.push_back(screenBottom +
                       (d_ - screenBottom) * 0.5 * (1 - std::cos(kPi * j / kSegments)));
    Solve(E);
  }

  double Head(double r, double z) const {
    double head = constant_ + Radial(r) + n_ * z * z / (2 * d_ * kv_);
    for (int n = 1; n <= kTerms; ++n)
      head += std::cos(n * kPi * z / d_) * modes_[n] * Mode(n, r);
    return head;
  }

private:
  static constexpr double kPi = std::numbers::pi;
  static constexpr int kSegments = 40, kTerms = 1500;

  double Lambda(int n) const { return n * kPi / d_ * std::sqrt(kv_ / kh_); }
  // K0(λr) + c·I0(λr) with no slope at the rim, and its slope.
  double Mode(int n, double r, bool slope = false) const {
    const double l = Lambda(n), x = l * r;
    double value = slope ? -l * std::cyl_bessel_k(1, x) : std::cyl_bessel_k(0, x);
    if (l * (rim_ - r) < 40) {
      const double c = std::cyl_bessel_k(1, l * rim_) / std::cyl_bessel_i(1, l * rim_);
      value += c * (slope ? l * std::cyl_bessel_i(1, x) : std::cyl_bessel_i(0, x));
    }
    return value;
  }
  // Horizontal flow of all the recharge, spread over the layer's thickness.
  double Radial(double r) const {
    return n_ / (2 * kh_ * d_) * (rim_ * rim_ * std::log(r) - r * r / 2);
  }
  // ∫ cos(nπz/d) dz over segment j.
  double Overlap(int n, int j) const {
    return d_ / (n * kPi) *
           (std::sin(n * kPi * edges_[j + 1] / d_) - std::sin(n * kPi * edges_[j] / d_));
  }

  void Solve(double E) {
    // Head of mode n at the well per unit of inflow per metre in it.
    std::vector<double> response(kTerms + 1);
    for (int n = 1; n <= kTerms; ++n)
      response[n] = Mode(n, rw_) / (2 * kPi * rw_ * kh_ * Mode(n, rw_, true));
    const int m = kSegments;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(m + 1, m + 1);
    Eigen::VectorXd b = Eigen::VectorXd::Zero(m + 1);
    for (int j = 0; j < m; ++j) {
      const double length = edges_[j + 1] - edges_[j];
      for (int k = 0; k < m; ++k)
        for (int n = 1; n <= kTerms; ++n)
          a(j, k) += 2 / d_ * Overlap(n, k) * response[n] * Overlap(n, j) / length;
      a(j, j) -= E;
      a(j, m) = 1;
      const double meanVertical =
          n_ / (6 * d_ * kv_) * (std::pow(edges_[j + 1], 3) - std::pow(edges_[j], 3)) / length;
      b(j) = -(Radial(rw_) + meanVertical);
      a(m, j) = length;
    }
    b(m) = n_ * kPi * (rim_ * rim_ - rw_ * rw_);
    const Eigen::VectorXd x = a.fullPivLu().solve(b);
    constant_ = x(m);
    modes_.assign(kTerms + 1, 0);
    for (int n = 1; n <= kTerms; ++n) {
      for (int k = 0; k < m; ++k)
        modes_[n] += 2 / d_ * x(k) * Overlap(n, k);
      modes_[n] /= 2 * kPi * rw_ * kh_ * Mode(n, rw_, true);
    }
  }

  double d_, kh_, kv_, n_, rw_, rim_;
  std::vector<double> edges_, modes_;
  double constant_ = 0;
};
