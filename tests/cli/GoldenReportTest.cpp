// Every example input in Data/ and tests/data/golden/ must reproduce its committed report byte
// for byte. The reports name the folder they were made in on lines 13 and 14; that folder is
// replaced by the test's own before the comparison.
#include "FileNames.h"
#include "RunCommand.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::vector<std::string> GoldenInputs() {
  std::vector<std::string> inputs;
  for (const std::string& folder :
       {std::string(PUMPFIELD_SOURCE_DIR) + "/Data", std::string(PUMPFIELD_TEST_DATA) + "/golden"})
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".inp")
        inputs.push_back(entry.path().string());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string TestName(const std::string& path) {
  std::string name;
  for (char c :
       fs::path(path).parent_path().filename().string() + "_" + fs::path(path).stem().string())
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

// `report` with the folder of the two file names on lines 13 and 14 replaced by `folder`.
std::string WithFolder(const std::string& report, const std::string& folder) {
  constexpr size_t kLabelLength = 27;
  std::string result;
  size_t start = 0;
  for (int line = 1; start < report.size(); ++line) {
    size_t end = report.find("\r\n", start);
    end = end == std::string::npos ? report.size() : end + 2;
    std::string text = report.substr(start, end - start);
    if ((line == 13 || line == 14) && text.size() > kLabelLength + 2) {
      const std::string path = text.substr(kLabelLength, text.size() - kLabelLength - 2);
      text = text.substr(0, kLabelLength) + folder + "/" + ExtractFileName(path) + "\r\n";
    }
    result += text;
    start = end;
  }
  return result;
}

class GoldenReport : public ::testing::TestWithParam<std::string> {};
} // namespace

TEST_P(GoldenReport, RunReproducesTheCommittedReport) {
  const std::string input = GetParam();
  const std::string expected = ReadFileBytes(ChangeFileExt(input, ".out"));
  ASSERT_FALSE(expected.empty()) << "no committed report beside " << input;
  TempDir dir;
  const std::string name = ExtractFileName(input);
  WriteFileBytes(name, ReadFileBytes(input));
  std::ostringstream out, err;
  EXPECT_EQ(RunCommand({name}, out, err), kExitReportWritten) << err.str();
  EXPECT_EQ(ReadFileBytes(ChangeFileExt(name, ".out")), WithFolder(expected, GetCurrentDir()));
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FileExists("Error.lst"));
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenReport, ::testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return TestName(info.param); });
