#include "ScriptedServices.h"
#include "TempDir.h"
#include "data/UDMPumpfield.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
std::string Rows(int count, double start = 0.0) {
  std::string rows;
  for (int i = 1; i <= count; ++i) {
    char row[64];
    std::snprintf(row, sizeof row, "%6.2f%10.4f%10.4f\r\n", start + i, 0.5 * i, 0.01 * i);
    rows += row;
  }
  return rows;
}

// Lines 1 to 17 of a report: titles on lines 10 and 11, the tag line on 16.
std::string Head(const std::string& title1, const std::string& title2, const std::string& line16) {
  std::string head = "\r\n Pumpfield\r\n l3\r\n l4\r\n l5\r\n l6\r\n l7\r\n l8\r\n\r\n";
  head += "  " + title1 + "\r\n  " + title2 + "\r\n\r\n Name of input file used:  x.inp\r\n";
  head += " Name of this output file: x.out\r\n\r\n" + line16 + "\r\n\r\n";
  return head;
}

std::string SingleReport(int rows, const std::string& marker = " Output data:") {
  return Head("Title one", "Title two", " Trellow input data: ") +
         " Output sequence (see also the Symbols button):\r\n   X       F         G/p\r\n" +
         marker + "\r\n" + Rows(rows) +
         " #\r\n The well spacing (Darcy,  m) is :    50.00\r\n #\r\n";
}

std::string ProfileBlock(const std::string& along, int rows, double start, bool last) {
  std::string block = "\r\n Output sequence (see also the Symbols button):\r\n"
                      "   X       F         G/p\r\n Output data: (along the " +
                      along + ")\r\n" + Rows(rows, start) + " #\r\n head\r\n depth\r\n #\r\n";
  if (last)
    block += " The well discharge  (m3/day)  is:    100.0\r\n #\r\n";
  return block;
}

std::string RectangularReport(int rows1, int rows2, int rows3) {
  return Head("Field", "Rectangle", " Ostvane input data: ") +
         ProfileBlock("longer spacing", rows1, 0, false) +
         ProfileBlock("shorter spacing", rows2, 100, false) +
         ProfileBlock("diagonal", rows3, 200, true);
}

struct ReaderTest : ::testing::Test {
  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm{&services};

  void Load(const std::string& bytes) {
    WriteFileBytes("r.out", bytes);
    dm.LoadGraphData("r.out");
  }
};
} // namespace

TEST_F(ReaderTest, SingleProfileReportGivesTitlesTagAndOneTable) {
  Load(Head("  Two  blanks   here", "plain", " Trellow input data: ") +
       " Output sequence\r\n   X\r\n Output data:\r\n" + Rows(3) + " #\r\n");
  EXPECT_EQ(dm.Title1, " Two blanks here");
  EXPECT_EQ(dm.Title2, " plain");
  EXPECT_EQ(dm.ReportTag, " Tre");
  ASSERT_EQ(dm.Count1, 3);
  EXPECT_EQ(dm.Table1X, (DataSetR{1, 2, 3}));
  EXPECT_EQ(dm.Table1F, (DataSetR{0.5, 1.0, 1.5}));
  EXPECT_EQ(dm.Table1G, (DataSetR{0.01, 0.02, 0.03}));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(ReaderTest, RectangularReportGivesThreeTables) {
  Load(RectangularReport(4, 3, 5));
  EXPECT_EQ(dm.ReportTag, " Ost");
  EXPECT_EQ(dm.Count1, 4);
  EXPECT_EQ(dm.Count2, 3);
  EXPECT_EQ(dm.Count3, 5);
  EXPECT_EQ(dm.Table1X.back(), 4.0);
  EXPECT_EQ(dm.Table2X, (DataSetR{101, 102, 103}));
  EXPECT_EQ(dm.Table3X.front(), 201.0);
  EXPECT_EQ(dm.Table3F.back(), 2.5);
}

TEST_F(ReaderTest, ShorterTableAfterLongerLeavesNoStaleRows) {
  Load(RectangularReport(6, 6, 6));
  Load(SingleReport(2));
  EXPECT_EQ(dm.Count1, 2);
  EXPECT_EQ(dm.Table1X.size(), 2u);
  // A single-profile report leaves the other tables of the earlier report alone.
  EXPECT_EQ(dm.Count3, 6);
  EXPECT_EQ(dm.ReportTag, " Tre");
}

TEST_F(ReaderTest, EmptyTableLeavesItsArraysAsTheyWere) {
  Load(SingleReport(3));
  Load(SingleReport(0));
  EXPECT_EQ(dm.Count1, 0);
  EXPECT_EQ(dm.Table1X.size(), 3u);
}

TEST_F(ReaderTest, EndLineMustBeExactlyBlankHash) {
  // " #" with trailing blanks is a row-less line that does not end the table, so the rows
  // counted include it and reading it as a row fails: the report is refused whole.
  Load(SingleReport(2));
  WriteFileBytes("t.out", Head("a", "b", " Trellow") + " Output data:\r\n" + Rows(2) + " #  \r\n" +
                              Rows(1) + " #\r\n");
  EXPECT_THROW(dm.LoadGraphData("t.out"), ReportFormatError);
  EXPECT_EQ(dm.Count1, 2);
  EXPECT_EQ(dm.Title1, " Title one"); // still the earlier report's
}

TEST_F(ReaderTest, AnyLineStartingWithTheMarkerTextIsAMarker) {
  Load(SingleReport(2, " Output data: (whatever follows)"));
  EXPECT_EQ(dm.Count1, 2);
}

TEST_F(ReaderTest, RectangularReportWithOneTableClearsTheTag) {
  Load(RectangularReport(2, 2, 2));
  Load(Head("F", "R", " Ostvane input data: ") + ProfileBlock("longer spacing", 3, 0, false));
  EXPECT_EQ(dm.ReportTag, "");
  EXPECT_EQ(dm.Count1, 3);
  EXPECT_EQ(dm.Count2, 2); // untouched
}

TEST_F(ReaderTest, FileWithoutMarkerIsRefusedWithoutChangingAnything) {
  Load(SingleReport(2));
  WriteFileBytes("n.out", Head("new", "new", " Trellow") + " no tables here\r\n");
  try {
    dm.LoadGraphData("n.out");
    FAIL();
  } catch (const ReportFormatError& e) {
    EXPECT_NE(std::string(e.what()).find("is not an output report that can be drawn"),
              std::string::npos);
    EXPECT_NE(std::string(e.what()).find("n.out"), std::string::npos);
  }
  EXPECT_EQ(dm.Title1, " Title one");
  EXPECT_EQ(dm.Count1, 2);
}

TEST_F(ReaderTest, FileWithoutEndLineIsRefused) {
  WriteFileBytes("e.out", Head("a", "b", " Trellow") + " Output data:\r\n" + Rows(4));
  EXPECT_THROW(dm.LoadGraphData("e.out"), ReportFormatError);
  EXPECT_EQ(dm.Count1, 0);
  EXPECT_TRUE(dm.Table1X.empty());
}

TEST_F(ReaderTest, RectangularReportMissingItsThirdTableIsRefused) {
  const std::string full = RectangularReport(2, 2, 2);
  WriteFileBytes("r.out", full.substr(0, full.find(" Output data: (along the diagonal)")));
  EXPECT_THROW(dm.LoadGraphData("r.out"), ReportFormatError);
  EXPECT_EQ(dm.Count1, 0);
  EXPECT_EQ(dm.ReportTag, "");
}

TEST_F(ReaderTest, RectangularReportWhoseSecondTableHasNoMarkerIsRefused) {
  const std::string withoutMarker = "\r\n Output sequence (see also the Symbols button):\r\n"
                                    "   X       F         G/p\r\n #\r\n head\r\n depth\r\n #\r\n";
  dm.Count2 = 7;
  EXPECT_THROW(Load(Head("Field", "Rectangle", " Ostvane input data: ") +
                    ProfileBlock("longer spacing", 2, 0, false) + withoutMarker +
                    ProfileBlock("shorter spacing", 2, 100, false) +
                    ProfileBlock("diagonal", 2, 200, true)),
               ReportFormatError);
  EXPECT_EQ(dm.Count2, 7);
}

TEST_F(ReaderTest, TitlesOfMegabytesOfBlanksAreShortenedInLinearTime) {
  const auto start = std::chrono::steady_clock::now();
  Load(Head("a" + std::string(2 << 20, ' ') + "b", "c", " Trellow input data: ") +
       SingleReport(3).substr(Head("", "", " Trellow input data: ").size()));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(dm.Title1, " a b");
}

TEST_F(ReaderTest, TablesOfMoreThan255RowsAreRefused) {
  Load(SingleReport(255));
  EXPECT_EQ(dm.Count1, 255);
  WriteFileBytes("big.out", SingleReport(256));
  try {
    dm.LoadGraphData("big.out");
    FAIL();
  } catch (const ReportFormatError& e) {
    EXPECT_NE(std::string(e.what()).find("256 rows"), std::string::npos);
  }
  EXPECT_EQ(dm.Count1, 255);
}

TEST_F(ReaderTest, UnreadableRowNamesTheFileAndLine) {
  std::string bad = SingleReport(3);
  bad.replace(bad.find("  2.00"), 6, "  2,00");
  WriteFileBytes("bad.out", bad);
  try {
    dm.LoadGraphData("bad.out");
    FAIL();
  } catch (const ReportFormatError& e) {
    EXPECT_NE(std::string(e.what()).find("\"bad.out\""), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("line 22"), std::string::npos);
  }
  EXPECT_EQ(dm.Count1, 0);
}

TEST_F(ReaderTest, FileThatCannotBeOpenedGivesTheMessageAndChangesNothing) {
  dm.Title1 = "kept";
  dm.LoadGraphData("missing.out");
  dm.LoadOutputLines("missing.out");
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0],
            "The file \"missing.out\"could not be opened. It may be damaged or in use by another "
            "program,  or the programmer should incorporate more time.\nNo such file or directory");
  EXPECT_EQ(dm.Title1, "kept");
  EXPECT_EQ(dm.OutputLineCount, 0);
}

TEST_F(ReaderTest, OutputLinesReadsEveryLine) {
  WriteFileBytes("a.txt", "one\r\n\r\nthree\n");
  dm.LoadOutputLines("a.txt");
  EXPECT_EQ(dm.OutputLineCount, 3);
  EXPECT_EQ(dm.OutputLines, (LineSet{"one", "", "three"}));
  WriteFileBytes("empty.txt", "");
  dm.LoadOutputLines("empty.txt");
  EXPECT_EQ(dm.OutputLineCount, 0);
  EXPECT_EQ(dm.OutputLines.size(), 3u);
}
