#include "export/GraphImages.h"

#include "core/FileNames.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace {
constexpr double kMetresPerInch = 0.0254;
// The PDF page of a figure: its size at 96 dpi, in points.
constexpr double kFigurePointsWide = kFigureWidth * 72.0 / 96.0;
constexpr double kFigurePointsHigh = kFigureHeight * 72.0 / 96.0;
const QSizeF kFigureSize(kFigureWidth, kFigureHeight);

QString TitleOf(FigureKind kind) {
  switch (kind) {
  case FigureKind::Section:
    return "Cross-section between two wells";
  case FigureKind::Plan:
    return "Plan of the well field";
  case FigureKind::WaterTable:
    break;
  }
  return "Water-table graph";
}

QByteArray Png(int scale, const FigurePainter& paint) {
  QImage image(static_cast<int>(kFigureWidth) * scale, static_cast<int>(kFigureHeight) * scale,
               QImage::Format_RGB32);
  image.fill(Qt::white);
  // The same size on paper as the bitmap at 96 dpi.
  image.setDotsPerMeterX(static_cast<int>(96.0 * scale / kMetresPerInch + 0.5));
  image.setDotsPerMeterY(image.dotsPerMeterX());
  {
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter, kFigureSize);
  }
  return GraphImageBytes(image, "PNG");
}

QByteArray Svg(const QString& title, const FigurePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(kFigureSize.toSize());
  svg.setViewBox(QRectF(QPointF(0, 0), kFigureSize));
  svg.setResolution(96);
  svg.setTitle(title);
  {
    QPainter painter(&svg);
    paint(painter, kFigureSize);
  }
  return bytes;
}

QByteArray Pdf(const QString& title, const FigurePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(kFigurePointsWide, kFigurePointsHigh),
                                          QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF()));
  pdf.setResolution(96);
  pdf.setTitle(title);
  pdf.setCreator("Pumpfield");
  {
    QPainter painter(&pdf);
    paint(painter, kFigureSize);
  }
  return bytes;
}
} // namespace

GraphFormat GraphFormatOfPath(const std::string& path) {
  std::string name = ExtractFileName(path);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto endsWith = [&name](const std::string& extension) {
    return name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
  };
  if (endsWith(".png"))
    return GraphFormat::Png;
  if (endsWith(".svg"))
    return GraphFormat::Svg;
  if (endsWith(".pdf"))
    return GraphFormat::Pdf;
  return GraphFormat::Bmp;
}

bool IsScreenBitmap(GraphFormat format, int scale) {
  return format == GraphFormat::Bmp || (format == GraphFormat::Png && scale <= 1);
}

std::optional<FigureData> ReadFigureData(const std::string& path, std::string& errorText) {
  const std::optional<ReportContent> report = ReadReport(path, errorText);
  if (!report)
    return std::nullopt;
  return FigureDataOfReport(*report);
}

QByteArray DrawingFileBytes(GraphFormat format, int scale, const QString& title,
                            const FigurePainter& paint) {
  switch (format) {
  case GraphFormat::Svg:
    return Svg(title, paint);
  case GraphFormat::Pdf:
    return Pdf(title, paint);
  case GraphFormat::Png:
  case GraphFormat::Bmp:
    break;
  }
  return Png(std::clamp(scale, 1, kLargestGraphScale), paint);
}

QByteArray FigureFileBytes(GraphFormat format, int scale, FigureKind kind, const FigureData& data) {
  return DrawingFileBytes(format, scale, TitleOf(kind), [&](QPainter& painter, QSizeF size) {
    PaintFigure(painter, size, kind, data);
  });
}

QImage DrawingImage(const FigurePainter& paint) {
  QImage image(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  paint(painter, QSizeF(image.size()));
  return image;
}
