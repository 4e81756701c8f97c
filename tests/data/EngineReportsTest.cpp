// The readers on every report the calculations wrote for the examples and golden cases.
#include "GoldenFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

namespace {
namespace fs = std::filesystem;

std::vector<std::string> ReportPaths() {
  std::vector<std::string> paths;
  for (const std::string& input : GoldenInputs())
    paths.push_back(ChangeFileExt(input, ".out"));
  return paths;
}

// The rows under each " Output data:" line, found by the shape of a row: three fixed-point
// numbers of widths 6, 10 and 10.
std::vector<std::vector<double>> TableDistances(const std::string& path) {
  static const std::regex row(R"( *-?\d+\.\d{2} *-?\d+\.\d{4} *-?\d+\.\d{4})");
  std::vector<std::vector<double>> tables;
  std::istringstream in(ReadFileBytes(path));
  bool inTable = false;
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('\r'));
    if (line.rfind(" Output data:", 0) == 0) {
      tables.emplace_back();
      inTable = true;
    } else if (inTable && std::regex_match(line, row)) {
      tables.back().push_back(std::stod(line.substr(0, 6)));
    } else {
      inTable = false;
    }
  }
  return tables;
}

class EngineReport : public ::testing::TestWithParam<std::string> {};
} // namespace

TEST_P(EngineReport, ReadersFindEveryTableRowAndTheReportKind) {
  ScriptedServices services;
  TDMPumpfield dm(&services);
  const std::string path = GetParam();
  dm.LoadGraphData(path);
  EXPECT_TRUE(services.messages.empty());

  const auto tables = TableDistances(path);
  const std::string lines = ReadFileBytes(path);
  const bool rectangular = lines.find(" Ostvane input data: ") != std::string::npos;
  if (rectangular) {
    EXPECT_EQ(dm.ReportTag, " Ost");
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(dm.Count2, static_cast<int32_t>(tables[1].size()));
    EXPECT_EQ(dm.Count3, static_cast<int32_t>(tables[2].size()));
    if (dm.Count3 > 0) {
      EXPECT_EQ(dm.Table2X, tables[1]);
      EXPECT_EQ(dm.Table3X, tables[2]);
    }
  } else {
    EXPECT_TRUE(dm.ReportTag == " Tre" || dm.ReportTag == " Qui") << dm.ReportTag;
    ASSERT_EQ(tables.size(), 1u);
  }
  ASSERT_GT(tables[0].size(), 0u);
  EXPECT_EQ(dm.Count1, static_cast<int32_t>(tables[0].size()));
  EXPECT_EQ(dm.Table1X, tables[0]);
  EXPECT_EQ(dm.Title1.rfind(" ", 0), 0u); // "  " + title, shortened to one blank
  EXPECT_EQ(dm.Title1.find("  "), std::string::npos);

  dm.LoadOutputLines(path);
  EXPECT_EQ(dm.OutputLineCount, static_cast<int32_t>(std::count(lines.begin(), lines.end(), '\n')));
  EXPECT_EQ(dm.OutputLines[15].substr(0, 4), dm.ReportTag.empty() ? " Ost" : dm.ReportTag);
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndGoldenCases, EngineReport, ::testing::ValuesIn(ReportPaths()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = fs::path(info.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c)))
                               c = '_';
                           return name;
                         });
