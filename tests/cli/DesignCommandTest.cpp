#include "CliTestSupport.h"
#include "TempDir.h"
#include "api/Pumpfield.h"
#include "cli/Commands.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
const char* const kField = PUMPFIELD_SOURCE_DIR "/Data/field-rectangular.inp";
const char* const kSpacing = PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp";

nlohmann::json ReadJson(const std::string& path) {
  return nlohmann::json::parse(ReadFileBytes(path));
}

// The three midway depths of the field example with the given layout and well level all reach
// `depth`, by a run of its own.
bool Reaches(int nL, int nB, double length, double width, double Dw, double depth) {
  pumpfield::Inputs inputs = pumpfield::ReadInput(kField);
  const double a = length / nL, b = width / nB;
  inputs.values[12] = std::max(a, b);
  inputs.values[13] = std::min(a, b);
  inputs.values[3] = Dw;
  const pumpfield::Result result = pumpfield::Run(inputs);
  for (const char* symbol : {"Dma", "Dmb", "Dmd"})
    if (!result.converged || result.Value(symbol).value_or(-1e9) < depth)
      return false;
  return true;
}
} // namespace

TEST(Design, TheSameSeedGivesTheSameBytesForAnyNumberOfWorkers) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  std::string first;
  for (const char* workers : {"-j1", "-j3"}) {
    const CliRun run = Call("design", {"field.inp", "--uncertain", "Kb2=lognormal:8:1.5",
                                       "--uncertain", "R=normal:0.003:0.0004", "--samples", "60",
                                       "--required-depth", "0.5", "--json", "d.json", workers});
    ASSERT_EQ(run.status, kExitReportWritten) << run.err;
    if (first.empty())
      first = ReadFileBytes("d.json");
    else
      EXPECT_EQ(ReadFileBytes("d.json"), first);
  }
  const nlohmann::json json = ReadJson("d.json");
  for (const char* key : {"aim", "samples", "seed", "reliability", "failed_samples", "design_value",
                          "percentiles", "tornado"})
    EXPECT_TRUE(json.contains(key)) << key;
  EXPECT_EQ(json["samples"], 60);
  EXPECT_EQ(json["seed"], 1);
  for (const char* percent : {"5", "10", "50", "90", "95"})
    EXPECT_TRUE(json["percentiles"][percent].is_number()) << percent;
  ASSERT_EQ(json["tornado"].size(), 2u);
  EXPECT_GE(json["tornado"][0]["swing"], json["tornado"][1]["swing"]);
  // The shallowest depth reached with probability 0.9 is its 10th percentile.
  EXPECT_EQ(json["design_value"], json["percentiles"]["10"]);
}

// Samples that fail the input checks are counted, not used.
TEST(Design, FailedSamplesAreCounted) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const CliRun run = Call("design", {"field.inp", "--uncertain", "Dw=uniform:1:30", "--samples",
                                     "20", "--csv", "d.csv"});
  ASSERT_EQ(run.status, kExitReportWritten) << run.err;
  // D2 is 18 m: a level below it fails the checks; the strata above 18 m are 12 of 20.
  EXPECT_NE(ReadFileBytes("d.csv").find("failed samples,,,12,"), std::string::npos)
      << ReadFileBytes("d.csv");
}

// Both studies refuse what cannot be done as asked: a usage error that says why. A design runs
// case.inp with the arguments; a search gets its required options after them.
TEST(DesignAndOptimise, RefusedArguments) {
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(kSpacing));
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const std::vector<std::string> required = {"--required-depth", "1", "--well-cost", "10"};
  const struct {
    const char* command;
    std::vector<std::string> arguments;
    const char* message;
  } rows[] = {
      {"design", {"--uncertain", "Kb2=uniform:9:4"}, "LOW must be less than HIGH"},
      {"design", {"--uncertain", "Kb2=normal:8:-1"}, "SD must be positive"},
      {"design", {"--uncertain", "Kb2=beta:1:2"}, "names no distribution"},
      {"design", {"--uncertain", "Sa=uniform:1:2"}, "\"Sa\" is no input of the aim \"Spa\""},
      {"design",
       {"--uncertain", "Kb2=uniform:4:9", "--uncertain", "Kb2=uniform:5:6"},
       "given twice"},
      {"design", {"--uncertain", "Kb2=uniform:4:9", "--reliability", "1"}, "between 0 and 1"},
      {"design", {"--uncertain", "Kb2=uniform:4:9", "--reliability", "0"}, "between 0 and 1"},
      {"design", {"--uncertain", "Kb2=uniform:4:9", "--reliability", "-0.5"}, "between 0 and 1"},
      {"design",
       {"--uncertain", "Kb2=uniform:4:9", "--samples", "1"},
       "--samples takes a whole number"},
      {"design", {"--uncertain", "Kb2=uniform:4:9", "--required-depth", "1"}, "rectangular field"},
      {"design",
       {"--uncertain", "Kb2=uniform:4:9", "--plot", "p.bmp"},
       "name it .png, .svg or .pdf"},
      {"design", {}, "--uncertain is required"},
      {"optimise", {"case.inp", "--field", "100x50"}, "rectangular field"},
      {"optimise", {"field.inp", "--field", "100"}, "LENGTHxWIDTH"},
      {"optimise", {"field.inp", "--field", "100x-5"}, "positive length and width"},
      {"optimise", {"field.inp", "--field", "100x50", "--energy-price", "1"}, "go together"},
      {"optimise",
       {"field.inp", "--field", "100x50", "--well-level", "3:2"},
       "lower well level must not be greater"},
      {"optimise",
       {"field.inp", "--field", "100x50", "--uncertain", "Sa=uniform:1:2"},
       "chosen by the search"},
      {"optimise", {"field.inp", "--field", "100x50", "--reliability", "2"}, "between 0 and 1"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> arguments = row.arguments;
    if (std::string(row.command) == "design")
      arguments.insert(arguments.begin(), "case.inp");
    else
      arguments.insert(arguments.end(), required.begin(), required.end());
    const CliRun run = Call(row.command, arguments);
    EXPECT_EQ(run.status, kExitUsage) << row.message;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
  }
}

// With no energy price and one well level the answer is the fewest wells: it reaches the depth,
// and one row or one column of wells less does not, each by a run of its own.
TEST(Optimise, FewestWellsAndTheirNeighboursCheckedByOwnRuns) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const CliRun run = Call("optimise", {"field.inp", "--field", "900x550", "--required-depth", "1.0",
                                       "--well-cost", "20000", "--json", "o.json"});
  ASSERT_EQ(run.status, kExitReportWritten) << run.err;
  const nlohmann::json json = ReadJson("o.json");
  const int nL = json["nL"], nB = json["nB"];
  EXPECT_EQ(json["wells"], nL * nB);
  EXPECT_EQ(json["cost"], 20000.0 * nL * nB);
  EXPECT_TRUE(Reaches(nL, nB, 900, 550, 2.5, 1.0));
  EXPECT_FALSE(Reaches(nL - 1, nB, 900, 550, 2.5, 1.0));
  EXPECT_FALSE(Reaches(nL, nB - 1, 900, 550, 2.5, 1.0));
  // No other split of fewer wells reaches it either.
  for (int l = 1; l < nL * nB; ++l)
    EXPECT_FALSE(Reaches(l, (nL * nB - 1) / l, 900, 550, 2.5, 1.0)) << l;
}

// Deeper levels need fewer wells; the cost adds the energy of lifting the recharge.
TEST(Optimise, FrontAndEnergyCost) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const CliRun run =
      Call("optimise", {"field.inp", "--field", "400x300", "--required-depth", "1.0", "--well-cost",
                        "1000", "--energy-price", "0.01", "--years", "10", "--well-level", "2.2:3",
                        "--json", "o.json", "--csv", "o.csv"});
  ASSERT_EQ(run.status, kExitReportWritten) << run.err;
  const nlohmann::json json = ReadJson("o.json");
  ASSERT_GE(json["front"].size(), 2u);
  for (size_t i = 1; i < json["front"].size(); ++i) {
    EXPECT_LT(json["front"][i]["wells"], json["front"][i - 1]["wells"]);
    EXPECT_GT(json["front"][i]["Dw"], json["front"][i - 1]["Dw"]);
  }
  double cheapest = INFINITY;
  for (const auto& layout : json["front"]) {
    const double Dw = layout["Dw"], wells = layout["wells"];
    EXPECT_NEAR(layout["cost"].get<double>(),
                1000 * wells + 0.01 * 0.003 * 400 * 300 * 365 * 10 * Dw, 0.01);
    cheapest = std::min(cheapest, layout["cost"].get<double>());
  }
  EXPECT_EQ(json["cost"], cheapest);
  EXPECT_TRUE(Reaches(json["nL"], json["nB"], 400, 300, json["Dw"], 1.0));
}

// The charts in each format, with the design value and the inputs' names on them.
TEST(Design, ChartsAreWrittenAsPngSvgOrPdf) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const CliRun run = Call("design", {"field.inp", "--uncertain", "Kb2=uniform:6:10", "--samples",
                                     "12", "--plot", "d.svg", "--tornado", "t.svg"});
  ASSERT_EQ(run.status, kExitReportWritten) << run.err;
  EXPECT_NE(ReadFileBytes("d.svg").find("Design value Dm = "), std::string::npos);
  EXPECT_NE(ReadFileBytes("t.svg").find("Kb2 6.2 / 9.8 m/day"), std::string::npos);
  for (const char* chart : {"d.png", "t.pdf"}) {
    const CliRun more = Call("design", {"field.inp", "--uncertain", "Kb2=uniform:6:10", "--samples",
                                        "12", "--scale", "2", "--plot", chart});
    EXPECT_EQ(more.status, kExitReportWritten) << more.err;
    EXPECT_GT(ReadFileBytes(chart).size(), 1000u) << chart;
  }
}

// With uncertain inputs a layout must hold in a fraction P of the samples: never fewer wells
// than the file's own values need when the uncertainty is centred on them, and its probability
// as asked.
TEST(Optimise, UncertainInputsAskForAtLeastTheCertainWells) {
  TempDir dir;
  WriteFileBytes("field.inp", ReadFileBytes(kField));
  const std::vector<std::string> common = {
      "field.inp", "--field", "600x400", "--required-depth", "1.0", "--well-cost", "1"};
  std::vector<std::string> certain = common, uncertain = common;
  certain.insert(certain.end(), {"--json", "c.json"});
  uncertain.insert(uncertain.end(), {"--uncertain", "Kb2=uniform:6:10", "--samples", "10",
                                     "--reliability", "0.8", "--json", "u.json"});
  ASSERT_EQ(Call("optimise", certain).status, kExitReportWritten);
  ASSERT_EQ(Call("optimise", uncertain).status, kExitReportWritten);
  const nlohmann::json c = ReadJson("c.json"), u = ReadJson("u.json");
  EXPECT_GE(u["wells"], c["wells"]);
  EXPECT_GE(u["probability"], 0.8);
  for (const auto& depth : u["depths"]) // reached by 8 of the 10 samples
    EXPECT_GE(depth.get<double>(), 1.0);
}

// Both studies read their input as a run does: a file cut short is refused, and a file that
// cannot be opened gets the system's reason.
TEST(DesignAndOptimise, ADamagedOrMissingInputIsRefusedWithItsReason) {
  TempDir dir;
  WriteFileBytes("short.inp", WithNumbers("Hydr", "0.003 4 18"));
  const std::vector<std::string> design = {"--uncertain", "Kb2=uniform:6:10", "--samples", "4"};
  const std::vector<std::string> optimise = {"--field", "100x50",      "--required-depth",
                                             "1",       "--well-cost", "10"};
  for (const auto& [command, options] :
       {std::pair{"design", design}, std::pair{"optimise", optimise}})
    for (const auto& [input, message] :
         {std::pair{"short.inp", "are corrupt\nThe file ends before value 4 (Dw).\n"},
          std::pair{"none.inp", "could not be opened"}}) {
      std::vector<std::string> arguments = {input};
      arguments.insert(arguments.end(), options.begin(), options.end());
      const CliRun run = Call(command, arguments);
      EXPECT_EQ(run.status, kExitBadInputFile) << command << ' ' << input;
      EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
      if (std::string(input) == "none.inp") {
        EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
      }
    }
}
