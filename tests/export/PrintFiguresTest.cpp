// The print figures drawn from a report alone: every row of every table where the axes say it
// is, and the files in each format.
#include "GoldenFiles.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "export/GraphImages.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>

#include <cmath>
#include <cstdlib>

namespace {
FigureData DataOf(const std::string& report) {
  std::string error;
  const std::optional<FigureData> data = ReadFigureData(report, error);
  EXPECT_TRUE(data) << error;
  return data.value_or(FigureData());
}

// Where `value` lies on an axis, read from the first and last of its ticks as a reader would.
double FromTicks(const std::vector<ChartRecord::Tick>& ticks, double value) {
  const ChartRecord::Tick& first = ticks.front();
  const ChartRecord::Tick& last = ticks.back();
  return first.position +
         (value - first.value) * (last.position - first.position) / (last.value - first.value);
}

class EveryExampleReport : public testing::TestWithParam<std::string> {};
} // namespace

TEST_P(EveryExampleReport, WaterTableFigureDrawsEveryRowWhereTheAxesPutIt) {
  const std::string report = ChangeFileExt(GetParam(), ".out");
  std::string error;
  const std::optional<ReportContent> content = ReadReport(report, error);
  ASSERT_TRUE(content) << error;

  QImage image(623, 465, QImage::Format_RGB32);
  QPainter painter(&image);
  ChartRecord record;
  PaintFigure(painter, QSizeF(623, 465), FigureKind::WaterTable, DataOf(report), &record);
  painter.end();

  ASSERT_GE(record.xTicks.size(), 2u);
  ASSERT_GE(record.yTicks.size(), 2u);
  ASSERT_EQ(record.series.size(), content->profiles.size());
  for (size_t p = 0; p < content->profiles.size(); ++p) {
    const ReportProfile& profile = content->profiles[p];
    const ChartRecord::Series& drawn = record.series[p];
    EXPECT_EQ(drawn.name, profile.name);
    ASSERT_EQ(drawn.points.size(), profile.rows.size()) << profile.name;
    for (size_t r = 0; r < profile.rows.size(); ++r) {
      const double x = std::stod(profile.rows[r][0]), head = std::stod(profile.rows[r][1]);
      EXPECT_NEAR(drawn.points[r].x(), FromTicks(record.xTicks, x), 0.5) << profile.name << r;
      EXPECT_NEAR(drawn.points[r].y(), FromTicks(record.yTicks, head), 0.5) << profile.name << r;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Reports, EveryExampleReport, testing::ValuesIn(GoldenInputs()),
                         [](const auto& info) { return GoldenTestName(info.param); });

// Each figure as a drawing: its texts are text, with the labels of its reference lines and
// the profiles' names, and no web address.
TEST(PrintFigures, SvgsHoldTheirLabelsAsText) {
  const std::string data = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/";
  const struct {
    const char* report;
    FigureKind kind;
    std::vector<QString> texts;
  } rows[] = {
      {"spacing-loam-over-sand.out",
       FigureKind::WaterTable,
       {"Polder De Kolk, loam over fine sand", "Soil surface", "Required midway depth Dm = 1.50 m",
        "Depth below the soil surface (m)", "between the wells"}},
      {"conductivity-observed-field.out",
       FigureKind::WaterTable,
       {"Observed midway depth Dm = 1.40 m"}},
      {"field-rectangular.out",
       FigureKind::WaterTable,
       {"along the longer spacing", "along the shorter spacing", "along the diagonal"}},
      {"spacing-loam-over-sand.out",
       FigureKind::Section,
       {"S = 103.33 m", "Midway depth Dm = 1.50 m (required)", "Dw = 2.50 m"}},
      {"field-rectangular.out", FigureKind::Plan, {"Sa = 180.00 m", "0.591 m"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const QByteArray bytes =
        FigureFileBytes(GraphFormat::Svg, 1, row.kind, DataOf(data + row.report));
    QXmlStreamReader svg(bytes);
    QStringList texts;
    while (!svg.atEnd())
      if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"text")
        texts << svg.readElementText().trimmed();
    ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    for (const QString& text : row.texts)
      EXPECT_TRUE(texts.contains(text)) << text.toStdString();
    EXPECT_FALSE(texts.join(' ').contains("http")) << "a web address";
  }
}

TEST(PrintFigures, PngsScaleAndPdfIsOnePageOfTheFiguresSize) {
  TempDir dir;
  const FigureData data = DataOf(std::string(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.out");
  for (int scale = 1; scale <= kLargestGraphScale; ++scale) {
    const QImage png =
        QImage::fromData(FigureFileBytes(GraphFormat::Png, scale, FigureKind::Section, data));
    EXPECT_EQ(png.size(), QSize(623 * scale, 465 * scale));
  }
  WriteFileBytes("plan.pdf",
                 FigureFileBytes(GraphFormat::Pdf, 1, FigureKind::Plan, data).toStdString());
  ASSERT_EQ(std::system("pdfinfo plan.pdf >info.txt"), 0);
  const std::string info = ReadFileBytes("info.txt");
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find("467 x 349 pts"), std::string::npos) << info;
}
