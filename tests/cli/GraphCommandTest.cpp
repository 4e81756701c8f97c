#include "CliTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

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

TEST(GraphCommand, RefusesToWriteOverTheReportItsInputOrAnythingButARegularFile) {
  TempDir dir;
  WriteFileBytes("case.inp", SpacingInput());
  ASSERT_EQ(Cli("run case.inp"), 0);
  const std::string report = ReadFileBytes("case.out");
  std::filesystem::create_symlink("case.out", "link.out");
  std::filesystem::create_hard_link("case.inp", "hard.bmp");
  std::filesystem::create_directory("folder");
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  for (const char* image :
       {"case.out", "case.inp", "link.out", "hard.bmp", "folder", "pipe", "/dev/null"}) {
    EXPECT_EQ(Cli(std::string("graph case.out ") + image), 64) << image;
    EXPECT_NE(ReadFileBytes("err.txt").find(image[0] == '/' ? image : dir.file(image)),
              std::string::npos)
        << ReadFileBytes("err.txt");
  }
  EXPECT_EQ(ReadFileBytes("case.out"), report);
  EXPECT_EQ(ReadFileBytes("case.inp"), SpacingInput());
  EXPECT_TRUE(std::filesystem::is_fifo("pipe"));
  std::filesystem::create_symlink("case.out", "link.svg");
  EXPECT_EQ(Cli("graph case.out link.svg"), 64);
  EXPECT_NE(ReadFileBytes("err.txt").find("the picture would replace it"), std::string::npos)
      << ReadFileBytes("err.txt");
  EXPECT_EQ(Cli("graph case.out new.bmp"), 0);
}

TEST(GraphCommand, WritesTheBitmapUnderTheBytesOfItsName) {
  TempDir dir;
  WriteFileBytes("case.inp", SpacingInput());
  ASSERT_EQ(Cli("run case.inp"), 0);
  const std::string name = "graph-\xFF\xFE.bmp"; // no UTF-8
  ASSERT_EQ(Cli("graph case.out '" + name + "'"), 0) << ReadFileBytes("err.txt");
  EXPECT_EQ(ReadFileBytes("out.txt"), "Graph written: " + dir.file(name) + "\n");
  EXPECT_EQ(ReadFileBytes(name).substr(0, 2), "BM");
}

TEST(CliProgram, FilesLargerThan64MBAreRefusedWithAMessage) {
  TempDir dir;
  for (const char* name : {"big.inp", "big.out"}) {
    WriteFileBytes(name, "");
    std::filesystem::resize_file(name, std::uintmax_t{65} << 20);
  }
  EXPECT_EQ(Cli("run big.inp"), 3);
  EXPECT_NE(ReadFileBytes("err.txt").find("big.inp\" is larger than 64 MB"), std::string::npos);
  for (const char* command :
       {"graph big.out picture.bmp", "export big.out --csv t.csv", "report big.out r.pdf"}) {
    EXPECT_EQ(Cli(command), 3) << command;
    EXPECT_NE(ReadFileBytes("err.txt").find("big.out\" is larger than 64 MB"), std::string::npos)
        << command << ": " << ReadFileBytes("err.txt");
  }
}

// A named pipe would hold the program until something writes to it: refused before any read.
TEST(CliProgram, NamedPipesAreRefusedAtOnceAsInputsAndReports) {
  TempDir dir;
  ASSERT_EQ(::mkfifo("pipe.inp", 0600), 0);
  ASSERT_EQ(::mkfifo("pipe.out", 0600), 0);
  for (const char* command :
       {"run pipe.inp", "run pipe.inp -j1", "sweep pipe.inp --vary Dm=1", "graph pipe.out p.bmp",
        "graph pipe.out p.svg", "export pipe.out --csv t.csv", "report pipe.out r.pdf"}) {
    // The time limit only ends a test that would otherwise wait for ever.
    const std::string line = "timeout 60 " + std::string(PUMPFIELD_CLI) + " " + command +
                             " >out.txt 2>err.txt </dev/null";
    const int raw = std::system(line.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 3) << command;
    EXPECT_NE((ReadFileBytes("out.txt") + ReadFileBytes("err.txt")).find("not a regular file"),
              std::string::npos)
        << command << ": " << ReadFileBytes("err.txt");
  }
}

TEST(CliProgram, ATerminatedRunLeavesTheOldReportAndNothingBesideIt) {
  TempDir dir;
  // A discharge run of a few minutes: the report is being written when the signal comes.
  WriteFileBytes("long.inp", "t1\r\nt2\r\nFile Name: x\r\nDis\r\n"
                             "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 40000\r\n");
  WriteFileBytes("long.out", "the old report");
  const pid_t child = ::fork();
  if (child == 0) {
    ::freopen("/dev/null", "w", stdout);
    ::execl(PUMPFIELD_CLI, PUMPFIELD_CLI, "run", "long.inp", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  auto beside = [] {
    for (const auto& entry : std::filesystem::directory_iterator("."))
      if (entry.path().filename().string().rfind("long.out.", 0) == 0)
        return true;
    return false;
  };
  for (int wait = 0; wait < 600 && !beside(); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(beside());
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(ReadFileBytes("long.out"), "the old report");
  EXPECT_FALSE(beside());
}

TEST(CliProgram, RunningOutOfMemoryEndsWithAMessageNotAnAbort) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer needs more address space than the limit leaves";
#endif
  TempDir dir;
  std::string input = "t1\r\nt2\r\nFile Name: x\r\nSpa\r\n";
  for (int i = 0; i < 15 << 20; ++i)
    input += " 1.5";
  WriteFileBytes("big.inp", input); // 60 MB: allowed, but not within 100 MB of address space
  const int raw = std::system(
      ("ulimit -v 100000; " + std::string(PUMPFIELD_CLI) + " run big.inp >out.txt 2>err.txt")
          .c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << raw;
  EXPECT_EQ(WEXITSTATUS(raw), 70);
  EXPECT_EQ(ReadFileBytes("err.txt"), "pumpfield-cli: out of memory\n");
}
