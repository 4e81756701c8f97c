// Shared pieces of the fuzz harnesses: scratch files for the bytes under test, and services
// that count the requests to end the program instead of ending it.
#pragma once

#include "core/Services.h"
#include "data/UDMPumpfield.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// `name` in a folder of this process's own, removed when the process ends.
inline std::string ScratchPath(const std::string& name) {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "pumpfield-fuzz-XXXXXX");
    if (!::mkdtemp(pattern.data()))
      std::abort();
    static const std::string removed = pattern;
    std::atexit([] { std::filesystem::remove_all(removed); });
    return pattern;
  }();
  return folder + "/" + name;
}

inline std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = ScratchPath(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A harness's check: a failure ends the run as a finding.
inline void Require(bool condition) {
  if (!condition)
    std::abort();
}

class CountingServices final : public Services {
public:
  void AppendProgress(const std::string&) override {}
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void RequestQuit() override { ++quitRequests; }
  void Pause(int) override {}

  int quitRequests = 0;
};

// Report tables from the bytes: the first three bytes choose the kind of report and the row
// counts (up to 31 each), the rest are the rows' doubles (0 once the bytes run out, and for
// infinities and NaN, which no report holds).
inline void FillTables(const uint8_t* data, size_t size, TDMPumpfield& dm) {
  uint8_t head[3] = {0, 0, 0};
  std::memcpy(head, data, std::min<size_t>(size, 3));
  size_t next = std::min<size_t>(size, 3);
  auto value = [&] {
    double v = 0;
    if (size - next >= sizeof v) {
      std::memcpy(&v, data + next, sizeof v);
      next += sizeof v;
    }
    return std::isfinite(v) ? v : 0.0;
  };
  auto table = [&](DataSetR& x, DataSetR& f, DataSetR& g, int32_t& count, int32_t rows) {
    count = rows;
    x.assign(rows, 0.0);
    f.assign(rows, 0.0);
    g.assign(rows, 0.0);
    for (int32_t i = 0; i < rows; ++i) {
      x[i] = value();
      f[i] = value();
      g[i] = value();
    }
  };
  dm.ReportTag = head[0] & 1 ? kRectangularReportTag : " Tre";
  table(dm.Table1X, dm.Table1F, dm.Table1G, dm.Count1, head[1] % 32);
  table(dm.Table2X, dm.Table2F, dm.Table2G, dm.Count2, head[2] % 32);
  table(dm.Table3X, dm.Table3F, dm.Table3G, dm.Count3, (head[1] ^ head[2]) % 32);
}
