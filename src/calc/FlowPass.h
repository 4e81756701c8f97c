// The integration step of the flow model, shared by the passes of UTrellow and the field
// profiles of UVambrel. Each pass variant keeps its own constants and order of operations;
// the well-bottom branch of the transmissivity rule is fixed for a whole pass.
#pragma once

#include "calc/ProfileRows.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/UTrellow.h"
#include "core/Numerics.h"

#include <cstdint>

namespace flowpass {

enum class WellBottom { InLayer1, ThroughLayer2, InLayer2 };

inline WellBottom WellBottomOf(const FlowModelState& s) {
  if (s.D1 > s.Db)
    return WellBottom::InLayer1;
  if (s.D2 <= s.Db)
    return WellBottom::ThroughLayer2;
  return WellBottom::InLayer2;
}

// Summed permeability times thickness at mid-step head hm and penetration depth d.
template <WellBottom B> inline double Transmissivity(const FlowModelState& s, double hm, double d) {
  if constexpr (B == WellBottom::InLayer1) {
    const double base = Store(LD(s.Ka) * hm + LD(s.Kv1) * s.Bt);
    if (d > s.Tt)
      return Store(LD(base) + LD(s.K1) * s.T1t + LD(s.K2) * s.T2t);
    if (d > s.T1t)
      return Store(LD(base) + LD(s.K1) * s.T1t + LD(s.K2) * (LD(d) - s.T1t));
    return Store(LD(base) + LD(s.K1) * d);
  } else if constexpr (B == WellBottom::ThroughLayer2) {
    return Store(LD(s.Ka) * hm + LD(s.Kb1) * s.T1 + LD(s.Kb2) * s.T2);
  } else {
    const double base = Store(LD(s.Ka) * hm + LD(s.Kb1) * s.T1 + LD(s.Kv2) * s.Bt);
    if (d > s.T2t)
      return Store(LD(base) + LD(s.K2) * s.T2t);
    return Store(LD(base) + LD(s.K2) * d);
  }
}

// Cylinder and ring factors of the passes.
struct Factors628 {
  static double Cylinder(double x, double tr) { return Store(6.28L * x * tr); }
  static double Ring(double S, double x) { return Store(3.14L * (LD(S) * S - LD(x) * x)); }
};
struct FactorsPi {
  static double Cylinder(double x, double tr) { return Store(2.0L * kPi * x * tr); }
  static double Ring(double S, double x) { return Store(kPi * (LD(S) * S - LD(x) * x)); }
};
struct Factors22Sevenths {
  static double Cylinder(double x, double tr) { return Store(44.0L * x * tr / 7.0L); }
  static double Ring(double S, double x) { return Store((LD(S) * S - LD(x) * x) * 22.0L / 7.0L); }
};

// A pass that writes no rows and lets the head fall freely.
struct NoRows {
  static constexpr bool kRows = false;
  static constexpr bool kKeepPositive = false;
};

// A pass that writes the table rows selected by ProfileRowSelector and keeps the head at
// least 0.0001; XFormula::Of(i, p) gives the printed distance of step i.
template <class XFormula> struct TableRows {
  static constexpr bool kRows = true;
  static constexpr bool kKeepPositive = true;
  ProfileRowSelector selector;
  Report& report;
  double p;
  int64_t NextCandidate() const { return selector.NextCandidate(); }
  void Hit(int64_t i, double F, double G) {
    if (selector.TakeCandidate(i))
      report.Row(XFormula::Of(i, p), F, G);
  }
};

// The span of one integration pass: half spacing S (m), recharge intensity Rc (m/day), step
// p (m), and the steps first..last.
struct PassSpan {
  double S, Rc, p;
  int64_t first, last;
};

// The head F and the gradient G carried from step to step. Before the first step of a pass the
// caller sets F to the entrance head and G to 0, which makes hm equal to the entrance head.
struct HeadAndGradient {
  double F, G;
};

// The steps of `span`, the last of which leaves its x, d, hm, Tr and A in the state. Kept out
// of line and free of calls, so that each pass variant gets one loop in which the compiler can
// keep the extended-precision values of a step in registers; a call in the loop, however rare,
// would push them to memory at every step.
template <WellBottom B, class Factors, bool KeepPositive>
[[gnu::noinline]] void Steps(FlowModelState& s, const PassSpan& span, HeadAndGradient& head) {
  const double S = span.S, Rc = span.Rc, p = span.p, St = s.St;
  double F = head.F, G = head.G;
  for (int64_t i = span.first; i <= span.last; ++i) {
    const double x = Store((LD(i) - 0.5L) * p);
    const double d = Store(LD(Store(1.571L * x)) + St);
    const double hm = Store(LD(F) + 0.5L * G * p);
    const double tr = Factors::Cylinder(x, Transmissivity<B>(s, hm, d));
    const double A = Factors::Ring(S, x);
    G = Store(Divide(LD(Rc) * A, tr));
    F = Store(LD(F) + LD(G) * p);
    if constexpr (KeepPositive) {
      if (F < 0.0001L)
        F = Store(0.0001L);
    }
    if (i == span.last) [[unlikely]] {
      s.x = x;
      s.d = d;
      s.hm = hm;
      s.Tr = tr;
      s.A = A;
    }
  }
  head = {F, G};
}

// The steps of `span` in stretches short enough (a fraction of a second) for the run's
// progress to be told, and its cancel flag to be heard, between them.
template <WellBottom B, class Factors, bool KeepPositive>
inline void CountedSteps(FlowModelState& s, StepProgress& progress, const PassSpan& span,
                         HeadAndGradient& head) {
  constexpr int64_t kStretch = int64_t{1} << 22;
  for (int64_t first = span.first; first <= span.last;) {
    const int64_t last = span.last - first < kStretch ? span.last : first + kStretch - 1;
    Steps<B, Factors, KeepPositive>(s, {span.S, span.Rc, span.p, first, last}, head);
    progress.Advance(last - first + 1);
    first = last + 1;
  }
}

// One pass over `span` with the well-bottom branch B: the steps, and the rows that `rows`
// writes between them. Raises ArithmeticError as the expressions do.
template <WellBottom B, class Factors, class Rows>
inline void Integrate(FlowModelState& s, StepProgress& progress, const PassSpan& span,
                      HeadAndGradient& head, Rows& rows) {
  int64_t i = span.first;
  if constexpr (Rows::kRows) {
    // Stretches of steps, each ending at the next step that may write a row.
    for (int64_t row = rows.NextCandidate(); i <= row && row <= span.last;
         row = rows.NextCandidate()) {
      CountedSteps<B, Factors, Rows::kKeepPositive>(s, progress, {span.S, span.Rc, span.p, i, row},
                                                    head);
      rows.Hit(row, head.F, head.G);
      i = row + 1;
    }
  }
  CountedSteps<B, Factors, Rows::kKeepPositive>(s, progress,
                                                {span.S, span.Rc, span.p, i, span.last}, head);
}

// Integrate with the branch of the current state.
template <class Factors, class Rows>
inline void IntegrateBranch(FlowModelState& s, StepProgress& progress, const PassSpan& span,
                            HeadAndGradient& head, Rows& rows) {
  switch (WellBottomOf(s)) {
  case WellBottom::InLayer1:
    Integrate<WellBottom::InLayer1, Factors>(s, progress, span, head, rows);
    break;
  case WellBottom::ThroughLayer2:
    Integrate<WellBottom::ThroughLayer2, Factors>(s, progress, span, head, rows);
    break;
  case WellBottom::InLayer2:
    Integrate<WellBottom::InLayer2, Factors>(s, progress, span, head, rows);
    break;
  }
}

// First step index of a pass: the cell after the well face, at least 2.
inline int32_t FirstStep(double rw, double p) {
  const int64_t n0 = int64_t{RoundHalfEven(Divide(rw, p))} + 1;
  if (n0 > INT32_MAX)
    throw RangeError("Range check error");
  return n0 < 2 ? 2 : static_cast<int32_t>(n0);
}

} // namespace flowpass
