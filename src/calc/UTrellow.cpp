#include "calc/UTrellow.h"

#include "calc/Engine.h"
#include "calc/FlowPass.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/Search.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace flowpass;

namespace {
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
bool PassSteps(FlowModelState& s, double p) {
  s.p = p;
  s.N0 = FirstStep(s.rw, p);
  s.N = RoundHalfEven(Divide(s.S, p));
  return s.N >= s.N0;
}

// A search pass of the current state from the entrance head he; leaves h and g.
template <class Factors> void SearchPass(Engine& engine) {
  FlowModelState& s = engine.Flow;
  HeadAndGradient head{s.he, 0.0};
  NoRows rows;
  IntegrateBranch<Factors>(s, engine.RunProgress, {s.S, s.R, s.p, s.N0, s.N}, head, rows);
  s.h = head.F;
  s.g = head.G;
}

// The printed distance of a fine-pass row.
struct FineX {
  static double Of(int64_t i, double p) { return Store(LD(i) * 0.855L * p); }
};
} // namespace

// A well that reaches the bottom of layer 2 keeps its radius: the head is integrated from
// the well face in every pass.
void PrepareLayers(FlowModelState& s) {
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

void PrepareSpacing(FlowModelState& s) {
  PrepareLayers(s);
  s.p = 0.01;
  s.N0 = FirstStep(s.rw, s.p);
  s.Slo = 1.0;
  s.Shi = 1000.0;
  s.S = 1.0;
  s.tol = 0.00001;
  s.g = 0.0;
  s.h = 0.0;
}

void PrepareDischarge(FlowModelState& s) {
  PrepareLayers(s);
  s.S = Store(LD(s.S) / 2.0L);
  s.p = 0.01;
  s.N0 = FirstStep(s.rw, s.p);
  s.Rlo = 0.0001;
  s.Rhi = 1.0;
  s.R = 0.0001;
  s.tol = 0.00001;
  s.g = 0.0;
  s.h = 0.0;
}

// Isotropic preparation: the conductivity search sets every permeability itself. The caller
// takes the first estimate from R before this turns R into the intensity Rc.
void PrepareConductivity(FlowModelState& s) {
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

void SpacingSearchPass(Engine& engine) {
  FlowModelState& s = engine.Flow;
  if (!PassSteps(s, 0.01))
    return;
  s.he = Store(Divide(3.14L * s.S * s.S * s.R * s.E, s.Lw));
  SearchPass<Factors628>(engine);
}

void DischargeSearchPass(Engine& engine) {
  FlowModelState& s = engine.Flow;
  if (!PassSteps(s, 0.01))
    return;
  s.he = Store(Divide(kPi * s.S * s.S * s.R * s.E, s.Lw));
  SearchPass<FactorsPi>(engine);
}

void ConductivitySearchPass(Engine& engine) {
  if (!PassSteps(engine.Flow, 0.0001))
    return;
  SearchPass<Factors22Sevenths>(engine);
}

void CalcHeadProfile(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
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
  engine.RunProgress.Plan(s.N < s.N0 ? 0 : int64_t{s.N} - s.N0 + 1);
  if (s.N < s.N0)
    return;

  TableRows<FineX> rows{ProfileRowSelector(interval, s.N0, s.N), report, s.p};
  HeadAndGradient head{s.he, 0.0};
  const int64_t half = (int64_t{s.N0} + s.N) / 2;
  IntegrateBranch<Factors628>(s, engine.RunProgress,
                              {s.S, s.R, s.p, s.N0, std::min<int64_t>(half, s.N)}, head, rows);
  if (s.N > half) {
    engine.services.AppendProgress(" Almost done .....");
    IntegrateBranch<Factors628>(s, engine.RunProgress, {s.S, s.R, s.p, half + 1, s.N}, head, rows);
  }
  s.F = head.F;
  s.G = head.G;
}

void CheckLayerGeometry(FlowModelState& s, ErrorList& errors, const char* layerOrderMessage) {
  s.T1 = Store(LD(s.D1) - s.Dw);
  s.T2 = Store(LD(s.D2) - s.D1);
  if (s.T2 < 0.0)
    errors.Add(layerOrderMessage);
  s.Lw = Store(LD(s.Db) - s.Dw);
  if (s.Lw <= 0.0)
    errors.Add(" Make sure that Db > Dw.");
  s.L2 = Store(LD(s.Db) - s.D1);
  if (s.E < 0.0)
    errors.Add(" Make sure that E >= 0.");
  s.rw = Store(LD(s.W) / 2.0L);
  if (s.T2 != 0.0 && s.Db < s.D1 && s.D1 < LD(s.Db) + s.rw)
    errors.Add(" Make sure that D1 > Db+Wd/2 or D1 < Db.");
  if (s.Db < s.D2 && s.D2 < LD(s.Db) + s.rw)
    errors.Add(" Make sure that D2 < Db or D2 > Db+Wd/2.");
}

void CheckSpacingInput(Engine& engine) {
  FlowModelState& s = engine.Flow;
  {
    InputNumbers in(engine);
    for (double* value : {&s.R, &s.D1, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.Ka, &s.Kb1, &s.Kv1,
                          &s.Kb2, &s.Kv2, &s.Dm})
      *value = in.Next();
  }
  ErrorList errors(engine);
  if (s.R <= 0.0)
    errors.Add(" Make sure that R > 0.");
  CheckLayerGeometry(s, errors);
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
void WriteSpacingReport(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
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
  report.Marker(" Output data:");

  PrepareSpacing(s);
  engine.RunProgress.Start(40 * StepsOfPass(s.Shi, s.rw, 0.01) + StepsOfPass(s.Shi, s.rw, 0.00001));
  s.R = Store(4.0L * s.R / kPi);
  s.PassCount = 0;
  SearchMoves moves;
  double diff;
  for (;;) {
    ++s.PassCount;
    SpacingSearchPass(engine);
    diff = Store(std::fabs(LD(s.h) - s.H));
    if (diff < s.tol || s.PassCount > 39)
      break;
    moves.Bisect(s.h < s.H, s.S, s.Slo, s.Shi);
  }
  engine.services.AppendProgress(" Progress 50% ....");
  CalcHeadProfile(engine, report);
  report.Row(s.S, s.F, s.G);
  report.Line(" #");
  s.S = Store(2.0L * s.S);
  s.Q = Store(kPi * s.R * s.S * s.S / 4.0L);
  s.R = s.Q;
  report.Result("S", " The well spacing (Darcy,  m) is : ", s.S, 8, 2);
  report.Line(" #");
  report.Result("H", " Midway hydr. head (Darcy,  m) is: ", s.F, 8, 3);
  report.Result("Dm", " Midway W.T. depth (Darcy,  m) is: ", Store(LD(s.Dw) - s.h), 8, 3);
  report.Result("Q", " The well discharge  (m3/day)  is: ", s.Q, 8, 1);
  report.Line(" #");
  CloseReportWithNote(report,
                      NotConvergedText(moves.End(diff < s.tol), "well spacing", "2 m", "2000 m"));
}
} // namespace

void CalcSpacing(Engine& engine) { WriteReport(engine, WriteSpacingReport); }
