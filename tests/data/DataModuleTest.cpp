#include "ScriptedServices.h"
#include "TempDir.h"
#include "data/FileKinds.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(DataModule, StartsEmpty) {
  TDMPumpfield dm;
  EXPECT_EQ(dm.InputFileName, "");
  EXPECT_TRUE(dm.Params.empty());
  EXPECT_EQ(dm.Count1 + dm.Count2 + dm.Count3 + dm.OutputLineCount, 0);
  EXPECT_STREQ(AimCodes[0], "Spa");
  EXPECT_STREQ(AimCodes[1], "Dis");
  EXPECT_STREQ(AimCodes[2], "Hyd");
  EXPECT_STREQ(AimCodes[3], "Con");
}

TEST(DataModule, AbortWithErrorShowsTheTextAndQueuesTheEndButReturns) {
  ScriptedServices services;
  TDMPumpfield dm(&services);
  EXPECT_NO_THROW(dm.AbortWithError("X")); // returns to its caller, which runs on
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0], "A program error occurred.X");
  EXPECT_EQ(services.quitRequests, 1);
}

TEST(DataModule, AskConfirmationIsTrueOnlyForYes) {
  ScriptedServices services;
  TDMPumpfield dm(&services);
  services.answers = {true, false};
  EXPECT_TRUE(dm.AskConfirmation("Q1"));
  EXPECT_FALSE(dm.AskConfirmation("Q2"));
  EXPECT_FALSE(dm.AskConfirmation("Q3")); // dismissed without an answer
  EXPECT_EQ(services.questions, (std::vector<std::string>{"Q1", "Q2", "Q3"}));
}

TEST(FileKinds, AreToldByContent) {
  TempDir dir;
  const std::string data = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/";
  WriteFileBytes("picture.inp", "BM\x36\x00");
  WriteFileBytes("notes.out", "t1\r\nt2\r\nFile Name: x\r\nSpa \r\nno table here\r\n");
  const std::vector<std::pair<std::string, FileKind>> rows = {
      {data + "field-shallow-wells.inp", FileKind::InputFile},
      {data + "field-rectangular.inp", FileKind::InputFile},
      {data + "spacing-deep-well.out", FileKind::Report},
      {"picture.inp", FileKind::Bitmap},
      {"notes.out", FileKind::Other},
      {"missing.inp", FileKind::Other}};
  for (const auto& [path, kind] : rows)
    EXPECT_EQ(DetectFileKind(path), kind) << path;
}
