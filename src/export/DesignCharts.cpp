#include "export/DesignCharts.h"

#include "export/GraphImages.h"
#include "export/PrintChart.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"
#include "study/Design.h"
#include "study/Optimise.h"
#include "study/RunRecord.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
constexpr double kLeftMargin = 70, kRightMargin = 60, kBottomMargin = 42, kSideMargin = 12;

size_t BinCount(size_t values) {
  return std::clamp<size_t>(static_cast<size_t>(std::ceil(std::sqrt(double(values)))), 1, 30);
}

std::string AnswerLabel(const DesignSummary& summary) {
  std::string words = summary.words;
  if (!words.empty())
    words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
  return words + ", " + summary.symbol + " (" + summary.unit + ")";
}

void PaintDistribution(QPainter& painter, QSizeF size, const DistributionChart& chart) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), chart.title1, chart.title2);
  const SeriesStyle bars = SeriesStyleAt(0), cumulative = SeriesStyleAt(1);
  const std::vector<LegendEntry> legend = {
      {"Samples per class", bars, false, true, true},
      {"Fraction of samples at or below (right scale)", cumulative, true, false},
      {FigureText(chart.designLabel), SeriesStyle{kFigureInk, Qt::DashLine}, true, false}};
  const double legendWidth = size.width() - 2 * kSideMargin;
  const double legendHeight = DrawLegend(painter, {}, legendWidth, legend, false);

  std::vector<double> sorted = chart.values;
  std::sort(sorted.begin(), sorted.end());
  const double min = sorted.empty() ? 0 : sorted.front(), max = sorted.empty() ? 1 : sorted.back();
  ChartAxis x =
      ChartAxis::Fitted(std::min(min, chart.designValue), std::max(max, chart.designValue), 6);
  x.title = FigureText(chart.xLabel);
  const size_t bins = BinCount(sorted.size());
  const double width = max > min ? (max - min) / double(bins) : 1;
  std::vector<size_t> counts(bins, 0);
  for (double value : sorted)
    ++counts[std::min(bins - 1, static_cast<size_t>((value - min) / width))];
  const size_t tallest = counts.empty() ? 1 : *std::max_element(counts.begin(), counts.end());
  ChartAxis y = ChartAxis::Fitted(0, double(std::max<size_t>(tallest, 1)), 5);
  // Samples are counted: whole ticks (a step of 2.5 becomes 2, the top widened to a whole step).
  y.step = std::max(std::floor(y.step), 1.0);
  y.high = std::ceil(y.high / y.step) * y.step;
  y.decimals = 0;
  y.title = "Samples";
  const QRectF area(kLeftMargin, titles + 6, size.width() - kLeftMargin - kRightMargin,
                    size.height() - titles - 6 - kBottomMargin - legendHeight - 8);
  XYChart plot(painter, area, x, y, '.');
  plot.DrawGridAndAxes();
  ChartAxis fraction = ChartAxis::Fitted(0, 1, 5, true);
  fraction.title = "Fraction at or below";
  plot.DrawRightAxis(fraction, [&y](double f) { return y.low + f * (y.high - y.low); });

  painter.save();
  QColor fill = bars.colour;
  fill.setAlpha(110);
  painter.setPen(QPen(bars.colour, 0.8));
  painter.setBrush(fill);
  for (size_t b = 0; b < bins; ++b) {
    const double left = min + width * double(b);
    painter.drawRect(QRectF(plot.Map(left, double(counts[b])), plot.Map(left + width, 0)));
  }
  painter.restore();

  std::vector<double> cx, cy;
  for (size_t i = 0; i < sorted.size(); ++i) {
    cx.push_back(sorted[i]);
    cy.push_back(y.low + (y.high - y.low) * double(i + 1) / double(sorted.size()));
  }
  SeriesStyle curve = cumulative;
  curve.markerRadius = 0;
  plot.AddSeries("cumulative", cx, cy, curve, false);
  plot.DrawSeries();

  painter.save();
  painter.setPen(QPen(kFigureInk, 1.2, Qt::DashLine));
  const double column = plot.MapX(chart.designValue);
  painter.drawLine(QPointF(column, area.top()), QPointF(column, area.bottom()));
  const double level = plot.MapY(y.low + chart.designFraction * (y.high - y.low));
  painter.setPen(QPen(cumulative.colour, 1.0, Qt::DotLine));
  painter.drawLine(QPointF(column, level), QPointF(area.right(), level));
  painter.restore();
  DrawMarker(painter, {column, level}, MarkerShape::Diamond, cumulative.colour, true, 4.5);
  plot.DrawLabel(FigureText(chart.designLabel),
                 {{{column + 4, area.top() + 4}, Qt::AlignLeft | Qt::AlignTop},
                  {{column - 4, area.top() + 4}, Qt::AlignRight | Qt::AlignTop}},
                 kFigureInk);
  DrawLegend(painter, {kSideMargin, size.height() - legendHeight - 4}, legendWidth, legend);
}

void PaintTornado(QPainter& painter, QSizeF size, const TornadoChart& chart) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), chart.title1, chart.title2);
  const SeriesStyle lowStyle = SeriesStyleAt(0), highStyle = SeriesStyleAt(1);
  const std::vector<LegendEntry> legend = {
      {"Input at its 5 % value", lowStyle, false, true, true},
      {"Input at its 95 % value", highStyle, false, true, true},
      {"All inputs at their medians", SeriesStyle{kFigureInk, Qt::DashLine}, true, false}};
  const double legendWidth = size.width() - 2 * kSideMargin;
  const double legendHeight = DrawLegend(painter, {}, legendWidth, legend, false);

  double min = chart.atMedians, max = chart.atMedians;
  for (const TornadoChart::Bar& bar : chart.bars)
    for (double value : {bar.low, bar.high})
      if (std::isfinite(value)) {
        min = std::min(min, value);
        max = std::max(max, value);
      }
  ChartAxis x = ChartAxis::Fitted(min, max, 6);
  x.title = FigureText(chart.xLabel);
  // No ticks on the vertical axis: the bars carry the inputs' names.
  const double rows = double(std::max<size_t>(chart.bars.size(), 1));
  ChartAxis y;
  y.low = 0.5;
  y.high = rows + 0.5;
  y.step = rows + 1;
  painter.setFont(FigureFont(11));
  double labelWidth = 0;
  for (const TornadoChart::Bar& bar : chart.bars)
    labelWidth = std::max(
        labelWidth,
        QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(FigureText(bar.label)));
  const double left = std::max(kLeftMargin, labelWidth + 16);
  const QRectF area(left, titles + 6, size.width() - left - 18,
                    size.height() - titles - 6 - kBottomMargin - legendHeight - 8);
  XYChart plot(painter, area, x, y, '.');
  plot.DrawGridAndAxes();

  const double thickness = std::min(28.0, 0.6 * area.height() / rows);
  painter.save();
  painter.setFont(FigureFont(11));
  for (size_t i = 0; i < chart.bars.size(); ++i) {
    const TornadoChart::Bar& bar = chart.bars[i];
    const double row = plot.MapY(rows - double(i));
    painter.setPen(kFigureInk);
    painter.drawText(QRectF(0, row - 10, left - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                     FigureText(bar.label));
    const SeriesStyle* styles[] = {&lowStyle, &highStyle};
    const double ends[] = {bar.low, bar.high};
    for (size_t side = 0; side < 2; ++side) {
      if (!std::isfinite(ends[side]))
        continue;
      QColor fill = styles[side]->colour;
      fill.setAlpha(150);
      painter.setPen(QPen(styles[side]->colour, 0.8));
      painter.setBrush(fill);
      const double from = plot.MapX(chart.atMedians), to = plot.MapX(ends[side]);
      painter.drawRect(QRectF(QPointF(std::min(from, to), row - thickness / 2),
                              QPointF(std::max(from, to), row + thickness / 2)));
    }
  }
  painter.setPen(QPen(kFigureInk, 1.2, Qt::DashLine));
  const double column = plot.MapX(chart.atMedians);
  painter.drawLine(QPointF(column, area.top()), QPointF(column, area.bottom()));
  painter.restore();
  DrawLegend(painter, {kSideMargin, size.height() - legendHeight - 4}, legendWidth, legend);
}
} // namespace

bool SaveDistributionChart(const DistributionChart& chart, const std::string& path, int scale,
                           std::string& errorText) {
  const QByteArray bytes = DrawingFileBytes(
      GraphFormatOfPath(path), scale, FigureText(chart.title1),
      [&chart](QPainter& painter, QSizeF size) { PaintDistribution(painter, size, chart); });
  return SaveGraphFile(bytes, path, errorText);
}

bool SaveTornadoChart(const TornadoChart& chart, const std::string& path, int scale,
                      std::string& errorText) {
  const QByteArray bytes = DrawingFileBytes(
      GraphFormatOfPath(path), scale, FigureText(chart.title1),
      [&chart](QPainter& painter, QSizeF size) { PaintTornado(painter, size, chart); });
  return SaveGraphFile(bytes, path, errorText);
}

std::string DesignFigure(double value) {
  return std::isfinite(value) ? PlainNumber(value) : "none";
}

DistributionChart DistributionChartOf(const DesignSummary& summary, const std::string& title1) {
  DistributionChart chart;
  chart.title1 = title1;
  chart.title2 = "Distribution of the " + summary.words + " over " +
                 std::to_string(summary.answers.size()) + " samples";
  chart.xLabel = AnswerLabel(summary);
  chart.values = summary.answers;
  chart.designValue = std::isfinite(summary.designValue) ? summary.designValue : 0;
  chart.designFraction = summary.higherIsSafer ? summary.reliability : 1 - summary.reliability;
  chart.designLabel = "Design value " + summary.symbol + " = " + DesignFigure(summary.designValue) +
                      " " + summary.unit + ", reliability " + PlainNumber(summary.reliability);
  return chart;
}

TornadoChart TornadoChartOf(const DesignSummary& summary, const std::string& title1) {
  TornadoChart chart;
  chart.title1 = title1;
  chart.title2 = "Sensitivity of the " + summary.words + " to each uncertain input";
  chart.xLabel = AnswerLabel(summary);
  chart.atMedians = std::isfinite(summary.atMedians) ? summary.atMedians : 0;
  for (const TornadoBar& bar : summary.tornado)
    chart.bars.push_back({bar.symbol + " " + PlainNumber(bar.inputLow) + " / " +
                              PlainNumber(bar.inputHigh) + " " + bar.unit,
                          bar.low, bar.high});
  return chart;
}

SweepPlot OptimiseFrontPlot(const OptimiseResult& result, const std::string& title1) {
  SweepPlot plot;
  plot.title1 = title1;
  plot.title2 = "Fewest wells at each water level in the wells";
  if (result.cheapest)
    plot.title2 += "; the cheapest: " + std::to_string(result.cheapest->wells()) +
                   " wells at Dw = " + PlainNumber(result.cheapest->Dw) + " m";
  plot.xLabel = "Depth of the water level in the wells, Dw (m)";
  plot.yLabel = "Wells";
  PlotCurve curve;
  for (const LayoutOutcome& layout : result.front) {
    curve.x.push_back(layout.Dw);
    curve.y.push_back(layout.wells());
    curve.failed.push_back(false);
  }
  plot.curves.push_back(curve);
  return plot;
}

QImage DistributionChartImage(const DistributionChart& chart) {
  return DrawingImage(
      [&chart](QPainter& painter, QSizeF size) { PaintDistribution(painter, size, chart); });
}

QImage TornadoChartImage(const TornadoChart& chart) {
  return DrawingImage(
      [&chart](QPainter& painter, QSizeF size) { PaintTornado(painter, size, chart); });
}

void PaintDistributionChart(QPainter& painter, QSizeF size, const DistributionChart& chart) {
  PaintDistribution(painter, size, chart);
}

void PaintTornadoChart(QPainter& painter, QSizeF size, const TornadoChart& chart) {
  PaintTornado(painter, size, chart);
}
