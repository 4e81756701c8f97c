#include "CliTestSupport.h"
#include "TempDir.h"
#include "cli/Commands.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace {
// Spacing input: loam over sand, a spacing of about 100 m.
const char* const kSpacingInput =
    "Loam over sand\r\nSpacing\r\nFile Name: x\r\nSpa\r\n    0.0030      4.00     18.00      2.50"
    "     12.00      0.20      0.30      0.80      0.60    0.1500      8.00    2.5000      1.50"
    "      0.00\r\n";

CliRun RunCli(const std::vector<std::string>& arguments) { return Call("run", arguments); }
} // namespace

TEST(RunCommand, WritesTheReportBesideTheInputWithAbsoluteNames) {
  TempDir dir;
  WriteFileBytes("Error.lst", "old list");
  WriteFileBytes("case.inp", kSpacingInput);
  const CliRun run = RunCli({"case.inp"});
  EXPECT_EQ(run.status, kExitReportWritten) << run.err;
  EXPECT_EQ(run.out, " Progress 50% ....\n Almost done .....\nReport written: " +
                         dir.file("case.out") + "\n");
  const std::string report = ReadFileBytes("case.out");
  EXPECT_NE(report.find("\r\n Name of input file used:  " + dir.file("case.inp") + "\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("\r\n Name of this output file: " + dir.file("case.out") + "\r\n"),
            std::string::npos);
  EXPECT_EQ(ReadFileBytes("case.inp"), kSpacingInput);
  EXPECT_FALSE(FileExists("Error.lst"));
}

TEST(RunCommand, InputErrorsPrintAndKeepTheListAndTheInput) {
  TempDir dir;
  const std::string input =
      WithNumbers("Con", "0.0 1.4 16 3 10 -0.1 0.25 120 0 0 0 0 0 0"); // R = 0, E < 0
  WriteFileBytes("bad.inp", input);
  const CliRun run = RunCli({"bad.inp"});
  EXPECT_EQ(run.status, kExitInputErrors);
  const std::string list = " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\r\n\r\n"
                           " Make sure that R > 0.\r\n Make sure that E >= 0.\r\n\r\n"
                           "Please correct the errors.\r\n";
  EXPECT_EQ(ReadFileBytes("Error.lst"), list);
  EXPECT_EQ(run.out, " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\n\n Make sure that R > 0.\n"
                     " Make sure that E >= 0.\n\nPlease correct the errors.\n");
  EXPECT_EQ(ReadFileBytes("bad.inp"), input);
  EXPECT_FALSE(FileExists("bad.out"));
}

TEST(RunCommand, ArithmeticErrorKeepsThePartialReport) {
  TempDir dir;
  // Well in layer 1, E = 0, Kv1 = 0: the first step has no flow capacity.
  WriteFileBytes("zero.inp", WithNumbers("Spa", "0.003 15 18 2.5 12 0 0.3 0.8 0.6 0 8 2.5 1.5 0"));
  WriteFileBytes("zero.out", "an older report, which the partial one replaces");
  const CliRun run = RunCli({"zero.inp"});
  EXPECT_EQ(run.status, kExitArithmeticError);
  EXPECT_NE(run.err.find("Floating point division by zero"), std::string::npos) << run.err;
  const std::string report = ReadFileBytes("zero.out");
  EXPECT_NE(report.find(" Output data:\r\n The calculation stopped: Floating point division by "
                        "zero.\r\n"),
            std::string::npos);
  EXPECT_TRUE(FileExists("zero.inp"));
}

TEST(RunCommand, UnreadableOrMalformedInputFiles) {
  TempDir dir;
  CliRun run = RunCli({"missing.inp"});
  EXPECT_EQ(run.status, kExitBadInputFile);
  EXPECT_NE(run.err.find("could not be opened"), std::string::npos);

  WriteFileBytes("code.inp", WithNumbers("spa", "1 2 3"));
  run = RunCli({"code.inp"});
  EXPECT_EQ(run.status, kExitBadInputFile);
  EXPECT_NE(run.out.find(" is corrupt"), std::string::npos);
  EXPECT_EQ(run.out.find("program error"), std::string::npos) << run.out;
  EXPECT_FALSE(FileExists("Error.lst"));

  WriteFileBytes("number.inp", WithNumbers("Dis", "1.5 4 1,8 2.5"));
  run = RunCli({"number.inp"});
  EXPECT_EQ(run.status, kExitBadInputFile);
  EXPECT_NE(run.out.find(" are corrupt"), std::string::npos);
  EXPECT_TRUE(FileExists("code.inp"));
  EXPECT_TRUE(FileExists("number.inp"));
}

TEST(RunCommand, NamesOfTheErrorListAreRefusedAndLeaveEveryFileAsItWas) {
  TempDir dir;
  WriteFileBytes("e.inp", kSpacingInput);
  std::filesystem::create_symlink("Error.lst", "linked.out");
  WriteFileBytes("linked.inp", kSpacingInput);
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } rows[] = {
      {{"Error.lst"}, "The input file \""},
      {{"linked.inp"}, "The report \""},
      {{"e.inp", "--json", "./Error.lst"}, "\"./Error.lst\" is the error list"},
  };
  for (const auto& row : rows) {
    WriteFileBytes("Error.lst", kSpacingInput);
    const CliRun run = RunCli(row.arguments);
    EXPECT_EQ(run.status, kExitUsage) << row.arguments.back();
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes("Error.lst"), kSpacingInput);
  }
  EXPECT_FALSE(FileExists("e.out"));
}

TEST(RunCommand, SearchThatMissesTheDepthIsReportedOnTheTerminal) {
  TempDir dir;
  WriteFileBytes("clay.inp", WithNumbers("Spa", "0.01 5 5 2 4 0 0.3 0.02 0.02 0.02 0 0 1.9 0"));
  const CliRun run = RunCli({"clay.inp"});
  EXPECT_EQ(run.status, kExitReportWritten);
  EXPECT_NE(run.out.find("\nThe required midway watertable depth was not reached: the well "
                         "spacing shown is the lower bound of the search, 2 m.\n"),
            std::string::npos)
      << run.out;
}

TEST(RunCommand, JsonHoldsTheReportsValuesBySymbol) {
  TempDir dir;
  const struct {
    std::string input;
    const char* aim;
    std::vector<std::pair<const char*, double>> inputs, results;
    std::vector<std::string> profiles;
    std::array<double, 3> firstRow; // of the first profile: distance, head, gradient
    const char* note;               // empty when the search met its tolerance
  } rows[] = {
      {PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp",
       "Spa",
       {{"R", 0.003}, {"Kv1", 0.15}, {"Dm", 1.5}},
       {{"S", 103.33}, {"H", 1.0}, {"Dm", 1.5}, {"Q", 32.0}},
       {"between the wells"},
       {0.13, 0.6739, 0.5163},
       ""},
      {PUMPFIELD_SOURCE_DIR "/Data/field-rectangular.inp",
       "Hydr",
       {{"Sa", 180.0}, {"Sb", 110.0}},
       {{"Ha", 1.896}, {"Dma", 0.604}, {"Hb", 1.856}, {"Dmb", 0.644}, {"Dmd", 0.591}, {"Q", 59.4}},
       {"along the longer spacing", "along the shorter spacing", "along the diagonal"},
       {0.14, 1.2591, 0.9197},
       ""},
      {PUMPFIELD_TEST_DATA "/golden/spacing-lower-bound.inp",
       "Spa",
       {},
       {{"S", 2.0}},
       {"between the wells"},
       {0.13, 0.0001, 0.9945},
       "the well spacing shown is the lower bound of the search, 2 m."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    WriteFileBytes("case.inp", ReadFileBytes(row.input));
    WriteFileBytes("r.json", "an older result");
    const CliRun run = RunCli({"case.inp", "--json", "r.json"});
    ASSERT_EQ(run.status, kExitReportWritten) << run.err;
    EXPECT_TRUE(run.out.ends_with("\nJSON written: " + dir.file("r.json") + "\n")) << run.out;
    const std::string text = ReadFileBytes("r.json");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    const auto json = nlohmann::json::parse(text);
    EXPECT_EQ(json["aim"], row.aim);
    for (const auto& [symbol, value] : row.inputs)
      EXPECT_EQ(json["inputs"][symbol], value) << symbol;
    for (const auto& [symbol, value] : row.results)
      EXPECT_EQ(json["results"][symbol], value) << symbol;
    EXPECT_EQ(json["units"]["R"], "m/day");
    // The depth the final profile reaches, beside a midway depth the search aimed at.
    if (row.aim == std::string("Hydr")) {
      EXPECT_FALSE(json.contains("achieved_depth"));
    } else {
      const double lastHead = json["profiles"][0]["head"].back();
      EXPECT_NEAR(json["achieved_depth"], double(json["inputs"]["Dw"]) - lastHead, 1e-9);
      EXPECT_EQ(json["units"]["achieved_depth"], "m");
    }
    EXPECT_FALSE(json.contains("recharge_over_square_share"));
    EXPECT_EQ(json["converged"], *row.note == 0);
    if (*row.note) {
      EXPECT_NE(json["note"].get<std::string>().find(row.note), std::string::npos);
    }
    ASSERT_EQ(json["profiles"].size(), row.profiles.size());
    const auto& first = json["profiles"][0];
    EXPECT_EQ(first["distance"][0], row.firstRow[0]);
    EXPECT_EQ(first["head"][0], row.firstRow[1]);
    EXPECT_EQ(first["gradient"][0], row.firstRow[2]);
    for (size_t i = 0; i < row.profiles.size(); ++i) {
      const auto& profile = json["profiles"][i];
      EXPECT_EQ(profile["name"], row.profiles[i]);
      EXPECT_GT(profile["distance"].size(), 2u);
      EXPECT_EQ(profile["head"].size(), profile["distance"].size());
      EXPECT_EQ(profile["gradient"].size(), profile["distance"].size());
    }
  }
}

// A discharge report's "m/day" is the recharge over the circle of radius S/2; the JSON gives the
// recharge over the square S by S beside it: Q/S² = 31.4 / 160².
TEST(RunCommand, JsonOfADischargeGivesTheRechargeOverTheSquareShare) {
  TempDir dir;
  WriteFileBytes("case.inp",
                 ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/discharge-loam-over-sand.inp"));
  ASSERT_EQ(RunCli({"case.inp", "--json", "r.json"}).status, kExitReportWritten);
  const auto json = nlohmann::json::parse(ReadFileBytes("r.json"));
  EXPECT_EQ(json["results"]["R"], 0.00156);
  // Six decimals.
  EXPECT_NEAR(json["recharge_over_square_share"], 31.4 / (160.0 * 160.0), 5e-7);
  EXPECT_EQ(json["units"]["recharge_over_square_share"], "m/day");
  EXPECT_EQ(json["achieved_depth"], 1.5003);
}

TEST(CliProgram, HelpUsageAndExitStatuses) {
  TempDir dir;
  const std::string cli = PUMPFIELD_CLI;
  auto status = [&](const std::string& arguments) {
    const int raw = std::system((cli + " " + arguments + " >out.txt 2>err.txt").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(status("--help"), 0);
  EXPECT_NE(ReadFileBytes("out.txt").find("pumpfield-cli run FILE.inp"), std::string::npos);
  EXPECT_NE(ReadFileBytes("out.txt").find("pumpfield-cli sweep FILE.inp --vary"),
            std::string::npos);
  EXPECT_EQ(status(""), 64);
  EXPECT_EQ(status("frobnicate x.inp"), 64);
  EXPECT_EQ(status("run"), 64);
  EXPECT_EQ(status("run missing.inp"), 3);
  WriteFileBytes("case.inp", WithNumbers("Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 "
                                                 "40 30"));
  EXPECT_EQ(status("run case.inp"), 0);
  EXPECT_EQ(ReadFileBytes("out.txt"), " Progressing .....\n Almost done .....\nReport written: " +
                                          dir.file("case.out") + "\n");
}

TEST(TerminalServices, PercentDoneOnlyWhereAskedAndClearedBeforeOtherText) {
  std::ostringstream out, percent;
  {
    TerminalServices withoutPercent(out);
    withoutPercent.ShowPercentDone(5);
  }
  {
    TerminalServices services(out, &percent);
    services.ShowPercentDone(5);
    services.ShowPercentDone(6);
    services.AppendProgress(" Almost done .....");
    services.ShowPercentDone(7);
  }
  EXPECT_EQ(out.str(), " Almost done .....\n");
  EXPECT_EQ(percent.str(), "\r Done 5% .....\r Done 6% .....\r\033[K\r Done 7% .....\r\033[K");
  EXPECT_FALSE(IsTerminal(out));
}
