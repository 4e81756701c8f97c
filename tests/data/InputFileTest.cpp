#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <sys/stat.h>

namespace {
const DataSetR kParams = {0.002, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, 1.2, 0};

std::string Head(const std::string& path, const std::string& code) {
  return "Title one\r\nTitle two\r\nFile Name: " + path + "\r\n" + code + "\r\n";
}

void Fill(TDMPumpfield& dm, const std::string& code, const DataSetR& params = kParams) {
  dm.Title1 = "Title one";
  dm.Title2 = "Title two";
  dm.AimCode = code;
  dm.Params = params;
}
} // namespace

TEST(SaveInputFile, WritesFiveCrLfLinesWithFixedFields) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "Spa");
  const std::string path = dir.file("spa.inp");
  EXPECT_TRUE(dm.SaveInputFile(path));
  EXPECT_EQ(ReadFileBytes(path),
            Head(path, "Spa") +
                "    0.0020      2.00     10.00      3.00      8.00      0.50      0.30      1.00"
                "      2.00    0.5000      5.00    1.0000      1.20      0.00\r\n");
  EXPECT_TRUE(services.messages.empty());
}

TEST(SaveInputFile, DischargeAimWritesPositionOneWithTwoDecimals) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "Dis", {1.2, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, 100, 0});
  dm.SaveInputFile("dis.inp");
  EXPECT_EQ(ReadFileBytes("dis.inp"),
            Head("dis.inp", "Dis") +
                "      1.20      2.00     10.00      3.00      8.00      0.50      0.30      1.00"
                "      2.00    0.5000      5.00    1.0000    100.00      0.00\r\n");
}

TEST(SaveInputFile, HydIsWrittenAndKeptAsHydr) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "Hyd");
  dm.SaveInputFile("h.inp");
  EXPECT_EQ(dm.AimCode, "Hydr");
  EXPECT_EQ(ReadFileBytes("h.inp").substr(0, Head("h.inp", "Hydr").size()), Head("h.inp", "Hydr"));
  EXPECT_TRUE(services.messages.empty());
}

TEST(SaveInputFile, RoundsToTheWrittenDecimals) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  DataSetR params = kParams;
  params[8] = 0.126;
  Fill(dm, "Con", params);
  dm.SaveInputFile("c.inp");
  dm.InputFileName = "c.inp";
  dm.LoadInputFile();
  EXPECT_EQ(dm.Params[8], 0.13);
}

TEST(SaveInputFile, ReportsABadCodeButWritesTheNumbers) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "spa");
  EXPECT_FALSE(dm.SaveInputFile("x.inp"));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "A program error occurred.The code in the inputfile \"x.inp\" is corrupt");
  EXPECT_EQ(services.quitRequests, 1);
  EXPECT_NE(ReadFileBytes("x.inp").find("      0.30"), std::string::npos);
}

TEST(SaveInputFile, ReportsTooFewValues) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "Spa", {1, 2, 3});
  EXPECT_FALSE(dm.SaveInputFile("few.inp"));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "A program error occurred.Real numbers in the inputfile \"few.inp\" are corrupt");
}

TEST(SaveInputFile, UnwritableFileGivesTheDamagedOrInUseMessage) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  Fill(dm, "Spa");
  WriteFileBytes("locked.inp", "old");
  ::chmod("locked.inp", 0444);
  // The message, then the reason on a line of its own.
  for (const auto& [name, reason] :
       {std::pair{dir.file("no/such/x.inp"), "No such file or directory"},
        std::pair{dir.file("locked.inp"), "It is read-only"}}) {
    services.messages.clear();
    EXPECT_FALSE(dm.SaveInputFile(name));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0],
              "The file \"" + name +
                  "\"could not be opened. It may be damaged or in use by another program,  or "
                  "the programmer should incorporate more time.\n" +
                  reason);
  }
  EXPECT_EQ(ReadFileBytes("locked.inp"), "old");
  EXPECT_EQ(services.quitRequests, 0);
}

TEST(SaveInputFile, ValuesThatFillTheirFieldStillReadBack) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  DataSetR params = kParams;
  params[1] = 1234567.0;  // "1234567.00" fills all ten characters
  params[9] = 12345.0;    // "12345.0000"
  params[12] = -123456.0; // "-123456.00"
  params[13] = 123456789.0;
  Fill(dm, "Spa", params);
  dm.SaveInputFile("full.inp");
  const std::string bytes = ReadFileBytes("full.inp");
  EXPECT_NE(bytes.find("    0.0020 1234567.00"), std::string::npos);
  TDMPumpfield back(&services);
  back.InputFileName = "full.inp";
  back.LoadInputFile();
  EXPECT_TRUE(services.messages.empty());
  ASSERT_EQ(back.Params.size(), 14u);
  EXPECT_EQ(back.Params[1], 1234567.0);
  EXPECT_EQ(back.Params[9], 12345.0);
  EXPECT_EQ(back.Params[12], -123456.0);
  EXPECT_EQ(back.Params[13], 123456789.0);
}

TEST(SaveInputFile, TheWidestValuesReadBack) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  DataSetR params = kParams;
  params[0] = DBL_MAX;  // 309 digits and four decimals
  params[5] = -DBL_MAX; // and a sign
  params[13] = 1.25e62; // longer than 64 characters, as typed into the window
  Fill(dm, "Spa", params);
  dm.SaveInputFile("wide.inp");
  TDMPumpfield back(&services);
  back.InputFileName = "wide.inp";
  back.LoadInputFile();
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(back.Params, params);
}

TEST(SaveInputFile, EveryWrittenFileReadsBackToTheRoundedValues) {
  ScriptedServices services;
  TempDir dir;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> exponent(-4, 9);
  const char* codes[] = {"Spa", "Dis", "Hydr", "Con"};
  for (int trial = 0; trial < 400; ++trial) {
    TDMPumpfield dm;
    DataSetR params;
    for (int i = 0; i < 14; ++i)
      params.push_back((random() % 5 == 0 ? -1 : 1) * std::pow(10.0, exponent(random)));
    Fill(dm, codes[trial % 4], params);
    dm.SaveInputFile("r.inp");
    TDMPumpfield back(&services);
    back.InputFileName = "r.inp";
    back.LoadInputFile();
    ASSERT_EQ(back.Params.size(), 14u);
    for (int i = 0; i < 14; ++i) {
      const int decimals = (i == 0 && dm.AimCode != "Dis") || i == 9 || i == 11 ? 4 : 2;
      char text[64];
      std::snprintf(text, sizeof text, "%.*f", decimals, params[i]);
      EXPECT_EQ(back.Params[i], std::strtod(text, nullptr)) << "trial " << trial << " pos " << i;
    }
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST(LoadInputFile, ReadsTitlesCodeAndFourteenNumbers) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes(
      "a.inp",
      "  \r\nSecond\r\nanything at all\r\nCon\r\n 1 2 3\r\n4 5\t6 7 8 9 10 11 12 13 14 15\r\n");
  TDMPumpfield dm(&services);
  dm.InputFileName = "a.inp";
  dm.LoadInputFile();
  EXPECT_EQ(dm.Title1, "  ");
  EXPECT_EQ(dm.Title2, "Second");
  EXPECT_EQ(dm.AimCode, "Con");
  ASSERT_EQ(dm.Params.size(), 14u);
  EXPECT_EQ(dm.Params[0], 1.0);
  EXPECT_EQ(dm.Params[13], 14.0);
  EXPECT_TRUE(services.messages.empty());
}

TEST(LoadInputFile, MissingNumbersAtTheEndReadAsZero) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes("a.inp", "t\nt\nf\nHyd\n1 2 3 4 5 6 7 8 9 10\n");
  TDMPumpfield dm(&services);
  dm.InputFileName = "a.inp";
  dm.LoadInputFile();
  EXPECT_EQ(dm.AimCode, "Hyd");
  ASSERT_EQ(dm.Params.size(), 14u);
  EXPECT_EQ(dm.Params[9], 10.0);
  EXPECT_EQ(dm.Params[10], 0.0);
  EXPECT_EQ(dm.Params[13], 0.0);
  EXPECT_TRUE(services.messages.empty());
}

TEST(LoadInputFile, ACodeWithATrailingBlankIsCorruptButNumbersAreRead) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes("a.inp", "t\nt\nf\nSpa \n1 2 3 4 5 6 7 8 9 10 11 12 13 14\n");
  TDMPumpfield dm(&services);
  dm.InputFileName = "a.inp";
  dm.LoadInputFile();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "A program error occurred.The code in the inputfile \"a.inp\" is corrupt");
  EXPECT_EQ(dm.Params.size(), 14u);
}

TEST(LoadInputFile, ABadNumberStopsReadingAndKeepsEarlierValues) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes("a.inp", "t\nt\nf\nDis\n1 2 3 x 5\n");
  TDMPumpfield dm(&services);
  dm.InputFileName = "a.inp";
  dm.LoadInputFile();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "A program error occurred.Real numbers in the inputfile \"a.inp\" are corrupt");
  ASSERT_EQ(dm.Params.size(), 4u);
  EXPECT_EQ(dm.Params[2], 3.0);
}

TEST(LoadInputFile, AFileThatCannotBeOpenedChangesNothing) {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm(&services);
  dm.InputFileName = "missing.inp";
  dm.Title1 = "kept";
  dm.LoadInputFile();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "The file \"missing.inp\"could not be opened. It may be in use by another program,  or "
            "the programmer should incorporate more time.\nNo such file or directory");
  EXPECT_EQ(dm.Title1, "kept");
  EXPECT_EQ(services.quitRequests, 0);
}

TEST(LoadInputFile, AnEmptyFileGivesEmptyTitlesAndACorruptCode) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes("e.inp", "");
  TDMPumpfield dm(&services);
  dm.InputFileName = "e.inp";
  dm.LoadInputFile();
  EXPECT_EQ(dm.Title1, "");
  EXPECT_EQ(dm.AimCode, "");
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(dm.Params, DataSetR(14, 0.0));
}

TEST(InputFile, RoundTripsByteExactlyForEveryAim) {
  ScriptedServices services;
  TempDir dir;
  for (const char* code : {"Spa", "Dis", "Hydr", "Con"}) {
    TDMPumpfield dm;
    Fill(dm, code);
    dm.SaveInputFile("first.inp");
    TDMPumpfield back(&services);
    back.InputFileName = "first.inp";
    back.LoadInputFile();
    back.SaveInputFile("first.inp");
    const std::string once = ReadFileBytes("first.inp");
    back.LoadInputFile();
    back.SaveInputFile("first.inp");
    EXPECT_EQ(ReadFileBytes("first.inp"), once) << code;
  }
  EXPECT_TRUE(services.messages.empty());
}
