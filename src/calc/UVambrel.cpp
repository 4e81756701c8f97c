#include "calc/UVambrel.h"

#include "calc/Engine.h"
#include "calc/FlowPass.h"
#include "calc/RunFiles.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"

#include <cmath>

using namespace flowpass;

namespace {
// The printed distance of a field-profile row.
struct FieldX {
  static double Of(int64_t i, double p) { return Store(LD(i) * 1.77L * p / 2.0L); }
};

const char* const kMarkers[3] = {" Output data: (along the longer spacing)",
                                 " Output data: (along the shorter spacing)",
                                 " Output data: (along the diagonal)"};
const char* const kHeadSymbols[3] = {"Ha", "Hb", "Hd"};
const char* const kDepthSymbols[3] = {"Dma", "Dmb", "Dmd"};
const char* const kHeadLines[3] = {" Midway hydraulic head (m) for the larger spacing is  : ",
                                   " Midway hydraulic head (m) for the shorter spacing is  : ",
                                   " Midway hydraulic head (m) for the diagonal is  : "};
const char* const kDepthLines[3] = {" Midway watertable depth (m) for the larger spacing is: ",
                                    " Midway watertable depth (m) for the shorter spacing is: ",
                                    " Midway watertable depth (m) for the diagonal is: "};
} // namespace

void CheckHeadInput(Engine& engine) {
  FlowModelState& s = engine.Flow;
  FieldState& f = engine.Field;
  {
    InputNumbers in(engine);
    for (double* value : {&f.R, &s.D1, &s.D2, &s.Dw, &s.Db, &s.E, &s.W, &s.Ka, &s.Kb1, &s.Kv1,
                          &s.Kb2, &s.Kv2, &f.Sa, &f.Sb})
      *value = in.Next();
  }
  ErrorList errors(engine);
  if (!(f.R > 0.0))
    errors.Add(" Make sure that R > 0.");
  CheckLayerGeometry(s, errors, " Make sure that D2 > D1.");
  if (!(s.Ka > f.R))
    errors.Add(" Make sure that Ka >= R.");
  if (!(s.Kv1 > f.R)) {
    s.Kb1 = 0.0;
    s.Kb2 = 0.0;
  }
  if (!(s.Kv2 > f.R))
    s.Kb2 = 0.0;
  errors.Finish();
}

void PrepareHeadLayers(FlowModelState& s) { PrepareLayers(s); }

namespace {
void WriteWaterTableReport(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
  FieldState& f = engine.Field;
  report.Line();
  report.Line(" Pumpfield, by Quorvath");
  report.Line(" Program Vambrel calculates the shape of the water table");
  report.Line(" between wells using both the Darcy equation.");
  report.Line(" The program allows the introduction of 3 soil layers with");
  report.Line(" anisotropic hydraulic conductivity.");
  report.Line(" Calculations can be made for situtaions with or");
  report.Line(" without entrance resistance.");
  report.Line();
  report.TitlesAndNames();
  report.Line(" Ostvane input data: ");
  report.Line();
  report.Value(" Time average recharge or discharge       R    (m/day) :  ", f.R, 10, 4);
  report.Value(" Bottom depth of 1st layer below s.s.     D1       (m) :  ", s.D1, 10, 2);
  report.Value(" Bottom depth of 2nd layer below s.s.     D2       (m) :  ", s.D2, 10, 2);
  report.Value(" Depth waterlevel in well below s.s.      Dw       (m) :  ", s.Dw, 10, 2);
  report.Value(" Depth of well bottom below s.s.          Db       (m) :  ", s.Db, 10, 2);
  report.Value(" Entrance resistance at the drain         E    (day/m) :  ", s.E, 10, 3);
  report.Value(" Diameter of well screen                  W        (m) :  ", s.W, 10, 3);
  report.Value(" Permeability, above water level in well  Ka   (m/day) :  ", s.Ka, 10, 3);
  report.Value(" Horizontal permeability, 1st soil layer  Kb1  (m/day) :  ", s.Kb1, 10, 3);
  report.Value(" Vertical permeability, 1st soil layer    Kv1  (m/day) :  ", s.Kv1, 10, 4);
  report.Value(" Horizontal permeability, 2nd soil layer  Kb2  (m/day) :  ", s.Kb2, 10, 3);
  report.Value(" Vertical permeability, 2nd soil layer    Kv2  (m/day) :  ", s.Kv2, 10, 4);
  report.Value(" Largest spacing betweeen the wells       Sa       (m) :  ", f.Sa, 10, 2);
  report.Value(" Smallest spacing betweeen the wells      Sb       (m) :  ", f.Sb, 10, 2);

  PrepareHeadLayers(s);
  f.R = Store(LD(f.R) * 4.0L / kPi);
  CalcFieldProfiles(engine, report);
  report.Close();
  if (s.F > s.Dw)
    engine.services.ShowMessage(" Watertable above soil surface, adjust the data.");
}
} // namespace

void CalcWaterTableDepth(Engine& engine) { WriteReport(engine, WriteWaterTableReport); }

void CalcFieldProfiles(Engine& engine, Report& report) {
  FlowModelState& s = engine.Flow;
  FieldState& f = engine.Field;
  Services& services = engine.services;
  const auto diagonal = static_cast<double>(std::sqrt(LD(f.Sa) * f.Sa + LD(f.Sb) * f.Sb) / 2.0L);
  engine.RunProgress.Start(StepsOfPass(f.Sa / 2.0, s.rw, 0.01) +
                           StepsOfPass(f.Sb / 2.0, s.rw, 0.01) + StepsOfPass(diagonal, s.rw, 0.01));
  for (int profile = 1; profile <= 3; ++profile) {
    const LD SaSa = LD(f.Sa) * f.Sa, SbSb = LD(f.Sb) * f.Sb;
    const LD lengthSquared = profile == 1 ? SaSa : profile == 2 ? SbSb : SaSa + SbSb;
    f.Rc = Store(Divide(LD(f.R) * f.Sa * f.Sb, lengthSquared));
    if (profile == 1)
      f.L = Store(LD(f.Sa) / 2.0L);
    else if (profile == 2)
      f.L = Store(LD(f.Sb) / 2.0L);
    else
      f.L = Store(std::sqrt(SaSa + SbSb) / 2.0L);
    s.R = f.Rc;
    s.S = f.L;
    s.p = 0.01;
    s.N = RoundHalfEven(Divide(f.L, s.p));
    s.N0 = FirstStep(s.rw, s.p);
    s.he = Store(Divide(3.14L * f.Rc * s.E * f.L * f.L, s.Lw));
    f.cnt = RoundHalfEven(Divide(f.L, 10.0L * s.p));
    if (f.cnt < 1)
      f.cnt = RoundHalfEven(Divide(f.L, s.p));
    s.F = 0.0;
    s.G = 0.0;
    CalcFieldProfile(engine, profile, report);
    report.Line(" #");
    if (profile == 3)
      f.Q = Store(kPi * f.R * f.Sa * f.Sb / 4.0L);
    report.Result(kHeadSymbols[profile - 1], kHeadLines[profile - 1], s.F, 8, 3);
    report.Result(kDepthSymbols[profile - 1], kDepthLines[profile - 1], Store(LD(s.Dw) - s.F), 8,
                  3);
    report.Line(" #");
    if (profile == 3) {
      report.Result("Q", " The well discharge  (m3/day)  is: ", f.Q, 8, 1);
      report.Line(" #");
    }
    if (profile == 1) {
      services.AppendProgress(" Progressing .....");
      services.Pause(1000);
    } else if (profile == 2) {
      services.AppendProgress(" Almost done .....");
      services.Pause(1000);
    }
  }
}

void CalcFieldProfile(Engine& engine, int profile, Report& report) {
  FlowModelState& s = engine.Flow;
  const FieldState& f = engine.Field;
  report.Line();
  report.Line(" Output sequence (see also the Symbols button):");
  report.Line("   X       F         G/p");
  report.Marker(kMarkers[profile - 1]);
  if (s.N < s.N0)
    return;
  TableRows<FieldX> rows{ProfileRowSelector(f.cnt, s.N0, s.N), report, s.p};
  HeadAndGradient head{s.he, 0.0};
  IntegrateBranch<Factors628>(s, engine.RunProgress, {f.L, f.Rc, s.p, s.N0, s.N}, head, rows);
  s.F = head.F;
  s.G = head.G;
}
