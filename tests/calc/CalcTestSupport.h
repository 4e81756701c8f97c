// A run's surroundings for calculation tests: a temporary working folder, scripted services,
// and an engine whose input file the test writes with SaveInputFile.
#pragma once

#include "ScriptedServices.h"
#include "TempDir.h"
#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class CalcTest : public ::testing::Test {
protected:
  // Saves an input file of `aim` with `values` (positions 1..14) and makes it current.
  void WriteInput(const std::string& aim, const std::vector<double>& values) {
    data.Title1 = "First title";
    data.Title2 = "Second title";
    data.AimCode = aim;
    data.Params = values;
    data.Params.resize(14, 0.0);
    data.InputFileName = dir.file("case.inp");
    data.SaveInputFile(data.InputFileName);
  }

  static std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
      const size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) {
        lines.push_back(bytes.substr(start));
        break;
      }
      lines.push_back(bytes.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  std::string ReportBytes() const {
    return ReadFileBytes(ChangeFileExt(data.InputFileName, ".out"));
  }
  std::vector<std::string> ReportLines() const { return SplitCrLf(ReportBytes()); }

  // The rows the fine pass of the engine's flow-model state writes.
  std::string FineProfile() {
    const RunFiles files = engine.Files;
    engine.Files.ReportFile = false;
    {
      Report report(engine);
      CalcHeadProfile(engine, report);
    }
    engine.Files = files;
    return engine.Output.report;
  }

  // The rows of the table that follows the marker line at `marker` (0-based), up to " #".
  static std::vector<std::vector<double>> TableAfter(const std::vector<std::string>& lines,
                                                     size_t marker) {
    std::vector<std::vector<double>> rows;
    for (size_t i = marker + 1; i < lines.size() && lines[i] != " #"; ++i) {
      std::istringstream in(lines[i]);
      std::vector<double> row(3);
      in >> row[0] >> row[1] >> row[2];
      EXPECT_TRUE(static_cast<bool>(in)) << "row " << i << ": " << lines[i];
      rows.push_back(row);
    }
    return rows;
  }

  // The number at the end of a result line.
  static double TrailingNumber(const std::string& line) {
    return std::stod(line.substr(line.find_last_of(':') + 1));
  }

  TempDir dir;
  ScriptedServices services;
  Engine engine{services};
  TDMPumpfield& data = engine.DMPumpfield;
  FlowModelState& Flow = engine.Flow;
  bool& InputErrorFlag = engine.InputErrorFlag;
};
