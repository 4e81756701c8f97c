#include "study/Sweep.h"

#include <gtest/gtest.h>

TEST(SweepGrid, ValuesAreSpacedAndRoundedAsTheInputFileHoldsThem) {
  const struct {
    const char* code;
    const char* text;
    std::vector<double> values;
  } rows[] = {
      {"Spa", "Kb1=0.5:1:3", {0.5, 0.75, 1}},
      {"Spa", "R=0.00125,0.002", {0.0013, 0.002}}, // four decimals for R
      {"Dis", "Dm=1.234,2", {1.23, 2}},            // two for the discharge aim's Dm
      {"Spa", "Kv1=0.12345", {0.1235}},
      {"Hydr", "Sb=100:80:3", {100, 90, 80}},
      {"Con", "S=-5,1e2", {-5, 100}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ParseVaried(row.text, row.code).values, row.values) << row.text;
}

TEST(SweepGrid, RefusesWhatItCannotRun) {
  const struct {
    const char* code;
    std::vector<std::string> varied;
    const char* message;
  } rows[] = {
      {"Spa", {"Kb=1"}, "its inputs are R, D1, D2, Dw, Db, E, W, Ka, Kb1, Kv1, Kb2, Kv2, Dm"},
      {"Spa", {"S=100"}, "\"S\" is no input of the aim \"Spa\""},
      {"Con", {"Kb1=1"}, "its inputs are R, Dm, D2, Dw, Db, E, W, S"},
      {"Hydr", {"Sa"}, "gives no values"},
      {"Spa", {"Dm=1,x"}, "\"x\" in \"Dm=1,x\" is no number"},
      {"Spa", {"Dm=1,2,"}, "is no number"},
      {"Spa", {"Dm=1:2"}, "neither SYMBOL=FROM:TO:COUNT"},
      {"Spa", {"Dm=1:2:1"}, "whole number of at least 2"},
      {"Spa", {"Dm=1:2:10001"}, "more than 10000 values"},
      {"Spa", {"Dm=1:2:99999999999999999999999"}, "more than 10000 values"},
      {"Spa", {"Dm=1,2", "Dm=3"}, "Dm is varied twice"},
      {"Spa", {"Dm=1:2:100", "R=0.001:0.002:101"}, "more than 10000 points"},
  };
  for (const auto& row : rows) {
    try {
      std::vector<VariedInput> varied;
      for (const std::string& text : row.varied)
        varied.push_back(ParseVaried(text, row.code));
      GridPoints(varied);
      ADD_FAILURE() << row.varied[0] << " was accepted";
    } catch (const SweepUsageError& error) {
      EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos) << error.what();
    }
  }
}

TEST(SweepGrid, PointsRunThroughEveryCombinationFirstInputSlowest) {
  const std::vector<VariedInput> varied = {ParseVaried("Kb1=1,2", "Spa"),
                                           ParseVaried("Dm=1,1.5,2", "Spa")};
  ASSERT_EQ(GridPoints(varied), 6u);
  const std::vector<std::vector<double>> expected = {{1, 1}, {1, 1.5}, {1, 2},
                                                     {2, 1}, {2, 1.5}, {2, 2}};
  for (size_t index = 0; index < 6; ++index)
    EXPECT_EQ(PointValues(varied, index), expected[index]);
}
