#include "graph/SweepPlot.h"

#include "core/TextFormat.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {
const QColor kSilver(192, 192, 192);
const QColor kDarkBlue(0, 0, 139);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kCurveColours[] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255},
                                {0, 255, 0},     {255, 165, 0}, {255, 128, 255}};
constexpr int kCurveColourCount = 6;
constexpr size_t kLegendRows = 10;
constexpr int kLegendTop = 50, kLegendStep = 15;

// The plotting frame, as in the water-table graph.
constexpr int kLeft = 70, kBottom = 390, kWidth = 500, kHeight = 320;

QString FromSingleByte(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// An axis from `low` to `high` in steps of 1, 2 or 5 times a power of ten, about five of them.
struct Axis {
  double low = 0, high = 1, step = 1;
  int decimals = 0;

  Axis(double min, double max) {
    if (!(min < max)) {
      const double pad = min != 0 ? std::abs(min) / 10 : 1;
      min -= pad;
      max += pad;
    }
    const double raw = (max - min) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double ratio = raw / magnitude;
    step = magnitude * (ratio <= 1 ? 1 : ratio <= 2 ? 2 : ratio <= 5 ? 5 : 10);
    low = std::floor(min / step + 1e-9) * step;
    high = std::ceil(max / step - 1e-9) * step;
    decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
  }
  int Ticks() const { return static_cast<int>(std::lround((high - low) / step)); }
  double Fraction(double value) const { return (value - low) / (high - low); }
};

void Range(const std::vector<PlotCurve>& curves, bool vertical, double& min, double& max) {
  min = INFINITY;
  max = -INFINITY;
  for (const PlotCurve& curve : curves)
    for (size_t i = 0; i < curve.x.size() && i < curve.y.size(); ++i)
      if (!std::isnan(curve.y[i])) {
        const double value = vertical ? curve.y[i] : curve.x[i];
        min = std::min(min, value);
        max = std::max(max, value);
      }
  if (min > max)
    min = max = 0;
}

void Paint(QPainter& painter, const SweepPlot& plot) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  QFont font("Arial");
  font.setPixelSize(13); // 10 points at 96 dots per inch
  painter.setFont(font);
  const QFontMetrics metrics(font);
  auto text = [&](int x, int y, const std::string& line, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(x, y + metrics.ascent(), FromSingleByte(line));
  };

  painter.fillRect(0, 0, kGraphWidth, kGraphHeight, kSilver);
  text(82, 5, plot.title1, kBlack);
  font.setPixelSize(11);
  painter.setFont(font);
  text(20, 450, kGraphCaption, kBlack);
  font.setPixelSize(13);
  painter.setFont(font);

  painter.fillRect(20, 19, 585, 426, kDarkBlue);
  text(82, 20, plot.title2, kWhite);
  text(440, 425, plot.xLabel, kWhite);
  text(50, 50, plot.yLabel, kWhite);

  double min, max;
  Range(plot.curves, false, min, max);
  const Axis xAxis(min, max);
  Range(plot.curves, true, min, max);
  Axis yAxis(min, max);
  // Room above the curves for the legend in the top right corner.
  const bool labelled = std::any_of(plot.curves.begin(), plot.curves.end(),
                                    [](const PlotCurve& curve) { return !curve.label.empty(); });
  const size_t legendRows = labelled ? std::min(plot.curves.size(), kLegendRows + 1) : 0;
  const double free = (kBottom - (kLegendTop + kLegendStep * legendRows + 5.0)) / kHeight;
  if (free < 1)
    yAxis = Axis(yAxis.low, yAxis.low + (yAxis.high - yAxis.low) / free);
  auto column = [&](double x) { return kLeft + xAxis.Fraction(x) * kWidth; };
  auto row = [&](double y) { return kBottom - yAxis.Fraction(y) * kHeight; };

  painter.setPen(QPen(kWhite, 1));
  painter.drawLine(QPointF(kLeft, kBottom), QPointF(kLeft, kBottom - kHeight));
  painter.drawLine(QPointF(kLeft, kBottom), QPointF(kLeft + kWidth, kBottom));
  for (int i = 0; i <= yAxis.Ticks(); ++i) {
    const double value = yAxis.low + i * yAxis.step;
    const std::string label = FormatFixed(value, 0, yAxis.decimals);
    painter.setPen(QPen(kWhite, 1));
    painter.drawLine(QPointF(kLeft - 4, row(value)), QPointF(kLeft, row(value)));
    text(kLeft - metrics.horizontalAdvance(FromSingleByte(label)) - 6,
         static_cast<int>(row(value)) - metrics.height() / 2, label, kWhite);
  }
  for (int i = 0; i <= xAxis.Ticks(); ++i) {
    const double value = xAxis.low + i * xAxis.step;
    const std::string label = FormatFixed(value, 0, xAxis.decimals);
    painter.setPen(QPen(kWhite, 1));
    painter.drawLine(QPointF(column(value), kBottom), QPointF(column(value), kBottom + 4));
    text(static_cast<int>(column(value)) - metrics.horizontalAdvance(FromSingleByte(label)) / 2,
         kBottom + 12, label, kWhite);
  }

  for (size_t c = 0; c < plot.curves.size(); ++c) {
    const PlotCurve& curve = plot.curves[c];
    const QColor colour = kCurveColours[c % kCurveColourCount];
    QPen pen(colour, 1.5);
    if (c / kCurveColourCount % 2 == 1)
      pen.setStyle(Qt::DashLine);
    QPainterPath path;
    bool drawing = false;
    for (size_t i = 0; i < curve.x.size() && i < curve.y.size(); ++i) {
      if (std::isnan(curve.y[i])) {
        drawing = false;
        continue;
      }
      const QPointF point(column(curve.x[i]), row(curve.y[i]));
      drawing ? path.lineTo(point) : path.moveTo(point);
      drawing = true;
      painter.setPen(QPen(colour, 1));
      painter.drawLine(point - QPointF(3, 0), point + QPointF(3, 0));
      painter.drawLine(point - QPointF(0, 3), point + QPointF(0, 3));
    }
    painter.setPen(pen);
    painter.drawPath(path);
    const int legendTop = kLegendTop + kLegendStep * static_cast<int>(c);
    if (c == kLegendRows)
      text(420, legendTop, "and " + std::to_string(plot.curves.size() - c) + " more", kWhite);
    if (c >= kLegendRows || curve.label.empty())
      continue;
    painter.drawLine(QPointF(390, legendTop + 7), QPointF(414, legendTop + 7));
    const bool empty =
        std::all_of(curve.y.begin(), curve.y.end(), [](double y) { return std::isnan(y); });
    text(420, legendTop, curve.label + (empty ? " (no result)" : ""), colour);
  }
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
  return HasExtension(path, ".png") || HasExtension(path, ".svg");
}

bool SaveSweepPlot(const SweepPlot& plot, const std::string& path, std::string& errorText) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (HasExtension(path, ".svg")) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kGraphWidth, kGraphHeight));
    svg.setViewBox(QRect(0, 0, kGraphWidth, kGraphHeight));
    svg.setResolution(96);
    svg.setTitle(FromSingleByte(plot.title1));
    QPainter painter(&svg);
    Paint(painter, plot);
    painter.end();
  } else {
    QImage image(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, plot);
    painter.end();
    image.save(&buffer, "PNG");
  }
  return SaveGraphFile(bytes, path, errorText);
}
