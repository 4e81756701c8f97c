// The layered-soil flow model shared by the spacing, discharge and conductivity aims, and the
// spacing aim itself. Lengths in m below the soil surface, permeabilities and recharge in
// m/day, entrance resistance in day/m. Arithmetic follows Numerics.h: a run may raise
// ArithmeticError (its report then ends where it was), and the check steps raise
// InputOutputError for an input file that cannot be read.
#pragma once

#include <cstdint>

class TextWriter;

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

extern FlowModelState Flow;

// Set by every check step: true when the input file holds an error.
extern bool InputErrorFlag;

// Anisotropy scaling and well-bottom terms of the layered soil (spacing, discharge and
// rectangular-field aims).
void PrepareLayers();
void PrepareSpacing();
void PrepareDischarge();
void PrepareConductivity();

// One coarse integration pass from the well face to S with the current state; leaves h and g.
void SpacingSearchPass();
void DischargeSearchPass();
void ConductivitySearchPass();

// The fine pass (step 0.00001 m): writes the profile rows to `report` and leaves F, G, p.
void CalcHeadProfile(TextWriter& report);

void CheckSpacingInput();
void CalcSpacing();

// Which steps of a profile write a table row: the first and the last step, every multiple of
// `interval`, and at most one step each whose 4-, 20- or 100-fold is a multiple of `interval`
// not above `last`. Evaluated in constant time per step; steps must be asked in increasing order.
class ProfileRowSelector {
public:
  ProfileRowSelector(int64_t interval, int64_t first, int64_t last);
  // The next step that may write a row; later steps before it write none.
  int64_t NextCandidate() const { return next_; }
  // Whether step i (the current candidate) writes a row; moves on to the next candidate.
  bool TakeCandidate(int64_t i);

private:
  int64_t CandidateAfter(int64_t i) const;
  int64_t interval_, first_, last_;
  int64_t markStep_[3];
  bool markSet_[3] = {false, false, false};
  int64_t next_;
};
