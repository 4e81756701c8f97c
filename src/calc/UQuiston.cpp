#include "calc/UQuiston.h"

#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "calc/RunSize.h"
#include "calc/Search.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <cmath>

void CheckDischargeInput(Engine& engine) {
  FlowModelState& s = engine.Flow;
  {
    InputNumbers in(engine);
    for (double* value : {&s.Dm, &s.D1, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.Ka, &s.Kb1, &s.Kv1,
                          &s.Kb2, &s.Kv2, &s.S})
      *value = in.Next();
  }
  ErrorList errors(engine);
  CheckLayerGeometry(s, errors);
  s.H = Store(LD(s.Dw) - s.Dm);
  if (s.H <= 0.0)
    errors.Add(" Make sure that Dm < Dw.");
  errors.Finish();
}

namespace {
void WriteDischargeReport(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
  report.Line(" Quiston, by Quorvath");
  report.Line(" Program Quiston calculates the well discharge using the Darcy");
  report.Line(" equation");
  report.Line(" It also calculates the shape of the watertable");
  report.Line(" The program allows the introduction of 3 soil layers with");
  report.Line(" anisotropic hydraulic conductivity.");
  report.Line(" Calculations can be made for situations with or");
  report.Line(" without entrance resistance.");
  report.Line();
  report.TitlesAndNames();
  report.Line(" Quiston input data: ");
  report.Line();
  report.Value(" Depth watertable midway between wells    Dm       (m) :  ", s.Dm, 10, 2);
  report.Value(" Bottom depth of 1st layer below s.s.     D1       (m) :  ", s.D1, 10, 2);
  report.Value(" Bottom depth of 2nd layer below s.s.     D2       (m) :  ", s.D2, 10, 2);
  report.Value(" Depth waterlevel in well below s.s.      Dw       (m) :  ", s.Dw, 10, 2);
  report.Value(" Depth of well bottom below s.s.          Db       (m) :  ", s.Db, 10, 2);
  report.Value(" Entrance resistance at the well          E    (day/m) :  ", s.E, 10, 3);
  report.Value(" Diamater of well screen                  W        (m) :  ", s.W, 10, 3);
  report.Value(" Permeability, above water level in well  Ka   (m/day) :  ", s.Ka, 10, 3);
  report.Value(" Horizontal permeability, 1st soil layer  Kb1  (m/day) :  ", s.Kb1, 10, 3);
  report.Value(" Vertical permeability, 1st soil layer    Kv1  (m/day) :  ", s.Kv1, 10, 4);
  report.Value(" Horizontal permeability, 2nd soil layer  Kb2  (m/day) :  ", s.Kb2, 10, 3);
  report.Value(" Vertical permeability, 2nd soil layer    Kv2  (m/day) :  ", s.Kv2, 10, 4);
  report.Value(" Spacing betweeen the wells               S        (m) :  ", s.S, 10, 2);
  report.Line();
  report.Line(" Output sequence (see also the Symbols button):");
  report.Line("   X       H        G/p");
  report.Marker(" Output data:");

  PrepareDischarge(s);
  engine.RunProgress.Start(40 * StepsOfPass(s.S, s.rw, 0.01) + StepsOfPass(s.S, s.rw, 0.00001));
  s.PassCount = 0;
  StillWorkingMessages stillWorking(engine.services);
  SearchMoves moves;
  double diff;
  for (;;) {
    ++s.PassCount;
    DischargeSearchPass(engine);
    diff = Store(std::fabs(LD(s.h) - s.H));
    if (diff < s.tol || s.PassCount > 39)
      break;
    stillWorking.Update(s.S, diff, s.tol);
    moves.Bisect(s.h < s.H, s.R, s.Rlo, s.Rhi);
  }
  CalcHeadProfile(engine, report);
  report.Line(" #");
  s.Q = Store(kPi * s.R * s.S * s.S);
  report.Result("R", " Well discharge (Darcy, m/day) is:  ", s.R, 8, 5);
  report.Result("Q", " The well discharge  (m3/day)  is: ", s.Q, 8, 1);
  report.Line(" #");
  report.Result("H", " Midway hydr. head  (Darcy,  m) is: ", s.h, 8, 3);
  report.Result("Dm", " Midway W.T. depth  (Darcy,  m) is: ", Store(LD(s.Dw) - s.h), 8, 3);
  report.Line(" #");
  CloseReportWithNote(report, NotConvergedText(moves.End(diff < s.tol), "well discharge",
                                               "0.0001 m/day", "1 m/day"));
}
} // namespace

void CalcDischarge(Engine& engine) { WriteReport(engine, WriteDischargeReport); }
