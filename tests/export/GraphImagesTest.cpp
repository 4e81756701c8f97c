#include "export/GraphImages.h"
#include "ReportFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QXmlStreamReader>

#include <cstdlib>

namespace {
class GraphImagesTest : public testing::Test {
protected:
  GraphImagesTest() {
    PlotScale = TPlotScale();
    SetPlotFrame(kPlotWidth, kPlotHeight);
    const std::string path = dir.file("field");
    std::string text = ReportHead("Field  one", "Field two", " Ostvane input data: ", path);
    for (const char* marker :
         {"(along the longer spacing)", "(along the shorter spacing)", "(along the diagonal)"})
      text += ReportTable(std::string(" Output data: ") + marker,
                          {{0.25, 0.1, 2}, {5, 0.8, 0.2}, {20, 1.8, 0.1}, {44, 2.8, 0}}) +
              " head\r\n depth\r\n #\r\n";
    WriteFileBytes(path + ".out", text + " The well discharge  (m3/day)  is:     10.0\r\n #\r\n");
    WriteInputFile(path + ".inp", "Hydr", 100, 50);
    std::string error;
    EXPECT_TRUE(LoadReportGraph(path + ".out", error)) << error;
  }

  static QImage Png(const QByteArray& bytes) {
    return QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGB32);
  }

  static int ColourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
  }

  ScriptedServices services;
  TempDir dir;
  ScopedDataModule module;
};
} // namespace

// Scale 1 is the bitmap's own pixels; larger scales are drawn anew, with the in-between
// colours of smooth edges that an enlarged bitmap of the graph's five colours never has.
TEST_F(GraphImagesTest, PngsHaveTheBitmapsPixelsAtScaleOneAndSmoothEdgesAbove) {
  QImage bitmap;
  DrawGraph(bitmap);
  const QImage one = Png(GraphFileBytes(GraphFormat::Png, 1));
  EXPECT_TRUE(one == bitmap.convertToFormat(QImage::Format_RGB32));
  EXPECT_LE(ColourCount(one), 5);
  for (int scale = 2; scale <= kLargestGraphScale; ++scale) {
    const QImage png = Png(GraphFileBytes(GraphFormat::Png, scale));
    EXPECT_EQ(png.size(), QSize(623 * scale, 465 * scale));
    EXPECT_GT(ColourCount(png), 50) << scale;
  }
}

TEST_F(GraphImagesTest, SvgIsWellFormedWithItsTextsAsText) {
  QXmlStreamReader svg(GraphFileBytes(GraphFormat::Svg, 1));
  QStringList texts;
  while (!svg.atEnd())
    if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"text")
      texts << svg.readElementText().trimmed();
  ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
  for (const char* text :
       {"Input  title one", "Input title two", "Distance from well (m)",
        "Watertable height above water level in well (m)", "o along shorter spacing"})
    EXPECT_TRUE(texts.contains(text)) << text;
}

TEST_F(GraphImagesTest, PdfIsOnePageOfTheGraphsSizeWithItsTexts) {
  std::string error;
  ASSERT_EQ(SaveLoadedGraphAs(dir.file("graph.PDF"), 2, error), GraphExportResult::Written)
      << error;
  ASSERT_EQ(std::system("pdfinfo graph.PDF >info.txt && pdftotext graph.PDF text.txt"), 0);
  const std::string info = ReadFileBytes("info.txt");
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find("467 x 349 pts"), std::string::npos) << info;
  const std::string text = ReadFileBytes("text.txt");
  for (const char* words : {"Input title one", "X along the diagonal", "Distance from well (m)"})
    EXPECT_NE(text.find(words), std::string::npos) << words;
}
