// The layered-soil flow model shared by the spacing, discharge and conductivity aims, and the
// spacing aim itself. Lengths in m below the soil surface, permeabilities and recharge in
// m/day, entrance resistance in day/m. Arithmetic follows Numerics.h: a run may raise
// ArithmeticError (its report then ends where it was), and the check steps raise
// InputOutputError for an input file that cannot be read.
#pragma once

#include <cstdint>

class Engine;
class ErrorList;
class Report;

// The whole flow-model state: filled by the check steps, the preparations and the passes.
struct FlowModelState {
  // Inputs (S is the spacing as read; during a calculation the half spacing).
  double R = 0, D1 = 0, D2 = 0, Dw = 0, Db = 0, E = 0, W = 0, Ka = 0;
  double Kb1 = 0, Kv1 = 0, Kb2 = 0, Kv2 = 0, Dm = 0, S = 0;
  // Set by the check steps.
  double T1 = 0, T2 = 0, Lw = 0, L2 = 0, rw = 0, H = 0;
  // Set by the layer preparations.
  double a1 = 0, a2 = 0, K1 = 0, K2 = 0, T1t = 0, T2t = 0, Tt = 0, L1t = 0, L2t = 0;
  double Bt = 0, St = 0;
  // Integration: step, step indexes, last cell values, entrance head.
  double p = 0;
  int32_t N0 = 0, N = 0;
  double x = 0, d = 0, hm = 0, Tr = 0, A = 0, he = 0;
  double h = 0, g = 0; // head and gradient of the search passes
  double F = 0, G = 0; // head and gradient of the fine pass
  // Searches of the spacing and discharge aims, and the discharge found.
  double Slo = 0, Shi = 0, Rlo = 0, Rhi = 0, tol = 0, Q = 0;
  int32_t PassCount = 0;
};

// Anisotropy scaling and well-bottom terms of the layered soil (spacing, discharge and
// rectangular-field aims), on the engine's flow-model state.
void PrepareLayers(FlowModelState& s);
void PrepareSpacing(FlowModelState& s);
void PrepareDischarge(FlowModelState& s);
void PrepareConductivity(FlowModelState& s);

// The thickness, well-length and well-position checks of the aims with two layers: sets T1,
// T2, Lw, L2 and rw of the flow model and records their input errors; a layer 2 that ends
// above layer 1 is reported with `layerOrderMessage`.
void CheckLayerGeometry(FlowModelState& s, ErrorList& errors,
                        const char* layerOrderMessage = " Make sure that D2 >= D1.");

// One coarse integration pass from the well face to S with the current state; leaves h and g.
void SpacingSearchPass(Engine& engine);
void DischargeSearchPass(Engine& engine);
void ConductivitySearchPass(Engine& engine);

// The fine pass (step 0.00001 m): writes the profile rows to `report` and leaves F, G, p.
void CalcHeadProfile(Engine& engine, Report& report);

// Reads the engine's input, writes the error list, sets InputErrorFlag.
void CheckSpacingInput(Engine& engine);
// Searches the spacing and writes the report; needs a CheckSpacingInput without errors just
// before.
void CalcSpacing(Engine& engine);
