// The command-line graph runs before any Qt application or data module exists.
#include "ReportFiles.h"
#include "TempDir.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <sstream>

namespace {
uint32_t LittleEndian32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}
} // namespace

TEST(GraphCommandWithoutApplication, MakesItsOwnOffscreenApplication) {
  TempDir dir;
  const std::string report = dir.file("spacing");
  WriteFileBytes(
      report + ".out",
      ReportHead("One", "Two", " Trellow input data: ", report) +
          ReportTable(" Output data:", {{0.5, 0.2, 1}, {5, 1, 0.5}, {10, 1.5, 0}, {20, 2, 0}}));
  WriteInputFile(report + ".inp", "Spa", 0, 0);
  ASSERT_EQ(QCoreApplication::instance(), nullptr);

  std::ostringstream out, err;
  ASSERT_EQ(RunCommandLine({"graph", report + ".out", dir.file("graph.bmp")}, out, err),
            kExitReportWritten)
      << err.str();
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
  const std::string bytes = ReadFileBytes(dir.file("graph.bmp"));
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(LittleEndian32(bytes, 18), 623u);
  EXPECT_EQ(LittleEndian32(bytes, 22), 465u);
  EXPECT_EQ(bytes.size(), 54u + 465u * ((623u * 3 + 3) / 4 * 4));
}
