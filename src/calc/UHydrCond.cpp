#include "calc/UHydrCond.h"

#include "calc/CalcFiles.h"
#include "calc/RunSize.h"
#include "calc/UTrellow.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <cmath>

ConductivitySearch Conductivity;

namespace {
void SetAllPermeabilities(double k) {
  Flow.Ka = Flow.Kb1 = Flow.Kv1 = Flow.Kb2 = Flow.Kv2 = Flow.K1 = Flow.K2 = k;
}
} // namespace

void CheckConductivityInput() {
  FlowModelState& s = Flow;
  {
    InputNumbers in;
    for (double* value : {&s.R, &s.Dm, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.S})
      *value = in.Next();
  }
  ErrorList errors;
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
void WriteConductivityReport(Report& report) {
  FlowModelState& s = Flow;
  ConductivitySearch& c = Conductivity;
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
  report.Line(" Output data:");

  c.Klo = 0.001;
  c.Khi = 1000.0;
  c.K = s.R;
  PrepareConductivity();
  RunProgress.Start(kConductivityPassLimit * StepsOfPass(s.S, s.rw, 0.0001) +
                    StepsOfPass(s.S, s.rw, 0.00001));
  c.PassCount = 0;
  StillWorkingMessages stillWorking;
  SearchMoves moves;
  double diff;
  for (;;) {
    ++c.PassCount;
    SetAllPermeabilities(c.K);
    ConductivitySearchPass();
    diff = Store(std::fabs(LD(s.h) - s.H));
    if (diff < s.tol || c.PassCount >= kConductivityPassLimit)
      break;
    stillWorking.Update(s.S, diff, s.tol);
    // A higher conductivity lowers the head.
    moves.Bisect(s.h >= s.H, c.K, c.Klo, c.Khi);
  }
  CalcHeadProfile(report.writer());
  s.Q = Store(kPi * s.R * s.S * s.S);
  s.R = s.Q;
  report.Line(" #");
  report.Value(" The average hydraulic conductivity (Darcy, m/d) is: ", c.K, 8, 3);
  report.Line(" #");
  report.Value(" Midway hydr. head (Darcy,  m) is: ", s.h, 8, 3);
  report.Value(" Midway W.T. depth (Darcy,  m) is: ", Store(LD(s.Dw) - s.h), 8, 3);
  report.Value(" The well discharge  (m3/day)  is: ", s.Q, 8, 1);
  report.Line(" #");
  CloseReportWithNote(report, NotConvergedText(moves.End(diff < s.tol), "hydraulic conductivity",
                                               "0.001 m/day", "1000 m/day"));
}
} // namespace

void CalcConductivity() { WriteReport(WriteConductivityReport); }
