#include "export/PrintFigures.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kLeftMargin = 66, kRightMargin = 18, kBottomMargin = 42, kSideMargin = 12;
constexpr int kWellsPerSide = 3;
const QColor kWellColour(30, 30, 30);
const QColor kRowColour(190, 190, 190);

void Label(QPainter& painter, QPointF at, const QString& text, const QColor& colour) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  const QRectF box(at - QPointF(0, metrics.height() / 2),
                   QSizeF(metrics.horizontalAdvance(text) + 4, metrics.height()));
  painter.fillRect(box, QColor(255, 255, 255, 220));
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
}
} // namespace

void PaintPlanFigure(QPainter& painter, QSizeF size, const FigureData& data) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), data.title1, data.title2);
  const double sa = data.Input("Sa").value_or(1) > 0 ? *data.Input("Sa") : 1.0;
  const double sb = data.Input("Sb").value_or(1) > 0 ? *data.Input("Sb") : 1.0;
  const auto number = [&](double value, int decimals) {
    return QString::fromStdString(data.Number(value, decimals));
  };

  // From the middle well: along Sa, along Sb and along the diagonal to the midway points.
  const QPointF well(sa, sb);
  const QPointF ends[] = {{1.5 * sa, sb}, {sa, 1.5 * sb}, {1.5 * sa, 1.5 * sb}};
  std::vector<LegendEntry> legend = {{"Well", {kWellColour}, false, true, true}};
  for (size_t i = 0; i < 3 && i < data.profiles.size(); ++i) {
    QString text = "Profile " + FigureText(data.profiles[i].name);
    if (i < data.midwayDepths.size())
      text += ", midway depth " + number(data.midwayDepths[i], 3) + " m";
    legend.push_back({text, SeriesStyleAt(i)});
  }
  const double legendWidth = size.width() - 2 * kSideMargin;
  const double legendHeight = DrawLegend(painter, {}, legendWidth, legend, false);

  // One metre is as long across as up: the plot takes the largest such rectangle.
  const QRectF room(kLeftMargin, titles + 6, size.width() - kLeftMargin - kRightMargin,
                    size.height() - titles - 6 - kBottomMargin - legendHeight - 8);
  const double spanX = (kWellsPerSide - 0.5) * sa, spanY = (kWellsPerSide - 0.5) * sb;
  const double scale = std::min(room.width() / spanX, room.height() / spanY);
  const QRectF plot(room.left() + (room.width() - spanX * scale) / 2, room.top(), spanX * scale,
                    spanY * scale);
  ChartAxis x = ChartAxis::Fitted(-0.25 * sa, (kWellsPerSide - 0.75) * sa, 6, true);
  x.title = "Along the largest spacing Sa (m)";
  ChartAxis y = ChartAxis::Fitted(-0.25 * sb, (kWellsPerSide - 0.75) * sb, 5, true);
  y.title = "Along the smallest spacing Sb (m)";
  XYChart chart(painter, plot, x, y, data.decimalSeparator);
  chart.DrawGridAndAxes();

  painter.save();
  painter.setClipRect(plot);
  painter.setPen(QPen(kRowColour, 1.0, Qt::DotLine));
  for (int i = 0; i < kWellsPerSide; ++i) {
    painter.drawLine(chart.Map(i * sa, y.low), chart.Map(i * sa, y.high));
    painter.drawLine(chart.Map(x.low, i * sb), chart.Map(x.high, i * sb));
  }
  for (size_t i = 0; i < 3 && i < data.profiles.size(); ++i) {
    const SeriesStyle style = SeriesStyleAt(i);
    painter.setPen(QPen(style.colour, 1.8, style.dash, Qt::FlatCap));
    painter.drawLine(chart.Map(well.x(), well.y()), chart.Map(ends[i].x(), ends[i].y()));
  }
  for (int i = 0; i < kWellsPerSide; ++i)
    for (int j = 0; j < kWellsPerSide; ++j)
      DrawMarker(painter, chart.Map(i * sa, j * sb), MarkerShape::Circle, kWellColour, true);
  painter.setFont(FigureFont(10.5));
  for (size_t i = 0; i < 3 && i < data.profiles.size(); ++i) {
    const SeriesStyle style = SeriesStyleAt(i);
    const QPointF point = chart.Map(ends[i].x(), ends[i].y());
    DrawMarker(painter, point, style.marker, style.colour, true);
    if (i < data.midwayDepths.size())
      Label(painter, point + QPointF(7, i == 1 ? -9 : 9), number(data.midwayDepths[i], 3) + " m",
            style.colour.darker(130));
  }
  painter.restore();

  // The spacings between the first wells.
  painter.setFont(FigureFont(10.5));
  painter.setPen(QPen(kFigureInk, 1.0));
  const QPointF a = chart.Map(0, -0.13 * sb), b = chart.Map(sa, -0.13 * sb);
  painter.drawLine(a, b);
  Label(painter, (a + b) / 2 - QPointF(30, 0), "Sa = " + number(sa, 2) + " m", kFigureInk);
  const QPointF c = chart.Map(-0.13 * sa, 0), d = chart.Map(-0.13 * sa, sb);
  painter.drawLine(c, d);
  painter.save();
  painter.translate((c + d) / 2);
  painter.rotate(-90);
  Label(painter, QPointF(-32, 0), "Sb = " + number(sb, 2) + " m", kFigureInk);
  painter.restore();

  DrawLegend(painter, {kSideMargin, size.height() - legendHeight - 4}, legendWidth, legend);
  painter.restore();
}
