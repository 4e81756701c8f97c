#include "export/SweepPlot.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

// A sweep plot is written as every file the program writes: whole or not at all, never over a
// read-only file, and a failure says the system's reason.
TEST(SweepPlot, IsWrittenWholeOrRefusedWithTheSystemsReason) {
  TempDir dir;
  const SweepPlot plot{"Title", "Sub", "Kb1 (m/day)", "S (m)", {{"", {1, 2}, {40, 60}, {}}}};
  std::string error;
  EXPECT_TRUE(SaveSweepPlot(plot, "plot.svg", 1, error)) << error;
  EXPECT_NE(ReadFileBytes("plot.svg").find("<svg"), std::string::npos);

  EXPECT_FALSE(SaveSweepPlot(plot, "missing/plot.png", 1, error));
  EXPECT_EQ(error, "The file \"missing/plot.png\" could not be written: No such file or directory");

  WriteFileBytes("kept.png", "previous");
  ::chmod("kept.png", 0444);
  EXPECT_FALSE(SaveSweepPlot(plot, "kept.png", 1, error));
  EXPECT_EQ(error, "The file \"kept.png\" could not be written: it is read-only");
  EXPECT_EQ(ReadFileBytes("kept.png"), "previous");
}
