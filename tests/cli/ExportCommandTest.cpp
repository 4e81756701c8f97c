// pumpfield-cli export, report, and graph in the formats other than the bitmap.
#include "CliTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

std::string Example(const std::string& name) {
  return std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name;
}

bool Holds(const std::string& text, const std::string& words) {
  return text.find(words) != std::string::npos;
}
} // namespace

TEST(ExportCommand, WritesTheTablesAndRefusesWhatItCannotDo) {
  TempDir dir;
  WriteFileBytes("case.out", ReadFileBytes(Example("spacing-loam-over-sand.out")));
  ASSERT_EQ(Cli("export case.out --csv tables.csv"), 0) << ReadFileBytes("err.txt");
  EXPECT_EQ(ReadFileBytes("out.txt"), "Tables written: " + dir.file("tables.csv") + "\n");
  EXPECT_EQ(ReadFileBytes("tables.csv").substr(0, 82),
            "profile,distance (m),head (m),gradient (-)\r\n"
            "between the wells,0.13,0.6739,0.5163\r\n");

  const struct {
    const char* arguments;
    int status;
  } rows[] = {{"", 64},
              {"case.out", 64},
              {"case.out --csv", 64},
              {"case.out --csv a.csv --csv b.csv", 64},
              {"missing.out --csv a.csv", 3},
              {"case.out --csv no/folder/a.csv", 1},
              {"case.out --csv case.out", 1}};
  for (const auto& row : rows)
    EXPECT_EQ(Cli(std::string("export ") + row.arguments), row.status) << row.arguments;
  EXPECT_EQ(ReadFileBytes("case.out"), ReadFileBytes(Example("spacing-loam-over-sand.out")));
}

TEST(ReportCommand, WritesAnA4PdfWithTitlesResultOutcomeAndPageNumbers) {
  TempDir dir;
  const struct {
    std::string report;
    int pages;
    std::vector<std::string> words;
  } rows[] = {
      {Example("spacing-loam-over-sand.out"),
       2,
       {"Polder De Kolk, loam over fine sand", "Aim", "Well spacing",
        "The well spacing (Darcy, m) is", "103.33", "The search met its tolerance."}},
      {Example("field-rectangular.out"),
       3,
       {"Glasshouse district, rectangular well field", "Profile along the diagonal",
        "Midway watertable depth (m) for the diagonal is", "0.591", "needs no search"}},
      {std::string(PUMPFIELD_TEST_DATA) + "/golden/spacing-lower-bound.out",
       2,
       {"Heavy clay, high recharge", "The search did not meet its tolerance.",
        "the well spacing shown is the lower bound of the search, 2 m."}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    ASSERT_EQ(Cli("report " + row.report + " report.pdf"), 0) << ReadFileBytes("err.txt");
    const std::string tools = "pdfinfo report.pdf >info.txt && pdftotext report.pdf text.txt && "
                              "sha256sum <'" +
                              row.report + "' >sha.txt";
    ASSERT_EQ(std::system(tools.c_str()), 0);
    const std::string info = ReadFileBytes("info.txt");
    EXPECT_TRUE(Holds(info, "Pages:           " + std::to_string(row.pages) + "\n")) << info;
    EXPECT_TRUE(Holds(info, "(A4)")) << info;
    std::string text = ReadFileBytes("text.txt");
    std::replace(text.begin(), text.end(), '\n', ' '); // lines wrap where the page needs
    for (const std::string& words : row.words)
      EXPECT_TRUE(Holds(text, words)) << words;
    EXPECT_TRUE(Holds(text, "Calculation report"));
    EXPECT_TRUE(Holds(text, ReadFileBytes("sha.txt").substr(0, 64)));
    EXPECT_TRUE(
        Holds(text, "Page " + std::to_string(row.pages) + " of " + std::to_string(row.pages)));
  }
  EXPECT_EQ(Cli("report"), 64);
  EXPECT_EQ(Cli("report missing.out report.pdf"), 3);
  EXPECT_EQ(Cli("report " + rows[0].report + " no/folder/report.pdf"), 1);
}

TEST(GraphCommand, ChoosesTheFormatByExtension) {
  TempDir dir;
  const std::string report = Example("spacing-deep-well.out");
  ASSERT_EQ(Cli("graph " + report + " big.png --scale 3"), 0) << ReadFileBytes("err.txt");
  const std::string png = ReadFileBytes("big.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x07\x4d\0\0\x05\x73", 8)); // 1869 x 1395
  ASSERT_EQ(Cli("graph " + report + " drawing.svg"), 0);
  EXPECT_EQ(ReadFileBytes("drawing.svg").substr(0, 5), "<?xml");
  for (const char* arguments : {" big.bmp --scale 2", " big.png --scale 5", " big.png --scale"})
    EXPECT_EQ(Cli("graph " + report + arguments), 64) << arguments;
}
