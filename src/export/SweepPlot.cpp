#include "export/SweepPlot.h"

#include "core/TextFormat.h"
#include "export/GraphImages.h"
#include "export/PrintChart.h"
#include "graph/GraphBitmap.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kLeftMargin = 70, kRightMargin = 18, kBottomMargin = 42, kSideMargin = 12;
constexpr size_t kLegendEntries = 12;

void Range(const std::vector<PlotCurve>& curves, bool vertical, double& min, double& max) {
  min = INFINITY;
  max = -INFINITY;
  for (const PlotCurve& curve : curves)
    for (size_t i = 0; i < curve.x.size() && i < curve.y.size(); ++i)
      if (std::isfinite(curve.y[i]) && std::isfinite(curve.x[i])) {
        const double value = vertical ? curve.y[i] : curve.x[i];
        min = std::min(min, value);
        max = std::max(max, value);
      }
  if (min > max) {
    // Without a single result the points still have their places along the axis.
    min = max = 0;
    if (!vertical)
      for (const PlotCurve& curve : curves)
        for (double x : curve.x)
          if (std::isfinite(x)) {
            min = std::min(min, x);
            max = std::max(max, x);
          }
  }
}

// What the hollow markers mean; empty when every run ended converged.
QString FailureNote(const std::vector<PlotCurve>& curves) {
  size_t failed = 0, withoutResult = 0;
  for (const PlotCurve& curve : curves)
    for (size_t i = 0; i < curve.failed.size() && i < curve.y.size(); ++i)
      if (curve.failed[i]) {
        ++failed;
        withoutResult += std::isfinite(curve.y[i]) ? 0 : 1;
      }
  if (failed == 0)
    return QString();
  QString note = QString("Hollow markers: %1 %2 without a converged result")
                     .arg(failed)
                     .arg(failed == 1 ? "run" : "runs");
  if (withoutResult > 0)
    note += QString("; %1 with no result at all, on the lower axis").arg(withoutResult);
  return note + ".";
}

void Paint(QPainter& painter, QSizeF size, const SweepPlot& plot) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), plot.title1, plot.title2);

  std::vector<LegendEntry> legend;
  for (size_t c = 0; c < plot.curves.size() && c < kLegendEntries; ++c)
    if (!plot.curves[c].label.empty())
      legend.push_back({FigureText(plot.curves[c].label), SeriesStyleAt(c), true, true, true});
  if (!legend.empty() && plot.curves.size() > kLegendEntries)
    legend.push_back({QString("and %1 more").arg(plot.curves.size() - kLegendEntries),
                      SeriesStyle{kFigureMuted}, false, false});
  const QString note = FailureNote(plot.curves);
  if (!note.isEmpty())
    legend.push_back({note, SeriesStyle{kFigureMuted}, false, true, false});
  const double legendWidth = size.width() - 2 * kSideMargin;
  const double legendHeight = DrawLegend(painter, {}, legendWidth, legend, false);

  double min, max;
  Range(plot.curves, false, min, max);
  ChartAxis x = ChartAxis::Fitted(min, max, 6);
  x.title = FigureText(plot.xLabel);
  Range(plot.curves, true, min, max);
  ChartAxis y = ChartAxis::Fitted(min, max, 6);
  y.title = FigureText(plot.yLabel);
  const QRectF area(kLeftMargin, titles + 6, size.width() - kLeftMargin - kRightMargin,
                    size.height() - titles - 6 - kBottomMargin - legendHeight - 8);
  XYChart chart(painter, area, x, y, '.');
  chart.DrawGridAndAxes();
  for (size_t c = 0; c < plot.curves.size(); ++c) {
    const PlotCurve& curve = plot.curves[c];
    std::vector<double> values = curve.y;
    std::vector<bool> hollow = curve.failed;
    hollow.resize(values.size(), false);
    for (size_t i = 0; i < values.size(); ++i)
      if (!std::isfinite(values[i])) {
        values[i] = y.low;
        hollow[i] = true;
      }
    chart.AddSeries(curve.label, curve.x, values, SeriesStyleAt(c), true, hollow);
  }
  chart.DrawSeries();
  DrawLegend(painter, {kSideMargin, size.height() - legendHeight - 4}, legendWidth, legend);
}

bool HasExtension(const std::string& path, const std::string& extension) {
  if (path.size() <= extension.size())
    return false;
  std::string end = path.substr(path.size() - extension.size());
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return end == extension;
}
} // namespace

bool IsSweepPlotName(const std::string& path) {
  return HasExtension(path, ".png") || HasExtension(path, ".svg") || HasExtension(path, ".pdf");
}

bool SaveSweepPlot(const SweepPlot& plot, const std::string& path, int scale,
                   std::string& errorText) {
  const QByteArray bytes =
      DrawingFileBytes(GraphFormatOfPath(path), scale, FigureText(plot.title1),
                       [&plot](QPainter& painter, QSizeF size) { Paint(painter, size, plot); });
  return SaveGraphFile(bytes, path, errorText);
}

QImage SweepPlotImage(const SweepPlot& plot) {
  return DrawingImage([&plot](QPainter& painter, QSizeF size) { Paint(painter, size, plot); });
}
