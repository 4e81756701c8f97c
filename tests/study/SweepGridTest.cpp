#include "GoldenFiles.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "study/Csv.h"
#include "study/Sweep.h"

#include <gtest/gtest.h>

namespace {
// "symbol (unit)" of every input line of a report, e.g. "Kb1 (m/day)", read from the lines
// between the " ... input data:" line and the next empty line.
std::vector<std::string> InputSymbolsOfReport(const std::string& reportName) {
  std::vector<std::string> symbols;
  TextReader report(reportName);
  bool inputs = false;
  while (!report.AtEnd()) {
    const std::string line = report.ReadLine();
    if (line.find("input data:") != std::string::npos) {
      report.ReadLine();
      inputs = true;
    } else if (inputs && line.empty()) {
      break;
    } else if (inputs) {
      const size_t open = line.find('('), close = line.find(')');
      std::string head = line.substr(0, open);
      head = head.substr(0, head.find_last_not_of(' ') + 1);
      symbols.push_back(head.substr(head.find_last_of(' ') + 1) + " " +
                        line.substr(open, close - open + 1));
    }
  }
  return symbols;
}

std::string AimCodeOf(const std::string& inputName) {
  TextReader input(inputName);
  for (int line = 0; line < 3; ++line)
    input.SkipLine();
  return input.ReadLine();
}
} // namespace

TEST(SweepSymbols, AreThoseTheReportPrintsForEachAim) {
  for (const std::string& input : GoldenInputs()) {
    const std::string code = AimCodeOf(input);
    std::vector<std::string> symbols;
    for (const SweepSymbol& symbol : SweepSymbols(*AimOfCode(code)))
      symbols.push_back(std::string(symbol.symbol) + " (" + symbol.unit + ")");
    EXPECT_EQ(symbols, InputSymbolsOfReport(ChangeFileExt(input, ".out"))) << input;
  }
}

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

TEST(Csv, QuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(CsvLine({"a.inp", "", "1.5"}), "a.inp,,1.5");
  EXPECT_EQ(CsvLine({"x,y", "say \"hi\"", "two\nlines"}),
            "\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\"");
}
