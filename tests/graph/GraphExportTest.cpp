#include "graph/GraphExport.h"
#include "ReportFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {
const std::vector<ReportRow> kSpacingRows = {
    {0.25, 0.1, 2}, {0.5, 0.4, 1.5}, {10, 1.5, 0.1}, {25, 2.4, 0.05}, {50, 3, 0}};
const std::vector<ReportRow> kLonger = {
    {0.25, 0.1, 2}, {5, 0.8, 0.2}, {20, 1.8, 0.1}, {44, 2.8, 0}};
const std::vector<ReportRow> kShorter = {
    {0.25, 0.1, 2}, {2, 0.7, 0.2}, {10, 1.3, 0.1}, {22, 1.8, 0}};
const std::vector<ReportRow> kDiagonal = {
    {0.25, 0.1, 2}, {20, 2.2, 0.1}, {35, 2.9, 0.05}, {49, 3.3, 0}};

void Fill(DataSetR& x, DataSetR& f, DataSetR& g, int32_t& count,
          const std::vector<ReportRow>& rows) {
  x.clear();
  f.clear();
  g.clear();
  for (const ReportRow& row : rows) {
    x.push_back(row.x);
    f.push_back(row.f);
    g.push_back(row.g);
  }
  count = static_cast<int32_t>(rows.size());
}

int CountColour(const QImage& image, const QRect& box, QRgb colour) {
  int count = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      count += image.pixel(x, y) == colour;
  return count;
}

const QRect kDarcyLegendBox(86, 65, 95, 13);

class GraphExportTest : public testing::Test {
protected:
  std::string SpacingReport() {
    const std::string path = dir.file("spacing");
    WriteFileBytes(path + ".out", ReportHead("Report  title  one", "Report title two",
                                             " Trellow input data: ", path) +
                                      ReportTable(" Output data:", kSpacingRows) +
                                      " Midway hydraulic head (m) ...  :    3.000\r\n #\r\n");
    return path;
  }

  std::string FieldReport() {
    const std::string path = dir.file("field");
    std::string text = ReportHead("Field one", "Field two", " Ostvane input data: ", path);
    text += ReportTable(" Output data: (along the longer spacing)", kLonger);
    text += " head\r\n depth\r\n #\r\n";
    text += ReportTable(" Output data: (along the shorter spacing)", kShorter);
    text += " head\r\n depth\r\n #\r\n";
    text += ReportTable(" Output data: (along the diagonal)", kDiagonal);
    text += " head\r\n depth\r\n #\r\n The well discharge  (m3/day)  is:     10.0\r\n #\r\n";
    WriteFileBytes(path + ".out", text);
    return path;
  }

  // The picture "Make graph" should give: the report's tables with the input file's titles.
  QImage Expected(const std::string& tag, const std::string& inputPath) {
    TDMPumpfield expected;
    expected.ReportTag = tag;
    expected.Title1 = "Input  title one";
    expected.Title2 = "Input title two";
    expected.InputFileName = inputPath + ".out";
    if (tag == " Ost") {
      Fill(expected.Table1X, expected.Table1F, expected.Table1G, expected.Count1, kLonger);
      Fill(expected.Table2X, expected.Table2F, expected.Table2G, expected.Count2, kShorter);
      Fill(expected.Table3X, expected.Table3F, expected.Table3G, expected.Count3, kDiagonal);
    } else {
      Fill(expected.Table1X, expected.Table1F, expected.Table1G, expected.Count1, kSpacingRows);
    }
    TPlotScale scale;
    SetPlotFrame(scale, kPlotWidth, kPlotHeight);
    QImage image;
    DrawGraph(image, {expected, scale});
    return image;
  }

  static QImage Saved(const std::string& path) {
    return QImage(QString::fromStdString(path), "BMP").convertToFormat(QImage::Format_RGB32);
  }

  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm{&services};
  std::string error;
};
} // namespace

TEST_F(GraphExportTest, SpacingReportIsDrawnWithTheTitlesOfItsInputFile) {
  const std::string report = SpacingReport();
  WriteInputFile(report + ".inp", "Spa", 0, 0);
  const std::string bmp = dir.file("spacing.bmp");
  ASSERT_EQ(ExportGraph(dm, '.', report + ".out", bmp, error), GraphExportResult::Written) << error;
  const QImage saved = Saved(bmp);
  ASSERT_EQ(saved.size(), QSize(623, 465));
  EXPECT_TRUE(saved == Expected(" Tre", report));
  EXPECT_GT(CountColour(saved, kDarcyLegendBox, qRgb(255, 255, 255)), 20);
  EXPECT_EQ(dm.InputFileName, report + ".out");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(GraphExportTest, RectangularReportDrawsItsThreeProfiles) {
  const std::string report = FieldReport();
  WriteInputFile(report + ".inp", "Hydr", 100, 50);
  const std::string bmp = dir.file("field.bmp");
  ASSERT_EQ(ExportGraph(dm, '.', report + ".out", bmp, error), GraphExportResult::Written) << error;
  const QImage saved = Saved(bmp);
  EXPECT_TRUE(saved == Expected(" Ost", report));
  EXPECT_EQ(CountColour(saved, kDarcyLegendBox, qRgb(255, 255, 255)), 0);
  EXPECT_GT(CountColour(saved, QRect(90, 95, 120, 13), qRgb(255, 255, 0)), 20);
}

TEST_F(GraphExportTest, WithoutAnInputFileTheReportAloneIsDrawnWithoutAMessage) {
  const std::string report = FieldReport();
  const std::string bmp = dir.file("field.bmp");
  ASSERT_EQ(ExportGraph(dm, '.', report + ".out", bmp, error), GraphExportResult::Written) << error;
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(dm.Title1, " Field one"); // the report's own titles
  EXPECT_EQ(Saved(bmp).size(), QSize(623, 465));
}

TEST_F(GraphExportTest, UnreadableReportsGiveStatusThreeAndNoBitmap) {
  const std::string bmp = dir.file("graph.bmp");
  EXPECT_EQ(ExportGraph(dm, '.', dir.file("absent.out"), bmp, error),
            GraphExportResult::ReportUnreadable);
  EXPECT_EQ(error,
            CouldNotOpenDamagedMessage(dir.file("absent.out")) + "\nNo such file or directory");

  WriteFileBytes(dir.file("plain.out"), ReportHead("a", "b", " Trellow input data: ", "p"));
  error.clear();
  EXPECT_EQ(ExportGraph(dm, '.', dir.file("plain.out"), bmp, error),
            GraphExportResult::ReportUnreadable);
  EXPECT_NE(error.find("plain.out"), std::string::npos) << error;
  EXPECT_FALSE(FileExists(bmp));
}

TEST_F(GraphExportTest, BitmapThatCannotBeWrittenGivesStatusOne) {
  const std::string report = SpacingReport();
  WriteInputFile(report + ".inp", "Spa", 0, 0);
  const std::string bmp = dir.file("no/such/folder/graph.bmp");
  EXPECT_EQ(ExportGraph(dm, '.', report + ".out", bmp, error), GraphExportResult::ImageNotWritten);
  EXPECT_EQ(error, "The file \"" + bmp + "\" could not be written: No such file or directory");
}
