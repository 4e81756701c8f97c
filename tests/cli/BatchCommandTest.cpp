#include "CliTestSupport.h"
#include "GoldenFiles.h"
#include "TempDir.h"
#include "cli/Commands.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
CliRun RunBatch(const std::vector<std::string>& arguments) { return Call("run", arguments); }

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The example inputs that run in well under a second, copied into the working directory.
std::vector<std::string> QuickExamples() {
  std::vector<std::string> names;
  for (const std::string& input : GoldenInputs())
    if (input.find("conductivity-observed") == std::string::npos &&
        input.find("spacing-deep") == std::string::npos) {
      names.push_back(ExtractFileName(input));
      WriteFileBytes(names.back(), ReadFileBytes(input));
    }
  return names;
}

std::string CommittedReport(const std::string& name) {
  for (const std::string& input : GoldenInputs())
    if (ExtractFileName(input) == name)
      return WithFolder(ReadFileBytes(ChangeFileExt(input, ".out")), GetCurrentDir());
  return std::string();
}

int Shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
} // namespace

TEST(Batch, MixedFilesGiveEachItsStatusSummaryAndErrorList) {
  TempDir dir;
  fs::create_directory("in");
  const std::string bad = WithNumbers("Con", "0.0 1.4 16 3 10 -0.1 0.25 120 0 0 0 0 0 0");
  WriteFileBytes("in/ok.inp",
                 ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp"));
  WriteFileBytes("in/ok.err", "stale list");
  WriteFileBytes("in/bad.inp", bad);
  WriteFileBytes("in/clay.inp", WithNumbers("Spa", "0.01 5 5 2 4 0 0.3 0.02 0.02 0.02 0 0 1.9 0"));
  WriteFileBytes("in/zero.inp",
                 WithNumbers("Spa", "0.003 15 18 2.5 12 0 0.3 0.8 0.6 0 8 2.5 1.5 0"));
  WriteFileBytes("in/code.inp", WithNumbers("spa", "1 2 3"));
  const std::vector<std::string> files = {"in/ok.inp",   "in/bad.inp",  "in/clay.inp",
                                          "in/zero.inp", "in/code.inp", "in/none.inp"};
  std::vector<std::string> arguments = files;
  arguments.insert(arguments.end(), {"-j", "3", "--summary", "summary.csv"});

  const CliRun run = RunBatch(arguments);
  EXPECT_EQ(run.status, kExitBadInputFile);
  const std::string list = " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\r\n\r\n"
                           " Make sure that R > 0.\r\n Make sure that E >= 0.\r\n\r\n"
                           "Please correct the errors.\r\n";
  EXPECT_EQ(ReadFileBytes("in/bad.err"), list);
  EXPECT_NE(run.out.find("in/bad.inp: input-errors, error list written: " + dir.file("in/bad.err") +
                         "\n THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("in/zero.inp: arithmetic-error: The calculation stopped: Floating point "
                         "division by zero."),
            std::string::npos)
      << run.err;
  EXPECT_EQ(ReadFileBytes("in/bad.inp"), bad);
  EXPECT_EQ(FolderNames("."), (std::vector<std::string>{"in", "summary.csv"}));
  EXPECT_EQ(FolderNames("in"),
            (std::vector<std::string>{"bad.err", "bad.inp", "clay.inp", "clay.out", "code.inp",
                                      "ok.inp", "ok.out", "zero.inp", "zero.out"}));

  TextReader summary("summary.csv");
  EXPECT_EQ(summary.ReadLine(),
            "file,aim,status,spacing (m),discharge (m3/day),midway depth along the larger spacing "
            "(m),midway depth along the shorter spacing (m),midway depth along the diagonal (m),"
            "conductivity (m/day),first error message,seconds");
  const std::string rows[] = {
      "in/ok.inp,Spa,ok,103.33,,,,,,,",
      "in/bad.inp,Con,input-errors,,,,,,,Make sure that R > 0.,",
      "in/clay.inp,Spa,not-converged,2.00,,,,,,\"The required midway watertable depth was not "
      "reached: the well spacing shown is the lower bound of the search, 2 m.\",",
      "in/zero.inp,Spa,arithmetic-error,,,,,,,The calculation stopped: Floating point division by "
      "zero.,",
      "in/code.inp,spa,unreadable,,,,,,,\"The code in the inputfile "
      "\"\"" +
          dir.file("in/code.inp") + "\"\" is corrupt\",",
      "in/none.inp,,unreadable,,,,,,,\"The file \"\"" + dir.file("in/none.inp") +
          "\"\"could not be opened. It may be in use by another program,  or the programmer "
          "should incorporate more time. No such file or directory\",",
  };
  for (const std::string& row : rows) {
    const std::string line = summary.ReadLine();
    EXPECT_EQ(line.substr(0, line.find_last_of(',') + 1), row);
    EXPECT_TRUE(TextToFloat(line.substr(line.find_last_of(',') + 1), '.')) << line;
  }
  EXPECT_TRUE(summary.AtEnd());
}

TEST(Batch, ReportsAreThoseOfSingleRunsForAnyNumberOfWorkers) {
  TempDir dir;
  std::vector<std::string> names = QuickExamples();
  for (const char* workers : {"-j1", "-j2"}) {
    std::vector<std::string> arguments = names;
    arguments.push_back(workers);
    const CliRun run = RunBatch(arguments);
    EXPECT_EQ(run.status, kExitReportWritten) << run.err;
    for (const std::string& name : names)
      EXPECT_EQ(ReadFileBytes(ChangeFileExt(name, ".out")), CommittedReport(name))
          << name << " " << workers;
  }
  EXPECT_FALSE(FileExists("Error.lst"));
}

TEST(Batch, FilesThatWouldOverwriteEachOtherAreUsageErrors) {
  TempDir dir;
  for (const char* name : {"a.inp", "a.dat", "b.inp", "b.err"})
    WriteFileBytes(name, "input");
  fs::create_symlink("a.inp", "c.out"); // the report of c.inp would go into a.inp
  const std::vector<std::string> rows[] = {
      {"a.inp", "./a.inp"}, {"a.inp", "a.dat"},   {"b.inp", "b.err"},
      {"b.inp", "a.out"},   {"a.inp", "c.inp"},   {"a.inp", "--summary", "./a.inp"},
      {"a.inp", "-j", "0"}, {"a.inp", "--quick"}, {}};
  for (const auto& arguments : rows) {
    const CliRun run = RunBatch(arguments);
    EXPECT_EQ(run.status, kExitUsage) << run.err;
    EXPECT_NE(run.err.find("\nRun 'pumpfield-cli run --help' for more.\n"), std::string::npos);
  }
  EXPECT_EQ(FolderNames("."),
            (std::vector<std::string>{"a.dat", "a.inp", "b.err", "b.inp", "c.out"}));
  EXPECT_EQ(ReadFileBytes("b.err"), "input");
}

TEST(Batch, InterruptedBatchKeepsFinishedReportsAndLeavesNoHalfWrittenFile) {
  TempDir dir;
  fs::create_directory("tmp");
  const std::string input =
      ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/conductivity-observed-field.inp");
  std::string files;
  for (int i = 1; i <= 6; ++i) {
    WriteFileBytes("c" + std::to_string(i) + ".inp", input);
    files += " c" + std::to_string(i) + ".inp";
  }
  WriteFileBytes("summary.csv", "previous");
  const pid_t batch = ::fork();
  if (batch == 0) {
    std::signal(SIGINT, SIG_DFL); // a test started in the background may have it ignored
    ::setenv("TMPDIR", dir.file("tmp").c_str(), 1);
    ::execl("/bin/sh", "sh", "-c",
            ("exec " + std::string(PUMPFIELD_CLI) + " run" + files +
             " -j2 --summary summary.csv >out 2>err")
                .c_str(),
            nullptr);
    ::_exit(127);
  }
  // Stop once the first run has ended, with the next ones under way.
  for (int wait = 0; wait < 1200 && ReadFileBytes("out").empty(); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ::kill(batch, SIGINT);
  int status = 0;
  ::waitpid(batch, &status, 0);

  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGINT) << ReadFileBytes("err");
  EXPECT_EQ(ReadFileBytes("summary.csv"), "previous");
  EXPECT_TRUE(FolderNames("tmp").empty());
  std::string complete = CommittedReport("conductivity-observed-field.inp");
  const std::string example = dir.path() + "/conductivity-observed-field.";
  for (size_t at; (at = complete.find(example)) != std::string::npos;)
    complete.replace(at, example.size(), dir.path() + "/c#.");
  for (const std::string& name : FolderNames(".")) {
    EXPECT_EQ(name.find(".~"), std::string::npos) << name;
    std::string expected = complete;
    for (size_t at; (at = expected.find("/c#.")) != std::string::npos;)
      expected.replace(at + 2, 1, name.substr(1, 1));
    if (ChangeFileExt(name, ".out") == name) {
      EXPECT_EQ(ReadFileBytes(name), expected) << name;
    }
  }
  std::istringstream finished(ReadFileBytes("out"));
  for (std::string line; std::getline(finished, line);)
    if (line.rfind("c", 0) == 0) {
      EXPECT_TRUE(FileExists(line.substr(0, 2) + ".out")) << line;
    }
}

TEST(Batch, GnuParallelGivesTheReportsOfTheSequentialRun) {
  if (Shell("command -v parallel >/dev/null") != 0)
    GTEST_SKIP() << "GNU parallel is not installed (Debian: parallel)";
  TempDir dir;
  std::vector<std::string> names = QuickExamples();
  std::vector<std::string> arguments = names;
  arguments.push_back("-j1");
  ASSERT_EQ(RunBatch(arguments).status, kExitReportWritten);
  std::vector<std::string> sequential;
  for (const std::string& name : names)
    sequential.push_back(ReadFileBytes(ChangeFileExt(name, ".out")));
  for (const std::string& name : names)
    fs::remove(ChangeFileExt(name, ".out"));

  EXPECT_EQ(Shell("parallel --will-cite -j2 " + std::string(PUMPFIELD_CLI) +
                  " run -j1 {} ::: *.inp >/dev/null 2>&1"),
            0);
  for (size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(ReadFileBytes(ChangeFileExt(names[i], ".out")), sequential[i]) << names[i];
  EXPECT_FALSE(FileExists("Error.lst"));
}

// --check adds the check's columns after the usual ones, which stay as they are without it.
TEST(Batch, CheckAddsItsColumnsToTheSummaryOnly) {
  TempDir dir;
  WriteFileBytes("spacing.inp",
                 ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/spacing-loam-over-sand.inp"));
  WriteFileBytes("discharge.inp",
                 ReadFileBytes(PUMPFIELD_SOURCE_DIR "/Data/discharge-loam-over-sand.inp"));
  WriteFileBytes("bad.inp", WithNumbers("Con", "0.0 1.4 16 3 10 -0.1 0.25 120 0 0 0 0 0 0"));
  const std::vector<std::string> files = {"spacing.inp", "discharge.inp", "bad.inp"};
  std::vector<std::string> plain = files, checked = files;
  plain.insert(plain.end(), {"--summary", "plain.csv"});
  checked.insert(checked.end(), {"--summary", "checked.csv", "--check"});
  ASSERT_EQ(RunBatch(plain).status, kExitInputErrors);
  ASSERT_EQ(RunBatch(checked).status, kExitInputErrors);

  TextReader without("plain.csv"), with("checked.csv");
  const std::string headings = without.ReadLine();
  EXPECT_EQ(with.ReadLine(), headings + ",check midway depth (m),check difference (% of "
                                        "drawdown),check flag,achieved midway depth (m),"
                                        "recharge over square share Q/S^2 (m/day)");
  const std::string checks[] = {",1.351,14.9,flagged,1.5000,",
                                ",1.375,12.5,flagged,1.5003,0.001227", ",,,,,"};
  for (const std::string& check : checks) {
    const std::string line = with.ReadLine(), usual = without.ReadLine();
    // All but the seconds, which differ from run to run, as without --check.
    const std::string beforeSeconds = usual.substr(0, usual.find_last_of(',') + 1);
    EXPECT_EQ(line.substr(0, beforeSeconds.size()), beforeSeconds);
    EXPECT_EQ(line.substr(line.size() - check.size()), check) << line;
  }
  EXPECT_EQ(RunBatch({"spacing.inp", "discharge.inp", "--check"}).status, 64);
  EXPECT_EQ(RunBatch({"spacing.inp", "--check"}).status, 64);
}
