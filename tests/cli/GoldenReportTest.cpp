// Every example input in Data/ and tests/fixtures/golden/ must reproduce its committed report
// byte for byte. The reports name the folder they were made in on lines 13 and 14; that folder
// is replaced by the test's own before the comparison. Committed reports name a neutral folder,
// never one of the machine they were made on.
#include "GoldenFiles.h"
#include "TempDir.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
class GoldenReport : public ::testing::TestWithParam<std::string> {};
} // namespace

TEST_P(GoldenReport, RunReproducesTheCommittedReport) {
  const std::string input = GetParam();
  const std::string expected = ReadFileBytes(ChangeFileExt(input, ".out"));
  ASSERT_FALSE(expected.empty()) << "no committed report beside " << input;
  const bool example = input.rfind(std::string(PUMPFIELD_SOURCE_DIR) + "/Data/", 0) == 0;
  EXPECT_EQ(WithFolder(expected,
                       example ? "/usr/share/pumpfield/Data" : "/pumpfield/tests/fixtures/golden"),
            expected);
  TempDir dir;
  const std::string name = ExtractFileName(input);
  WriteFileBytes(name, ReadFileBytes(input));
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"run", name}, out, err), kExitReportWritten) << err.str();
  EXPECT_EQ(ReadFileBytes(ChangeFileExt(name, ".out")), WithFolder(expected, GetCurrentDir()));
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FileExists("Error.lst"));
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenReport, ::testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return GoldenTestName(info.param); });
