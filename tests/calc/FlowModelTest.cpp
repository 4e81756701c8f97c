#include "CalcTestSupport.h"
#include "calc/FlowPass.h"
#include "calc/UTrellow.h"
#include "core/Numerics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// Head rise from r0 to S for radial flow to a well with uniform recharge Rc over the circle of
// radius S, in a layer of transmissivity T.
double RadialHeadRise(double Rc, double T, double S, double r0) {
  return Rc / (2 * T) * (S * S * std::log(S / r0) - (S * S - r0 * r0) / 2);
}

// One homogeneous layer of transmissivity Kb1·T1 = 100 m2/day, penetrated by the well.
void HomogeneousLayer(FlowModelState& Flow, double halfSpacing, double Rc, double E) {
  Flow = FlowModelState();
  Flow.D1 = Flow.D2 = 12;
  Flow.Dw = 2;
  Flow.Db = 12;
  Flow.T1 = 10;
  Flow.Lw = 10;
  Flow.Kb1 = 10;
  Flow.Kv1 = 10;
  Flow.W = 0.3;
  Flow.rw = 0.15;
  Flow.S = halfSpacing;
  Flow.R = Rc;
  Flow.E = E;
  PrepareLayers(Flow);
}
} // namespace

TEST(PrepareLayers, StretchesAnisotropicLayersAndPlacesTheWellBottom) {
  FlowModelState Flow;
  Flow.Kb1 = 4, Flow.Kv1 = 1, Flow.Kb2 = 9, Flow.Kv2 = 4;
  Flow.D1 = 6, Flow.D2 = 20, Flow.Dw = 2, Flow.Db = 5, Flow.rw = 0.2;
  Flow.T1 = 4, Flow.T2 = 14, Flow.Lw = 3, Flow.L2 = -1;
  PrepareLayers(Flow);
  EXPECT_DOUBLE_EQ(Flow.a1, 2);
  EXPECT_DOUBLE_EQ(Flow.K1, 2);
  EXPECT_DOUBLE_EQ(Flow.a2, 1.5);
  EXPECT_DOUBLE_EQ(Flow.K2, 6);
  EXPECT_DOUBLE_EQ(Flow.T1t, 8);
  EXPECT_DOUBLE_EQ(Flow.T2t, 21);
  EXPECT_DOUBLE_EQ(Flow.Tt, 29);
  EXPECT_DOUBLE_EQ(Flow.L1t, 6);
  // Well ending in layer 1: no bottom width, the excess depth below the radius.
  EXPECT_DOUBLE_EQ(Flow.Bt, 0);
  EXPECT_DOUBLE_EQ(Flow.St, 5.8);

  // Well bottom exactly at D1 counts as ending in layer 2, with L2t = 0.
  Flow.Db = 6, Flow.L2 = 0;
  PrepareLayers(Flow);
  EXPECT_DOUBLE_EQ(Flow.Bt, 0.2);
  EXPECT_DOUBLE_EQ(Flow.St, 0);

  // A vertical permeability of 0 stands for an infinite anisotropy; Kb = 0 for none at all.
  Flow.Kv1 = 0, Flow.Kb2 = 0;
  PrepareLayers(Flow);
  EXPECT_DOUBLE_EQ(Flow.a1, 1000000.0);
  EXPECT_DOUBLE_EQ(Flow.K1, 0);
  EXPECT_DOUBLE_EQ(Flow.a2, 0);
  EXPECT_DOUBLE_EQ(Flow.K2, 0);
  EXPECT_DOUBLE_EQ(Flow.T2t, 0);
}

TEST(PrepareLayers, WellThroughLayer2KeepsItsRadius) {
  FlowModelState Flow;
  Flow.Kb1 = Flow.Kv1 = Flow.Kb2 = Flow.Kv2 = 1;
  Flow.D1 = 5, Flow.D2 = 10, Flow.Db = 10, Flow.Dw = 2, Flow.rw = 0.15;
  Flow.T1 = 3, Flow.T2 = 5, Flow.Lw = 8, Flow.L2 = 5;
  PrepareLayers(Flow);
  EXPECT_EQ(Flow.rw, 0.15);
  EXPECT_EQ(Flow.Bt, 0);
  EXPECT_DOUBLE_EQ(Flow.St, 5);
  PrepareSpacing(Flow);
  EXPECT_EQ(Flow.N0, 16); // the first cell after the well face at 0.15 m
}

TEST(Transmissivity, EachWellBottomBranchByHand) {
  using namespace flowpass;
  FlowModelState s;
  s.Ka = 0.5, s.Kv1 = 0.2, s.Bt = 0.1, s.K1 = 2, s.K2 = 6, s.T1t = 8, s.T2t = 21, s.Tt = 29;
  // Layer 1: base = 0.5·2 + 0.2·0.1 = 1.02.
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::InLayer1>(s, 2, 3), 1.02 + 2 * 3);
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::InLayer1>(s, 2, 10), 1.02 + 16 + 6 * 2);
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::InLayer1>(s, 2, 40), 1.02 + 16 + 6 * 21);
  // Through both layers: plain horizontal flow.
  s.Kb1 = 3, s.T1 = 4, s.Kb2 = 7, s.T2 = 5;
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::ThroughLayer2>(s, 2, 40), 1 + 12 + 35);
  // Layer 2: base = 0.5·2 + 3·4 + Kv2·Bt.
  s.Kv2 = 4;
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::InLayer2>(s, 2, 5), 13.4 + 6 * 5);
  EXPECT_DOUBLE_EQ(Transmissivity<WellBottom::InLayer2>(s, 2, 30), 13.4 + 6 * 21);
}

TEST_F(CalcTest, FinePassFollowsTheClosedFormFromTheWellFace) {
  HomogeneousLayer(Flow, 20, 0.005, 2.0);
  FineProfile();
  // Entrance head 3.14·S²·Rc·E/Lw = 3.14·400·0.005·2/10.
  EXPECT_NEAR(Flow.he, 1.256, 1e-12);
  EXPECT_EQ(Flow.N0, 15001);
  EXPECT_EQ(Flow.N, 2000000);
  EXPECT_NEAR(Flow.F - Flow.he, RadialHeadRise(0.005, 100, 20, 0.15), 1e-8);
  EXPECT_NEAR(Flow.G, 0.0, 1e-8); // no flow across the midway point
  EXPECT_EQ(Flow.p, 0.00001);
  EXPECT_EQ(services.progress, std::vector<std::string>{" Almost done ....."});
}

TEST_F(CalcTest, FinePassLeavesItsLastStepInTheState) {
  HomogeneousLayer(Flow, 2, 0.005, 2.0);
  FineProfile();
  // Step N = 200000 at x = 1.999995 m, with Tr = Kb1·T1 = 100 m2/day and no excess depth.
  EXPECT_DOUBLE_EQ(Flow.x, 1.999995);
  EXPECT_NEAR(Flow.d, 1.571 * 1.999995, 1e-12);
  EXPECT_NEAR(Flow.Tr, 6.28 * 1.999995 * 100, 1e-9);
  EXPECT_NEAR(Flow.A, 3.14 * 0.000005 * 3.999995, 1e-13); // S² − x² loses digits
  EXPECT_NEAR(Flow.hm, Flow.F, 1e-12); // the gradient has died out at the midway point
}

TEST_F(CalcTest, SearchPassesFollowTheClosedFormWithinTheirStep) {
  const double expected = RadialHeadRise(0.004, 100, 30, 0.15);
  HomogeneousLayer(Flow, 30, 0.004, 0.0);
  SpacingSearchPass(engine);
  EXPECT_NEAR(Flow.h, expected, 2e-4 * expected);
  HomogeneousLayer(Flow, 30, 0.004, 0.0);
  DischargeSearchPass(engine);
  EXPECT_NEAR(Flow.h, expected, 2e-4 * expected);
  // The conductivity pass uses 22/7 for π and its own, finer step.
  HomogeneousLayer(Flow, 30, 0.004, 0.0);
  Flow.he = 0;
  ConductivitySearchPass(engine);
  EXPECT_NEAR(Flow.h, expected, 1e-6 * expected);
}

TEST_F(CalcTest, HeadIsKeptAtLeast00001AndNoStepWithinTheWell) {
  HomogeneousLayer(Flow, 20, 0.005, 0.0);
  const auto rows = SplitCrLf(FineProfile());
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].substr(6, 10), "    0.0001"); // first step rises 7e-7 m only

  // Midway point inside the well radius: no step, no row, F = 0; a search pass keeps h.
  HomogeneousLayer(Flow, 0.1, 0.005, 1.0);
  EXPECT_EQ(FineProfile(), "");
  EXPECT_EQ(Flow.F, 0);
  Flow.h = 1.25;
  SpacingSearchPass(engine);
  EXPECT_EQ(Flow.h, 1.25);
}

TEST_F(CalcTest, ArithmeticFaultsRaiseErrors) {
  // No permeability at all and no entrance head: the first step has no flow capacity.
  HomogeneousLayer(Flow, 20, 0.005, 0.0);
  Flow.Kb1 = 0;
  EXPECT_THROW(FineProfile(), ArithmeticError);
  // A half spacing beyond 21474 m has more steps than a 32-bit index holds.
  HomogeneousLayer(Flow, 30000, 0.005, 0.0);
  EXPECT_THROW(FineProfile(), RangeError);
}
