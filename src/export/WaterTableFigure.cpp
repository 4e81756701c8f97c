#include "export/PrintFigures.h"

#include <algorithm>
#include <cmath>

namespace {
// Space for tick labels and axis titles around the plot.
constexpr double kLeftMargin = 66, kRightMargin = 64, kBottomMargin = 42, kSideMargin = 12;

const QColor kSurfaceColour(130, 80, 30);
const QColor kWellLevelColour(40, 40, 40);
const QColor kMidwayColour(150, 0, 0);

std::vector<LegendEntry> Legend(const std::vector<HeadCurve>& curves) {
  std::vector<LegendEntry> entries;
  for (const HeadCurve& curve : curves)
    entries.push_back({curve.legend, curve.style, true, curve.style.markerRadius > 0});
  return entries;
}
} // namespace

std::optional<FigureKind> FigureKindOfName(const std::string& name) {
  if (name == "water-table")
    return FigureKind::WaterTable;
  if (name == "section")
    return FigureKind::Section;
  if (name == "plan")
    return FigureKind::Plan;
  return std::nullopt;
}

std::string FigureUnavailable(FigureKind kind, const FigureData& data) {
  if (kind == FigureKind::Plan && data.aim != Aim::FieldDepths)
    return "the plan of the well field is drawn for a report of the water-table depths in a "
           "rectangular well field only";
  if (kind == FigureKind::Section && !data.Input("Dw"))
    return "the report states no depth of the water level in the well, Dw";
  if (kind == FigureKind::Plan && (!data.Input("Sa") || !data.Input("Sb")))
    return "the report states no well spacings Sa and Sb";
  return std::string();
}

void PaintWaterTableFigure(QPainter& painter, QSizeF size, const FigureData& data,
                           ChartRecord* record) {
  std::vector<HeadCurve> curves;
  for (size_t i = 0; i < data.profiles.size(); ++i) {
    const FigureProfile& profile = data.profiles[i];
    curves.push_back(
        {profile.name, FigureText(profile.name), profile.x, profile.head, SeriesStyleAt(i)});
  }
  PaintHeadCurves(painter, size, data, curves, "Distance from the well, X (m)", record);
}

void PaintHeadCurves(QPainter& painter, QSizeF size, const FigureData& data,
                     const std::vector<HeadCurve>& curves, const QString& xTitle,
                     ChartRecord* record) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), data.title1, data.title2);
  const std::vector<LegendEntry> legend = Legend(curves);
  const double legendWidth = size.width() - 2 * kSideMargin;
  const double legendHeight = DrawLegend(painter, {}, legendWidth, legend, false);

  const std::optional<double> dw = data.Input("Dw");
  const std::optional<double> dm = data.Input("Dm");
  double xEnd = 0, low = 0, high = dw.value_or(0);
  for (const HeadCurve& curve : curves) {
    for (double x : curve.x)
      if (std::isfinite(x))
        xEnd = std::max(xEnd, x);
    for (double head : curve.head)
      if (std::isfinite(head)) {
        low = std::min(low, head);
        high = std::max(high, head);
      }
  }
  for (size_t i = 0; i < data.profiles.size(); ++i)
    xEnd = std::max(xEnd, data.MidwayDistance(i).value_or(0));
  // Room above the highest line for its label.
  high += (high - low) * 0.08;

  ChartAxis x = xEnd > 0 ? ChartAxis::Fitted(0, xEnd, 8, true) : ChartAxis::Fitted(0, 1, 5);
  x.title = xTitle;
  ChartAxis y = ChartAxis::Fitted(low, high, 6);
  y.title = "Height of the water table above the water level in the well (m)";

  const QRectF plot(kLeftMargin, titles + 6, size.width() - kLeftMargin - kRightMargin,
                    size.height() - titles - 6 - kBottomMargin - legendHeight - 8);
  XYChart chart(painter, plot, x, y, data.decimalSeparator, record);
  chart.DrawGridAndAxes();
  if (dw) {
    // Depth below the surface is Dw minus the height above the well's water level.
    ChartAxis depth = ChartAxis::Fitted(std::max(0.0, *dw - y.high), *dw - y.low, 6, true);
    depth.title = "Depth below the soil surface (m)";
    chart.DrawRightAxis(depth, [&](double value) { return *dw - value; });
  }
  for (const HeadCurve& curve : curves)
    chart.AddSeries(curve.name, curve.x, curve.head, curve.style, false);
  if (dw) {
    chart.DrawReferenceLine(*dw, QPen(kSurfaceColour, 1.8), "Soil surface");
    chart.DrawReferenceLine(0, QPen(kWellLevelColour, 1.2, Qt::DashDotLine),
                            "Water level in the well, Dw = " + chart.Number(*dw, 2) +
                                " m below the surface");
    if (dm)
      chart.DrawReferenceLine(*dw - *dm, QPen(kMidwayColour, 1.2, Qt::DashLine),
                              QString(data.aim == Aim::Conductivity ? "Observed" : "Required") +
                                  " midway depth Dm = " + chart.Number(*dm, 2) + " m");
  }
  chart.DrawSeries();
  DrawLegend(painter, {kSideMargin, size.height() - legendHeight - 4}, legendWidth, legend);
  painter.restore();
}

void PaintFigure(QPainter& painter, QSizeF size, FigureKind kind, const FigureData& data,
                 ChartRecord* record) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  switch (kind) {
  case FigureKind::WaterTable:
    PaintWaterTableFigure(painter, size, data, record);
    break;
  case FigureKind::Section:
    PaintSectionFigure(painter, size, data);
    break;
  case FigureKind::Plan:
    PaintPlanFigure(painter, size, data);
    break;
  }
}
