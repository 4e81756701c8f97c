#include "calc/UTrellow.h"

#include "calc/CalcFiles.h"
#include "calc/FlowPass.h"
#include "calc/RunSize.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace flowpass;

FlowModelState Flow;
bool InputErrorFlag = false;

namespace {
constexpr int64_t kMarkFactors[3] = {4, 20, 100};

double AtLeastZero(long double value) { return Store(value > 0.0L ? value : 0.0L); }

// Anisotropy factor and equivalent permeability of one layer.
void ScaleLayer(double kb, double kv, double& a, double& k) {
  k = 0.0;
  if (kv > 0.0) {
    a = Store(std::sqrt(Divide(kb, kv)));
    if (a > 0.0)
      k = Store(Divide(kb, a));
  } else {
    a = 1000000.0;
  }
}

// Sets p, N0 and N of a pass; false when the midway point lies within the well radius.
bool PassSteps(double p) {
  Flow.p = p;
  Flow.N0 = FirstStep(Flow.rw, p);
  Flow.N = RoundHalfEven(Divide(Flow.S, p));
  return Flow.N >= Flow.N0;
}

// A search pass of the current state from the entrance head he; leaves h and g.
template <class Factors> void SearchPass() {
  HeadAndGradient head{Flow.he, 0.0};
  NoRows rows;
  IntegrateBranch<Factors>(Flow, {Flow.S, Flow.R, Flow.p, Flow.N0, Flow.N}, head, rows);
  Flow.h = head.F;
  Flow.g = head.G;
}

// The printed distance of a fine-pass row.
struct FineX {
  static double Of(int64_t i, double p) { return Store(LD(i) * 0.855L * p); }
};
} // namespace

// A well that reaches the bottom of layer 2 keeps its radius: the head is integrated from
// the well face in every pass.
void PrepareLayers() {
  FlowModelState& s = Flow;
  ScaleLayer(s.Kb1, s.Kv1, s.a1, s.K1);
  ScaleLayer(s.Kb2, s.Kv2, s.a2, s.K2);
  s.T1t = Store(LD(s.T1) * s.a1);
  s.T2t = Store(LD(s.T2) * s.a2);
  s.Tt = Store(LD(s.T1t) + s.T2t);
  s.L1t = Store(LD(s.Lw) * s.a1);
  s.L2t = Store(LD(s.L2) * s.a2);
  if (s.D1 > s.Db) {
    s.Bt = AtLeastZero(LD(s.rw) - s.L1t);
    s.St = AtLeastZero(LD(s.L1t) - s.rw);
  } else if (s.D2 > s.Db) {
    s.Bt = AtLeastZero(LD(s.rw) - s.L2t);
    s.St = AtLeastZero(LD(s.L2t) - s.rw);
  } else {
    s.Bt = 0.0;
    s.St = AtLeastZero(s.L2t);
  }
}

ProfileRowSelector::ProfileRowSelector(int64_t interval, int64_t first, int64_t last)
    : interval_(interval), first_(first), last_(last), next_(first) {
  for (int k = 0; k < 3; ++k)
    markStep_[k] = interval > 0 ? interval / std::gcd(interval, kMarkFactors[k]) : 0;
}

bool ProfileRowSelector::TakeCandidate(int64_t i) {
  bool write = i == first_ || i == last_ || (interval_ > 0 && i % interval_ == 0);
  for (int k = 0; k < 3 && !write && interval_ > 0; ++k) {
    const int64_t multiple = kMarkFactors[k] * i;
    if (!markSet_[k] && multiple % interval_ == 0 && multiple <= last_) {
      markSet_[k] = true;
      write = true;
    }
  }
  next_ = CandidateAfter(i);
  return write;
}

int64_t ProfileRowSelector::CandidateAfter(int64_t i) const {
  int64_t next = INT64_MAX;
  if (first_ > i)
    next = first_;
  if (last_ > i && last_ < next)
    next = last_;
  if (interval_ <= 0)
    return next;
  next = std::min(next, (i / interval_ + 1) * interval_);
  for (int k = 0; k < 3; ++k) {
    if (markSet_[k])
      continue;
    const int64_t candidate = (i / markStep_[k] + 1) * markStep_[k];
    if (candidate <= last_ / kMarkFactors[k])
      next = std::min(next, candidate);
  }
  return next;
}

void PrepareSpacing() {
  PrepareLayers();
  Flow.p = 0.01;
  Flow.N0 = FirstStep(Flow.rw, Flow.p);
  Flow.Slo = 1.0;
  Flow.Shi = 1000.0;
  Flow.S = 1.0;
  Flow.tol = 0.00001;
  Flow.g = 0.0;
  Flow.h = 0.0;
}

void PrepareDischarge() {
  PrepareLayers();
  Flow.S = Store(LD(Flow.S) / 2.0L);
  Flow.p = 0.01;
  Flow.N0 = FirstStep(Flow.rw, Flow.p);
  Flow.Rlo = 0.0001;
  Flow.Rhi = 1.0;
  Flow.R = 0.0001;
  Flow.tol = 0.00001;
  Flow.g = 0.0;
  Flow.h = 0.0;
}

// Isotropic preparation: the conductivity search sets every permeability itself. The caller
// takes the first estimate from R before this turns R into the intensity Rc.
void PrepareConductivity() {
  FlowModelState& s = Flow;
  s.T1t = s.T1;
  s.T2t = s.T2;
  s.Tt = Store(LD(s.T1t) + s.T2t);
  s.L1t = s.Lw;
  s.L2t = s.L2;
  if (s.D2 > s.Db) {
    s.Bt = AtLeastZero(LD(s.rw) - s.L1t);
    s.St = AtLeastZero(LD(s.L1t) - s.rw);
  } else {
    s.Bt = 0.0;
    s.St = AtLeastZero(s.L2t);
  }
  s.p = 0.0001;
  s.S = Store(LD(s.S) / 2.0L);
  s.N = RoundHalfEven(Divide(s.S, s.p));
  s.N0 = FirstStep(s.rw, s.p);
  s.tol = 0.00001;
  s.R = Store(4.0L * s.R / kPi);
  s.he = Store(Divide(3.14L * s.R * s.E * s.S * s.S, s.Lw));
  s.g = 0.0;
  s.h = 0.0;
}

void SpacingSearchPass() {
  if (!PassSteps(0.01))
    return;
  Flow.he = Store(Divide(3.14L * Flow.S * Flow.S * Flow.R * Flow.E, Flow.Lw));
  SearchPass<Factors628>();
}

void DischargeSearchPass() {
  if (!PassSteps(0.01))
    return;
  Flow.he = Store(Divide(kPi * Flow.S * Flow.S * Flow.R * Flow.E, Flow.Lw));
  SearchPass<FactorsPi>();
}

void ConductivitySearchPass() {
  if (!PassSteps(0.0001))
    return;
  SearchPass<Factors22Sevenths>();
}

void CalcHeadProfile(TextWriter& report) {
  FlowModelState& s = Flow;
  int64_t interval = RoundHalfEven(LD(s.S) / 10.0L);
  interval = RoundHalfEven(LD(interval) / 0.00001L);
  if (interval < 1)
    interval = RoundHalfEven(LD(s.S) / 0.00001L);
  s.p = 0.00001;
  s.N0 = FirstStep(s.rw, s.p);
  s.N = RoundHalfEven(Divide(s.S, s.p));
  s.F = 0.0;
  s.G = 0.0;
  s.he = Store(Divide(3.14L * s.S * s.S * s.R * s.E, s.Lw));
  RunProgress.Plan(s.N < s.N0 ? 0 : int64_t{s.N} - s.N0 + 1);
  if (s.N < s.N0)
    return;

  TableRows<FineX> rows{ProfileRowSelector(interval, s.N0, s.N), report, s.p};
  HeadAndGradient head{s.he, 0.0};
  const int64_t half = (int64_t{s.N0} + s.N) / 2;
  IntegrateBranch<Factors628>(s, {s.S, s.R, s.p, s.N0, std::min<int64_t>(half, s.N)}, head, rows);
  if (s.N > half) {
    AppServices().AppendProgress(" Almost done .....");
    IntegrateBranch<Factors628>(s, {s.S, s.R, s.p, half + 1, s.N}, head, rows);
  }
  s.F = head.F;
  s.G = head.G;
}

void CheckSpacingInput() {
  FlowModelState& s = Flow;
  {
    InputNumbers in;
    for (double* value : {&s.R, &s.D1, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.Ka, &s.Kb1, &s.Kv1,
                          &s.Kb2, &s.Kv2, &s.Dm})
      *value = in.Next();
  }
  ErrorList errors;
  if (s.R <= 0.0)
    errors.Add(" Make sure that R > 0.");
  CheckLayerGeometry(errors);
  if (s.Ka <= s.R)
    errors.Add(" Make sure that Ka >= R.");
  if (s.Kv1 <= s.R) {
    s.Kb1 = 0.0;
    s.Kb2 = 0.0;
  }
  if (s.Kv2 <= s.R)
    s.Kb2 = 0.0;
  s.H = Store(LD(s.Dw) - s.Dm);
  if (s.H <= 0.0)
    errors.Add(" Make sure that Dm < Dw.");
  errors.Finish();
}

namespace {
void WriteSpacingReport(Report& report) {
  FlowModelState& s = Flow;
  report.Line();
  report.Line(" Pumpfield, by Quorvath");
  report.Line(" Program Trellow calculates the well spacing using the Darcy equation.");
  report.Line(" It also calculates the shape of the watertable");
  report.Line(" The program allows the introduction of 3 soil layers with");
  report.Line(" anisotropic hydraulic conductivity.");
  report.Line(" Calculations can be made for situations with or");
  report.Line(" without entrance resistance.");
  report.Line();
  report.TitlesAndNames();
  report.Line(" Trellow input data: ");
  report.Line();
  report.Value(" Time average recharge or discharge         R    (m/day) :  ", s.R, 10, 4);
  report.Value(" Bottom depth of 1st layer below s.s.       D1       (m) :  ", s.D1, 10, 2);
  report.Value(" Bottom depth of 2nd layer below s.s.       D2       (m) :  ", s.D2, 10, 2);
  report.Value(" Depth waterlevel in well below s.s.        Dw       (m) :  ", s.Dw, 10, 2);
  report.Value(" Depth of well bottom below s.s.            Db       (m) :  ", s.Db, 10, 2);
  report.Value(" Entrance resistance at the well            E    (day/m) :  ", s.E, 10, 3);
  report.Value(" Diameter of the well screen                W        (m) :  ", s.W, 10, 3);
  report.Value(" Permeability above water level in well     Ka   (m/day) :  ", s.Ka, 10, 3);
  report.Value(" Horizontal permeability, 1st soil layer    Kb1  (m/day) :  ", s.Kb1, 10, 3);
  report.Value(" Vertical permeability, 1st soil layer      Kv1  (m/day) :  ", s.Kv1, 10, 4);
  report.Value(" Horizontal permeability, 2nd soil layer    Kb2  (m/day) :  ", s.Kb2, 10, 3);
  report.Value(" Vertical permeability, 2nd soil layer      Kv2  (m/day) :  ", s.Kv2, 10, 4);
  report.Value(" Depth watertable midway between wells      Dm       (m) :  ", s.Dm, 10, 2);
  report.Line();
  report.Line(" Output sequence (see also the Symbols button):");
  report.Line("   X       F         G/p");
  report.Line(" Output data:");

  PrepareSpacing();
  RunProgress.Start(40 * StepsOfPass(s.Shi, s.rw, 0.01) + StepsOfPass(s.Shi, s.rw, 0.00001));
  s.R = Store(4.0L * s.R / kPi);
  s.PassCount = 0;
  SearchMoves moves;
  double diff;
  for (;;) {
    ++s.PassCount;
    SpacingSearchPass();
    diff = Store(std::fabs(LD(s.h) - s.H));
    if (diff < s.tol || s.PassCount > 39)
      break;
    moves.Bisect(s.h < s.H, s.S, s.Slo, s.Shi);
  }
  AppServices().AppendProgress(" Progress 50% ....");
  CalcHeadProfile(report.writer());
  report.Line(FormatFixed(s.S, 6, 2) + FormatFixed(s.F, 10, 4) + FormatFixed(s.G, 10, 4));
  report.Line(" #");
  s.S = Store(2.0L * s.S);
  s.Q = Store(kPi * s.R * s.S * s.S / 4.0L);
  s.R = s.Q;
  report.Value(" The well spacing (Darcy,  m) is : ", s.S, 8, 2);
  report.Line(" #");
  report.Value(" Midway hydr. head (Darcy,  m) is: ", s.F, 8, 3);
  report.Value(" Midway W.T. depth (Darcy,  m) is: ", Store(LD(s.Dw) - s.h), 8, 3);
  report.Value(" The well discharge  (m3/day)  is: ", s.Q, 8, 1);
  report.Line(" #");
  CloseReportWithNote(report,
                      NotConvergedText(moves.End(diff < s.tol), "well spacing", "2 m", "2000 m"));
}
} // namespace

void CalcSpacing() { WriteReport(WriteSpacingReport); }
