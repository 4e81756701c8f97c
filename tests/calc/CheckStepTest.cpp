#include "CalcTestSupport.h"
#include "calc/UHydrCond.h"
#include "calc/UQuiston.h"
#include "calc/UTrellow.h"
#include "calc/UVambrel.h"
#include "core/TextFile.h"

#include <gtest/gtest.h>

#include <map>

namespace {
struct Aim {
  std::string code;
  void (*check)(Engine&);
  std::vector<double> valid; // positions 1..14 of a parameter set without errors
};

const Aim kSpacing{
    "Spa", CheckSpacingInput, {0.003, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 1.5, 0}};
const Aim kDischarge{
    "Dis", CheckDischargeInput, {1.5, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 160, 0}};
const Aim kConductivity{"Con", CheckConductivityInput, {0.002, 1.4, 16, 3, 10, 0.1, 0.25, 120}};
const Aim kField{
    "Hydr", CheckHeadInput, {0.003, 4, 18, 2.5, 12, 0.2, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 180, 110}};

struct Case {
  const char* name;
  const Aim* aim;
  std::map<int, double> changes; // position -> value
  std::vector<std::string> messages;
};

const char* const kR = " Make sure that R > 0.";
const char* const kD2D1 = " Make sure that D2 >= D1.";
const char* const kDbDw = " Make sure that Db > Dw.";
const char* const kE = " Make sure that E >= 0.";
const char* const kD1 = " Make sure that D1 > Db+Wd/2 or D1 < Db.";
const char* const kD2 = " Make sure that D2 < Db or D2 > Db+Wd/2.";
const char* const kKa = " Make sure that Ka >= R.";
const char* const kDm = " Make sure that Dm < Dw.";

const Case kCases[] = {
    {"SpaValid", &kSpacing, {}, {}},
    {"SpaR", &kSpacing, {{1, 0}}, {kR}},
    {"SpaD2BelowD1", &kSpacing, {{3, 3}}, {kD2D1}},
    {"SpaDbAtDw", &kSpacing, {{5, 2.5}}, {kDbDw}},
    {"SpaE", &kSpacing, {{6, -0.1}}, {kE}},
    {"SpaD1WithinScreenEnd", &kSpacing, {{2, 12.1}}, {kD1}},
    {"SpaD1AtDbAccepted", &kSpacing, {{2, 12}}, {}},
    {"SpaD1AtDbPlusRadiusAccepted", &kSpacing, {{2, 12.15}}, {}},
    {"SpaD2WithinScreenEnd", &kSpacing, {{3, 12.1}}, {kD2}},
    {"SpaNoLayer2SkipsD1Check", &kSpacing, {{2, 12.1}, {3, 12.1}}, {kD2}},
    {"SpaKaEqualR", &kSpacing, {{1, 0.5}, {8, 0.5}}, {kKa}},
    {"SpaDmAtDw", &kSpacing, {{13, 2.5}}, {kDm}},
    {"SpaSeveral", &kSpacing, {{1, 0}, {3, 3}, {6, -1}, {13, 3}}, {kR, kD2D1, kE, kDm}},
    {"DisValid", &kDischarge, {{8, 0}}, {}},
    {"DisD2BelowD1", &kDischarge, {{3, 3}}, {kD2D1}},
    {"DisDbAtDw", &kDischarge, {{5, 1}}, {kDbDw}},
    {"DisE", &kDischarge, {{6, -0.1}}, {kE}},
    {"DisD1WithinScreenEnd", &kDischarge, {{2, 12.1}}, {kD1}},
    {"DisD2WithinScreenEnd", &kDischarge, {{3, 12.1}}, {kD2}},
    {"DisDmBelowDw", &kDischarge, {{1, 3}}, {kDm}},
    {"DisSeveral", &kDischarge, {{5, 1}, {6, -1}, {1, 2.5}}, {kDbDw, kE, kDm}},
    {"ConValid", &kConductivity, {}, {}},
    {"ConD2AtDwAccepted", &kConductivity, {{3, 3}}, {}},
    {"ConR", &kConductivity, {{1, 0}}, {kR}},
    {"ConD2AboveDw", &kConductivity, {{3, 2.9}}, {" Make sure that D2 > Dw."}},
    {"ConDbAtDw", &kConductivity, {{5, 3}}, {kDbDw}},
    {"ConE", &kConductivity, {{6, -2}}, {kE}},
    {"ConDm", &kConductivity, {{2, 3.5}}, {kDm}},
    {"ConSeveral",
     &kConductivity,
     {{1, -1}, {3, 2}, {5, 2}, {6, -1}, {2, 4}},
     {kR, " Make sure that D2 > Dw.", kDbDw, kE, kDm}},
    {"HydValid", &kField, {}, {}},
    {"HydR", &kField, {{1, 0}}, {kR}},
    {"HydD2BelowD1", &kField, {{3, 3}}, {" Make sure that D2 > D1."}},
    {"HydD2AtD1SkipsD1Check", &kField, {{2, 12.1}, {3, 12.1}}, {kD2}},
    {"HydDbAtDw", &kField, {{5, 2.5}}, {kDbDw}},
    {"HydE", &kField, {{6, -0.5}}, {kE}},
    {"HydD1WithinScreenEnd", &kField, {{2, 12.1}}, {kD1}},
    {"HydD2WithinScreenEnd", &kField, {{3, 12.1}}, {kD2}},
    {"HydKaEqualR", &kField, {{1, 0.5}, {8, 0.5}}, {kKa}},
    {"HydSeveral", &kField, {{1, 0}, {5, 2}, {8, -1}}, {kR, kDbDw, kKa}},
};

std::string ExpectedErrorList(const std::vector<std::string>& messages) {
  std::string text = " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\r\n\r\n";
  for (const auto& message : messages)
    text += message + "\r\n";
  if (!messages.empty())
    text += "\r\nPlease correct the errors.\r\n";
  return text;
}

class CheckStep : public CalcTest, public ::testing::WithParamInterface<Case> {};
} // namespace

TEST_P(CheckStep, WritesItsMessagesInOrder) {
  const Case& c = GetParam();
  std::vector<double> values = c.aim->valid;
  values.resize(14, 0.0);
  for (const auto& [position, value] : c.changes)
    values[position - 1] = value;
  WriteInput(c.aim->code, values);
  InputErrorFlag = c.messages.empty(); // the check step must set it either way
  c.aim->check(engine);
  EXPECT_EQ(ReadFileBytes("Error.lst"), ExpectedErrorList(c.messages));
  EXPECT_EQ(InputErrorFlag, !c.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllAims, CheckStep, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, SpacingCheckClearsHorizontalPermeabilitiesOfSlowLayers) {
  std::vector<double> values = kSpacing.valid;
  values[9] = 0.003; // Kv1 = R clears Kb1 and Kb2, though Kv2 > R
  WriteInput("Spa", values);
  CheckSpacingInput(engine);
  EXPECT_EQ(Flow.Kb1, 0);
  EXPECT_EQ(Flow.Kb2, 0);
  values = kSpacing.valid;
  values[11] = 0.002; // Kv2 < R clears Kb2 only
  WriteInput("Spa", values);
  CheckSpacingInput(engine);
  EXPECT_EQ(Flow.Kb1, 0.6);
  EXPECT_EQ(Flow.Kb2, 0);
  EXPECT_FALSE(InputErrorFlag);

  values = kField.valid;
  values[9] = 0.003;
  WriteInput("Hydr", values);
  CheckHeadInput(engine);
  EXPECT_EQ(Flow.Kb1, 0);
  EXPECT_EQ(Flow.Kb2, 0);
}

TEST_F(CalcTest, CheckStepsReadTheSavedFileInFreeFormat) {
  WriteFileBytes("spread.inp", "t1\nt2\nFile Name: x\nSpa\n 0.003 4\n18 2.5\t12 0.2 0.3 0.8\n"
                               "0.6 0.15 8 2.5 1.5\n");
  data.InputFileName = dir.file("spread.inp");
  CheckSpacingInput(engine);
  EXPECT_FALSE(InputErrorFlag);
  EXPECT_EQ(Flow.Dm, 1.5);
  EXPECT_EQ(Flow.T1, 1.5);
  EXPECT_EQ(Flow.H, 1.0);
  EXPECT_EQ(Flow.rw, 0.15);

  WriteFileBytes("bad.inp", "t1\nt2\nFile Name: x\nSpa\n 0.003 4 1O 2.5 12\n");
  data.InputFileName = dir.file("bad.inp");
  EXPECT_THROW(CheckSpacingInput(engine), InputOutputError);
  data.InputFileName = dir.file("missing.inp");
  EXPECT_THROW(CheckDischargeInput(engine), InputOutputError);
  EXPECT_THROW(CheckHeadInput(engine), InputOutputError);
  EXPECT_THROW(CheckConductivityInput(engine), InputOutputError);
}
