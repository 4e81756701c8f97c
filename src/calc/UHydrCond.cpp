#include "calc/UHydrCond.h"

#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/Search.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <cmath>

namespace {
void SetAllPermeabilities(FlowModelState& s, double k) {
  s.Ka = s.Kb1 = s.Kv1 = s.Kb2 = s.Kv2 = s.K1 = s.K2 = k;
}
} // namespace

void CheckConductivityInput(Engine& engine) {
  FlowModelState& s = engine.Flow;
  {
    InputNumbers in(engine);
    for (double* value : {&s.R, &s.Dm, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.S})
      *value = in.Next();
  }
  ErrorList errors(engine);
  if (s.R <= 0.0)
    errors.Add(" Make sure that R > 0.");
  s.D1 = s.D2;
  s.T1 = Store(LD(s.D2) - s.Dw);
  if (s.T1 < 0.0)
    errors.Add(" Make sure that D2 > Dw.");
  s.T2 = Store(LD(s.D2) - s.D1);
  s.Lw = Store(LD(s.Db) - s.Dw);
  if (s.Lw <= 0.0)
    errors.Add(" Make sure that Db > Dw.");
  s.L2 = Store(LD(s.Db) - s.D1);
  if (s.E < 0.0)
    errors.Add(" Make sure that E >= 0.");
  s.rw = Store(LD(s.W) / 2.0L);
  s.H = Store(LD(s.Dw) - s.Dm);
  if (s.H <= 0.0)
    errors.Add(" Make sure that Dm < Dw.");
  errors.Finish();
}

namespace {
void WriteConductivityReport(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
  ConductivitySearch& c = engine.Conductivity;
  report.Line(" Quiston, by Quorvath");
  report.Line(" Program Quiston calculates the well discharge using the Darcy");
  report.Line(" equation.");
  report.Line(" It also calculates the shape of the watertable");
  report.Line(" The program allows the introduction of 3 soil layers with");
  report.Line(" anisotropic hydraulic conductivity.");
  report.Line(" Calculations can be made for situations with or without");
  report.Line(" entrance resistance.");
  report.Line();
  report.TitlesAndNames();
  report.Line(" Quiston input data: ");
  report.Line();
  report.Value(" Time average recharge or discharge       R    (m/day) :  ", s.R, 10, 4);
  report.Value(" Depth watertable midway between wells    Dm       (m) :  ", s.Dm, 10, 2);
  report.Value(" Bottom depth of 2nd layer below s.s.     D2       (m) :  ", s.D2, 10, 2);
  report.Value(" Depth waterlevel in well below s.s.      Dw       (m) :  ", s.Dw, 10, 2);
  report.Value(" Depth of well bottom below s.s.          Db       (m) :  ", s.Db, 10, 2);
  report.Value(" Entrance resistance at the well          E    (day/m) :  ", s.E, 10, 3);
  report.Value(" Diamater of well screen                  W        (m) :  ", s.W, 10, 3);
  report.Value(" Spacing betweeen the wells               S        (m) :  ", s.S, 10, 2);
  report.Line();
  report.Line(" Height of the water table (see Symbols button):");
  report.Line("   X       F        G/p");
  report.Marker(" Output data:");

  c.Klo = 0.001;
  c.Khi = 1000.0;
  c.K = s.R;
  PrepareConductivity(s);
  engine.RunProgress.Start(kConductivityPassLimit * StepsOfPass(s.S, s.rw, 0.0001) +
                           StepsOfPass(s.S, s.rw, 0.00001));
  c.PassCount = 0;
  StillWorkingMessages stillWorking(engine.services);
  SearchMoves moves;
  double diff;
  for (;;) {
    ++c.PassCount;
    SetAllPermeabilities(s, c.K);
    ConductivitySearchPass(engine);
    diff = Store(std::fabs(LD(s.h) - s.H));
    if (diff < s.tol || c.PassCount >= kConductivityPassLimit)
      break;
    stillWorking.Update(s.S, diff, s.tol);
    // A higher conductivity lowers the head.
    moves.Bisect(s.h >= s.H, c.K, c.Klo, c.Khi);
  }
  CalcHeadProfile(engine, report);
  s.Q = Store(kPi * s.R * s.S * s.S);
  s.R = s.Q;
  report.Line(" #");
  report.Result("K", " The average hydraulic conductivity (Darcy, m/d) is: ", c.K, 8, 3);
  report.Line(" #");
  report.Result("H", " Midway hydr. head (Darcy,  m) is: ", s.h, 8, 3);
  report.Result("Dm", " Midway W.T. depth (Darcy,  m) is: ", Store(LD(s.Dw) - s.h), 8, 3);
  report.Result("Q", " The well discharge  (m3/day)  is: ", s.Q, 8, 1);
  report.Line(" #");
  CloseReportWithNote(report, NotConvergedText(moves.End(diff < s.tol), "hydraulic conductivity",
                                               "0.001 m/day", "1000 m/day"));
}
} // namespace

void CalcConductivity(Engine& engine) { WriteReport(engine, WriteConductivityReport); }
