#include "run/CheckBeforeSave.h"
#include "ScriptedServices.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

namespace {
// Consistent sets per aim; positions as in the input file.
//                       1      2   3   4  5   6    7    8   9  10   11  12   13   14
const DataSetR kSpa = {0.002, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, 1.2, 0};
const DataSetR kDis = {1.2, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, 100, 0};
const DataSetR kHyd = {0.002, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, 100, 60};
const DataSetR kCon = {0.002, 1.2, 10, 3, 8, 0.5, 0.3, 100, 0, 0, 0, 0, 0, 0};

struct CheckTest : ::testing::Test {
  ScriptedServices services;
  TDMPumpfield dm{&services};

  // Runs the checks; returns the message shown, or "" when they passed.
  std::string Check(const std::string& code, DataSetR params) {
    dm.AimCode = code;
    dm.Params = std::move(params);
    services.messages.clear();
    bool passed = false;
    CheckBeforeSave(dm, passed);
    EXPECT_LE(services.messages.size(), 1u);
    EXPECT_EQ(passed, services.messages.empty());
    return services.messages.empty() ? "" : services.messages[0];
  }
};

DataSetR With(DataSetR params, std::initializer_list<std::pair<int, double>> changes) {
  for (const auto& [position, value] : changes)
    params[position - 1] = value;
  return params;
}

const std::string kSuffix = " Input not saved. Please correct the data";
} // namespace

TEST_F(CheckTest, ConsistentSetsOfEveryAimPass) {
  EXPECT_EQ(Check("Spa", kSpa), "");
  EXPECT_EQ(Check("Dis", kDis), "");
  EXPECT_EQ(Check("Hyd", kHyd), "");
  EXPECT_EQ(Check("Hydr", kHyd), "");
  EXPECT_EQ(Check("Con", kCon), "");
}

TEST_F(CheckTest, EachTestGivesItsMessageWithTheSuffix) {
  EXPECT_EQ(Check("Spa", With(kSpa, {{13, -1}})), "Data cannot be negative." + kSuffix);
  EXPECT_EQ(Check("Dis", With(kDis, {{3, 1}})), "Take care that D2 is not less than D1." + kSuffix);
  EXPECT_EQ(Check("Hyd", With(kHyd, {{8, 0.002}})),
            "Take care that Ka is greater than R." + kSuffix);
  EXPECT_EQ(Check("Hyd", With(kHyd, {{14, 0.5}})),
            "Take care that S, or Sa and Sb, are larger than 2W." + kSuffix);
  EXPECT_EQ(Check("Dis", With(kDis, {{13, 0.6}})),
            "Take care that S, or Sa and Sb, are larger than 2W." + kSuffix);
  EXPECT_EQ(Check("Dis", With(kDis, {{1, 3}})), "Take care that Dm is less than Dw." + kSuffix);
  EXPECT_EQ(Check("Spa", With(kSpa, {{13, 3}, {4, 2}})),
            "Take care that Dm is less than Dw." + kSuffix);
  EXPECT_EQ(Check("Con", With(kCon, {{5, 3}})), ""); // Db is not tested for "Con"
  EXPECT_EQ(Check("Spa", With(kSpa, {{5, 3}})), "Take care that Db is greater than Dw." + kSuffix);
  EXPECT_EQ(Check("Con", With(kCon, {{7, 1}, {8, 1.5}})),
            "The spacing S is smaller than 2W." + kSuffix);
}

TEST_F(CheckTest, AValueTheFileWouldRoundToZeroOrWidenIsRefusedWithItsSavedText) {
  const struct {
    std::string code;
    DataSetR params;
    std::string message; // "" when the values pass
  } cases[] = {
      {"Spa", With(kSpa, {{1, 0.00004}}), "R would be saved as 0.0000."},
      {"Spa", With(kSpa, {{1, 0.00005}}), ""}, // rounded, yet not away
      {"Hyd", With(kHyd, {{11, 123456789012}}), "Kb2 would be saved as 123456789012.00."},
      {"Hyd", With(kHyd, {{11, 1234567.8}}), ""},    // fills its field of ten
      {"Con", With(kCon, {{12, 123456789012}}), ""}, // a value the aim does not read
      {"Hyd", With(kHyd, {{13, 60}, {14, 100}}), "Make sure that Sa >= Sb."},
      {"Hydr", With(kHyd, {{13, 60}, {14, 60}}), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code + " " + c.message);
    EXPECT_EQ(Check(c.code, c.params), c.message.empty() ? "" : c.message + kSuffix);
  }
}

TEST_F(CheckTest, TestsApplyOnlyToTheirAims) {
  EXPECT_EQ(Check("Con", With(kCon, {{3, 1}})), "");    // D2 < D1 is not tested for "Con"
  EXPECT_EQ(Check("Dis", With(kDis, {{8, 0}})), "");    // nor Ka <= R for "Dis"
  EXPECT_EQ(Check("Spa", With(kSpa, {{13, 0.5}})), ""); // value 13 is Dm, not S
  EXPECT_EQ(Check("Dis", With(kDis, {{14, 0.1}})), ""); // Sb only for the rectangular field
}

TEST_F(CheckTest, OnlyTheValuesOfTheAimMustNotBeNegative) {
  EXPECT_EQ(Check("Spa", With(kSpa, {{14, -1}})), "");
  EXPECT_EQ(Check("Dis", With(kDis, {{14, -1}})), "");
  EXPECT_EQ(Check("Con", With(kCon, {{9, -1}, {12, -1}, {13, -1}, {14, -1}})), "");
  EXPECT_EQ(Check("Hydr", With(kHyd, {{14, -1}})), "Data cannot be negative." + kSuffix);
  EXPECT_EQ(Check("Con", With(kCon, {{8, -1}})), "Data cannot be negative." + kSuffix);
}

TEST_F(CheckTest, OnlyTheFirstFailingTestIsReported) {
  EXPECT_EQ(Check("Spa", With(kSpa, {{3, 1}, {8, 0}, {5, 1}})),
            "Take care that D2 is not less than D1." + kSuffix);
}

TEST_F(CheckTest, SingleLayerClearsKb2AndKv2AfterPassing) {
  Check("Spa", With(kSpa, {{2, 5}, {3, 5}, {11, 2}}));
  EXPECT_EQ(dm.Params[10], 0.0);
  EXPECT_EQ(dm.Params[11], 0.0);
  Check("Spa", With(kSpa, {{2, 5}, {3, 5}, {11, 2}, {1, -1}}));
  EXPECT_EQ(dm.Params[10], 2.0); // not touched when a test fails
}
