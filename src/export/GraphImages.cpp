#include "export/GraphImages.h"

#include "core/FileNames.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <exception>

namespace {
constexpr double kMetresPerInch = 0.0254;
// The PDF page of the graph: the picture's size at 96 dpi, in points.
constexpr double kGraphPointsWide = kGraphWidth * 72.0 / 96.0;
constexpr double kGraphPointsHigh = kGraphHeight * 72.0 / 96.0;

QByteArray ScaledPng(int scale) {
  QImage image(kGraphWidth * scale, kGraphHeight * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  // The same size on paper as the bitmap at 96 dpi.
  image.setDotsPerMeterX(static_cast<int>(96.0 * scale / kMetresPerInch + 0.5));
  image.setDotsPerMeterY(image.dotsPerMeterX());
  {
    QPainter painter(&image);
    painter.scale(scale, scale);
    DrawGraphOn(painter);
  }
  return GraphImageBytes(image, "PNG");
}

QByteArray Svg() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(kGraphWidth, kGraphHeight));
  svg.setViewBox(QRect(0, 0, kGraphWidth, kGraphHeight));
  svg.setResolution(96);
  svg.setTitle("Water-table graph");
  {
    QPainter painter(&svg);
    DrawGraphOn(painter);
  }
  return bytes;
}

QByteArray Pdf() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(kGraphPointsWide, kGraphPointsHigh),
                                          QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF()));
  pdf.setResolution(96);
  pdf.setTitle("Water-table graph");
  pdf.setCreator("Pumpfield");
  {
    QPainter painter(&pdf);
    DrawGraphOn(painter);
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

QByteArray GraphFileBytes(GraphFormat format, int scale) {
  switch (format) {
  case GraphFormat::Svg:
    return Svg();
  case GraphFormat::Pdf:
    return Pdf();
  case GraphFormat::Png:
    if (scale > 1)
      return ScaledPng(scale);
    break;
  case GraphFormat::Bmp:
    break;
  }
  QImage canvas;
  DrawGraph(canvas);
  return GraphImageBytes(canvas, format == GraphFormat::Png ? "PNG" : "BMP");
}

GraphExportResult SaveLoadedGraphAs(const std::string& imagePath, int scale,
                                    std::string& errorText) {
  const GraphFormat format = GraphFormatOfPath(imagePath);
  if (format == GraphFormat::Bmp)
    return SaveLoadedGraph(imagePath, errorText);
  SetPlotFrame(kPlotWidth, kPlotHeight);
  QByteArray bytes;
  try {
    bytes = GraphFileBytes(format, scale);
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ImageNotWritten;
  }
  return SaveGraphFile(bytes, imagePath, errorText) ? GraphExportResult::Written
                                                    : GraphExportResult::ImageNotWritten;
}
