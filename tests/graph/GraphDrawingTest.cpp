#include "graph/GraphDrawing.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphBitmap.h"
#include "graph/UWellUtils.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <cstdlib>

namespace {
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kDarkBlue = qRgb(0, 0, 139);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);

int CountColour(const QImage& image, const QRect& box, QRgb colour) {
  int count = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (image.pixel(x, y) == colour)
        ++count;
  return count;
}

// Box of a one-character symbol written with its top-left corner at (x, y).
QRect SymbolBox(int x, int y) { return QRect(x, y, 8, 13); }

struct LineTrace {
  int covered = 0; // columns with the colour within one row of the ideal line
  int gaps = 0;
};

// Walks the columns strictly between two points of a mostly horizontal segment.
LineTrace Trace(const QImage& image, QPoint from, QPoint to, QRgb colour) {
  LineTrace trace;
  for (int x = from.x() + 1; x < to.x(); ++x) {
    const double y = from.y() + double(to.y() - from.y()) * (x - from.x()) / (to.x() - from.x());
    const int row = static_cast<int>(y + 0.5);
    bool hit = false;
    for (int dy = -1; dy <= 1; ++dy)
      hit = hit || image.pixel(x, row + dy) == colour;
    hit ? ++trace.covered : ++trace.gaps;
  }
  return trace;
}

class GraphDrawingTest : public testing::Test {
protected:
  GraphDrawingTest() { SetPlotFrame(PlotScale, kPlotWidth, kPlotHeight); }

  static void SetTable(DataSetR& x, DataSetR& f, DataSetR& g, int32_t& count, DataSetR xs,
                       DataSetR fs) {
    count = static_cast<int32_t>(xs.size());
    g.assign(xs.size(), 0.0);
    x = std::move(xs);
    f = std::move(fs);
  }

  // Heads up to 3 m over 50 m: vertical axis 0 to 4 m, horizontal 0 to 60 m.
  void SingleProfile(DataSetR x = {0, 5, 10, 30, 50}, DataSetR f = {0, 0.5, 1.0, 2.0, 3.0}) {
    dm.Title1 = "Report title one";
    dm.Title2 = "Report title two";
    dm.ReportTag = " Tre";
    SetTable(dm.Table1X, dm.Table1F, dm.Table1G, dm.Count1, std::move(x), std::move(f));
  }

  // Scaled on the diagonal: vertical axis 0 to 5 m, horizontal 0 to 50 m.
  void RectangularField(double sa, double sb) {
    TDMPumpfield input;
    input.Title1 = "Input title one";
    input.Title2 = "Input title two";
    input.AimCode = "Hydr";
    input.Params = {0.002, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, sa, sb};
    input.SaveInputFile(dir.file("field.inp"));
    dm.InputFileName = dir.file("field.out");
    dm.Title1 = "Report title one";
    dm.Title2 = "Report title two";
    dm.ReportTag = " Ost";
    SetTable(dm.Table1X, dm.Table1F, dm.Table1G, dm.Count1, {0.1, 5, 10, 20, 30, 44},
             {0.2, 0.8, 1.2, 1.8, 2.4, 2.8});
    SetTable(dm.Table2X, dm.Table2F, dm.Table2G, dm.Count2, {0.1, 2, 5, 10, 16, 22},
             {0.2, 0.7, 1.0, 1.3, 1.6, 1.8});
    SetTable(dm.Table3X, dm.Table3F, dm.Table3G, dm.Count3, {2, 6, 20, 35, 49},
             {3.2, 3.4, 2.2, 2.9, 3.3});
  }

  QImage Draw() {
    QImage image;
    DrawGraph(image, {dm, PlotScale});
    return image;
  }

  ScriptedServices services;
  TempDir dir;
  TDMPumpfield dm{&services};
  TPlotScale PlotScale;
};

const QRect kDarcyLegendBox(86, 65, 95, 13);
const QRect kProfileArea(100, 100, 380, 270); // away from every text, axis and tick
} // namespace

TEST_F(GraphDrawingTest, SilverPictureWithDarkBluePlottingFieldAndTitles) {
  SingleProfile();
  const QImage image = Draw();
  ASSERT_EQ(image.size(), QSize(623, 465));
  for (const QPoint p : {QPoint(0, 0), QPoint(622, 464), QPoint(19, 300), QPoint(605, 300),
                         QPoint(300, 445), QPoint(610, 10), QPoint(10, 440)})
    EXPECT_EQ(image.pixel(p), kSilver) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(20, 19), QPoint(604, 19), QPoint(604, 444), QPoint(20, 444)})
    EXPECT_EQ(image.pixel(p), kDarkBlue) << p.x() << "," << p.y();
  EXPECT_GT(CountColour(image, QRect(82, 5, 150, 14), kBlack), 20);    // Title1
  EXPECT_GT(CountColour(image, QRect(20, 450, 250, 14), kBlack), 20);  // caption
  EXPECT_GT(CountColour(image, QRect(82, 20, 150, 13), kWhite), 20);   // Title2
  EXPECT_GT(CountColour(image, QRect(440, 425, 120, 13), kWhite), 20); // XAxisLabel
  EXPECT_GT(CountColour(image, QRect(50, 50, 200, 13), kWhite), 20);   // YAxisLabel
  EXPECT_EQ(CountColour(image, QRect(0, 0, 623, 465), kYellow), 0);
}

TEST_F(GraphDrawingTest, AxesAndTickMarksEndBeforeTheirLastPixel) {
  SingleProfile();
  const QImage image = Draw();
  for (int row = 70; row <= 390; ++row)
    ASSERT_EQ(image.pixel(70, row), kWhite) << row;
  for (int column = 70; column <= 570; ++column)
    ASSERT_EQ(image.pixel(column, 390), kWhite) << column;
  EXPECT_EQ(image.pixel(70, 69), kDarkBlue);
  EXPECT_EQ(image.pixel(571, 390), kDarkBlue);

  for (int row : {70, 150, 230, 310, 390}) {
    for (int column = 67; column <= 70; ++column)
      EXPECT_EQ(image.pixel(column, row), kWhite) << column << "," << row;
    EXPECT_EQ(image.pixel(66, row), kDarkBlue) << row;
    EXPECT_EQ(image.pixel(68, row + 20 < 390 ? row + 20 : row - 20), kDarkBlue);
    // The label ends six pixels left of the axis, centred on the tick.
    EXPECT_GT(CountColour(image, QRect(44, row - 7, 20, 14), kWhite), 5) << row;
    EXPECT_EQ(CountColour(image, QRect(64, row - 7, 2, 14), kWhite), 0) << row;
  }
  for (int column : {70, 153, 237, 320, 403, 487, 570}) {
    for (int row = 390; row <= 393; ++row)
      EXPECT_EQ(image.pixel(column, row), kWhite) << column << "," << row;
    EXPECT_EQ(image.pixel(column, 394), kDarkBlue) << column;
    EXPECT_EQ(image.pixel(column + 20, 392), kDarkBlue) << column;
    EXPECT_GT(CountColour(image, QRect(column - 8, 402, 20, 13), kWhite), 5) << column;
  }
}

TEST_F(GraphDrawingTest, FirstProfileIsAWhiteLineFromItsThirdRowOn) {
  SingleProfile();
  const QImage image = Draw();
  // Rows 1 and 2 at (70, 380) and (112, 340) get no symbol; rows 3 to 5 at (153, 300),
  // (320, 220), (487, 140) get a "+" 4 pixels higher, joined through (px + 6, py + 6).
  EXPECT_EQ(CountColour(image, SymbolBox(71, 376), kWhite), 0);
  EXPECT_EQ(CountColour(image, SymbolBox(112, 336), kWhite), 0);
  for (const QPoint p : {QPoint(153, 296), QPoint(320, 216), QPoint(487, 136)})
    EXPECT_GT(CountColour(image, SymbolBox(p.x(), p.y()), kWhite), 4) << p.x();
  for (const auto& [from, to] : {std::pair{QPoint(159, 306), QPoint(326, 226)},
                                 std::pair{QPoint(326, 226), QPoint(493, 146)}}) {
    const LineTrace trace = Trace(image, from, to, kWhite);
    EXPECT_EQ(trace.gaps, 0);
  }
  EXPECT_EQ(CountColour(image, QRect(120, 310, 30, 60), kWhite), 0); // nothing towards row 1
}

TEST_F(GraphDrawingTest, ProfilesOfFewerThanThreeRowsDrawNoLine) {
  SingleProfile({5, 10}, {0.5, 1.0});
  EXPECT_EQ(CountColour(Draw(), kProfileArea, kWhite), 0);

  SingleProfile({5, 10, 50}, {0.5, 1.0, 3.0});
  const QImage image = Draw();
  EXPECT_EQ(CountColour(image, kProfileArea, kWhite), 0);
  EXPECT_GT(CountColour(image, SymbolBox(487, 136), kWhite), 4);
}

TEST_F(GraphDrawingTest, DarcyLegendOnlyForSingleProfileReports) {
  SingleProfile();
  EXPECT_GT(CountColour(Draw(), kDarcyLegendBox, kWhite), 20);

  RectangularField(100, 50);
  const QImage field = Draw();
  EXPECT_EQ(CountColour(field, kDarcyLegendBox, kWhite), 0);
  EXPECT_GT(CountColour(field, kDarcyLegendBox, kYellow), 20); // "X along the diagonal"
}

TEST_F(GraphDrawingTest, ElongatedFieldDrawsAllThreeProfiles) {
  RectangularField(100, 50);
  const QImage image = Draw();
  EXPECT_GT(CountColour(image, QRect(90, 95, 120, 13), kYellow), 20); // "o along shorter spacing"
  EXPECT_GT(CountColour(image, QRect(90, 80, 120, 13), kWhite), 20);  // "+ along longer spacing"

  // Table 2: no "o" for row 1, an "o" 4 pixels below rows 2 on, dotted from row 3 on.
  EXPECT_EQ(CountColour(image, SymbolBox(71, 371), kYellow), 0);
  EXPECT_GT(CountColour(image, SymbolBox(90, 339), kYellow), 4);
  const LineTrace dotted = Trace(image, QPoint(176, 307), QPoint(236, 288), kYellow);
  EXPECT_GT(dotted.covered, 10);
  EXPECT_GT(dotted.gaps, 10);

  // Diagonal: only its last three rows, at (270, 239), (420, 194), (560, 169), dashed.
  EXPECT_EQ(CountColour(image, SymbolBox(90, 177), kYellow), 0);
  EXPECT_EQ(CountColour(image, SymbolBox(130, 164), kYellow), 0);
  for (const QPoint p : {QPoint(270, 241), QPoint(420, 196), QPoint(560, 171)})
    EXPECT_GT(CountColour(image, SymbolBox(p.x(), p.y()), kYellow), 4) << p.x();
  const LineTrace dashed = Trace(image, QPoint(276, 247), QPoint(426, 202), kYellow);
  EXPECT_GT(dashed.covered, 80);
  EXPECT_GT(dashed.gaps, 10);
  EXPECT_GT(dashed.covered, 2 * dashed.gaps);
}

TEST_F(GraphDrawingTest, NearlySquareFieldLeavesOutTheShorterSpacing) {
  RectangularField(100, 95);
  const QImage image = Draw();
  EXPECT_EQ(CountColour(image, QRect(90, 95, 120, 13), kYellow), 0);
  EXPECT_EQ(CountColour(image, SymbolBox(90, 339), kYellow), 0);
  EXPECT_EQ(Trace(image, QPoint(176, 307), QPoint(236, 288), kYellow).covered, 0);
  EXPECT_GT(CountColour(image, SymbolBox(560, 171), kYellow), 4);
  EXPECT_GT(CountColour(image, QRect(90, 80, 120, 13), kWhite), 20); // "+ between the wells"
}

TEST_F(GraphDrawingTest, RectangularDrawingReloadsTheInputFileOfTheReport) {
  RectangularField(100, 95);
  Draw();
  EXPECT_EQ(dm.InputFileName, dir.file("field.out"));
  EXPECT_EQ(dm.Title1, "Input title one");
  ASSERT_EQ(dm.Params.size(), 14u);
  EXPECT_EQ(dm.Params[13], 95);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(GraphDrawingTest, MissingInputFileFallsBackOnTheProfileLengths) {
  RectangularField(100, 95);
  std::remove(dir.file("field.inp").c_str());
  dm.Params.clear();
  const QImage image = Draw();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            CouldNotOpenForReadingMessage(dir.file("field.inp")) + "\nNo such file or directory");
  EXPECT_EQ(dm.InputFileName, dir.file("field.out"));
  // Table 1 reaches 44 m, table 2 22 m: elongated, so the shorter spacing is drawn.
  EXPECT_GT(CountColour(image, QRect(90, 95, 120, 13), kYellow), 20);
  EXPECT_GT(CountColour(image, SymbolBox(90, 339), kYellow), 4);
}

TEST_F(GraphDrawingTest, ShortOrOverstatedDiagonalReadsOnlyItsRows) {
  RectangularField(100, 50);
  dm.Table3X = {35, 49};
  dm.Table3F = {2.9, 3.3};
  dm.Count3 = 2;
  const QImage two = Draw();
  EXPECT_GT(CountColour(two, SymbolBox(420, 196), kYellow), 4);
  EXPECT_GT(CountColour(two, SymbolBox(560, 171), kYellow), 4);
  dm.Count3 = 40;
  dm.Title1 = "Report title one"; // the first drawing reloaded the input file's titles
  dm.Title2 = "Report title two";
  const QImage overstated = Draw();
  EXPECT_TRUE(overstated == two);

  dm.Count3 = 0;
  dm.Count1 = 0;
  dm.Count2 = 0;
  EXPECT_EQ(Draw().size(), QSize(623, 465));
}

TEST_F(GraphDrawingTest, ClearedTagDrawsTableOneAloneWithTheDarcyLegend) {
  RectangularField(100, 50);
  dm.ReportTag.clear();
  const QImage image = Draw();
  EXPECT_EQ(CountColour(image, QRect(0, 0, 623, 465), kYellow), 0);
  EXPECT_GT(CountColour(image, kDarcyLegendBox, kWhite), 20);
}

TEST_F(GraphDrawingTest, EveryDrawingRepaintsTheWholePicture) {
  SingleProfile();
  const QImage fresh = Draw();
  RectangularField(100, 50);
  QImage reused;
  DrawGraph(reused, {dm, PlotScale});
  SingleProfile();
  dm.Title1 = "Report title one";
  dm.Title2 = "Report title two";
  DrawGraph(reused, {dm, PlotScale});
  EXPECT_TRUE(reused == fresh);
}

TEST_F(GraphDrawingTest, SavedBitmapReadsBackAsTheDrawnPicture) {
  SingleProfile();
  const QImage image = Draw();
  std::string error;
  const std::string path = dir.file("graph.bmp");
  WriteFileBytes(path, "an older file");
  ASSERT_TRUE(SaveGraphBitmap(image, path, error)) << error;
  const std::string bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24); // bits per pixel
  const QImage back(QString::fromStdString(path), "BMP");
  ASSERT_EQ(back.size(), QSize(623, 465));
  EXPECT_TRUE(back.convertToFormat(QImage::Format_RGB32) == image);
}

TEST_F(GraphDrawingTest, NothingIsSavedBeforeAGraphIsDrawnOrWhereNoFileCanBeMade) {
  std::string error;
  EXPECT_FALSE(SaveGraphBitmap(QImage(), dir.file("none.bmp"), error));
  EXPECT_EQ(error, kNoGraphToSaveMessage);
  EXPECT_FALSE(FileExists(dir.file("none.bmp")));

  SingleProfile();
  const std::string path = dir.file("missing/graph.bmp");
  EXPECT_FALSE(SaveGraphBitmap(Draw(), path, error));
  EXPECT_EQ(error, "The file \"" + path + "\" could not be written: No such file or directory");
}
