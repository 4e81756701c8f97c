#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {
int Cli(const std::string& arguments) {
  const std::string command = std::string(PUMPFIELD_CLI) + " " + arguments + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

int32_t LittleEndian32(const std::string& bytes, size_t at) {
  return static_cast<int32_t>(static_cast<uint8_t>(bytes[at]) |
                              static_cast<uint8_t>(bytes[at + 1]) << 8 |
                              static_cast<uint8_t>(bytes[at + 2]) << 16 |
                              static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
}

std::string SpacingInput() {
  return "Graph case\r\nfrom the command line\r\nFile Name: x\r\nSpa\r\n"
         "    0.0030      4.00     18.00      2.50     12.00      0.20      0.30      0.80"
         "      0.60    0.1500      8.00    2.5000      1.50      0.00\r\n";
}
} // namespace

TEST(GraphCommand, DrawsAReportAsA623By465Bitmap) {
  TempDir dir;
  WriteFileBytes("case.inp", SpacingInput());
  ASSERT_EQ(Cli("run case.inp"), 0);
  ASSERT_EQ(Cli("graph case.out picture.bmp"), 0) << ReadFileBytes("err.txt");
  EXPECT_EQ(ReadFileBytes("out.txt"), "Graph written: " + dir.file("picture.bmp") + "\n");
  const std::string bmp = ReadFileBytes("picture.bmp");
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(LittleEndian32(bmp, 18), 623);
  EXPECT_EQ(LittleEndian32(bmp, 22), 465);
}

TEST(GraphCommand, UnreadableReportsAndUsageErrors) {
  TempDir dir;
  EXPECT_EQ(Cli("graph"), 64);
  EXPECT_EQ(Cli("graph only.out"), 64);
  EXPECT_EQ(Cli("graph missing.out picture.bmp"), 3);
  EXPECT_NE(ReadFileBytes("err.txt").find("could not be opened"), std::string::npos);
  WriteFileBytes("plain.out", "no report here\r\n");
  EXPECT_EQ(Cli("graph plain.out picture.bmp"), 3);
  EXPECT_NE(ReadFileBytes("err.txt").find("is not an output report that can be drawn"),
            std::string::npos);
  EXPECT_EQ(ReadFileBytes("picture.bmp"), "");
}

TEST(GraphCommand, ACorruptInputFileBesideTheReportWritesNoBitmap) {
  TempDir dir;
  WriteFileBytes("case.inp", SpacingInput());
  ASSERT_EQ(Cli("run case.inp"), 0);
  std::string corrupt = SpacingInput();
  corrupt.replace(corrupt.find("\r\nSpa\r\n"), 7, "\r\nSpx\r\n");
  WriteFileBytes("case.inp", corrupt);
  EXPECT_EQ(Cli("graph case.out picture.bmp"), 3);
  EXPECT_NE(ReadFileBytes("out.txt").find("is corrupt"), std::string::npos);
  EXPECT_FALSE(std::ifstream("picture.bmp").good());
}
