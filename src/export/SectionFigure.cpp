#include "export/PrintFigures.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kLeftMargin = 66, kRightMargin = 18, kBottomMargin = 60, kSideMargin = 12;
// The least width a well is drawn with, in pixels.
constexpr double kLeastWellWidth = 10;

const QColor kLayer1(236, 222, 190);
const QColor kLayer2(214, 228, 200);
const QColor kBase(205, 205, 205);
const QColor kBoundary(110, 110, 110);
const QColor kSurfaceColour(130, 80, 30);
const QColor kWater(90, 160, 225);
const QColor kWellColour(50, 50, 50);
const QColor kWellLevel(0, 70, 160);
const QColor kMidwayColour(150, 0, 0);

using Place = XYChart::Place;

// The water table across the section: the profile from the left well, the midway point the
// results state, and the profile again mirrored towards the right well; as depths below the
// surface.
void WaterTable(const FigureData& data, double spacing, std::vector<double>& x,
                std::vector<double>& depth) {
  const double dw = data.Input("Dw").value_or(0);
  if (!data.profiles.empty()) {
    const FigureProfile& profile = data.profiles.front();
    for (size_t i = 0; i < profile.x.size() && i < profile.head.size(); ++i)
      if (std::isfinite(profile.x[i]) && std::isfinite(profile.head[i]) &&
          profile.x[i] <= spacing / 2) {
        x.push_back(profile.x[i]);
        depth.push_back(dw - profile.head[i]);
      }
  }
  if (!data.midwayHeads.empty() && (x.empty() || x.back() < spacing / 2)) {
    x.push_back(spacing / 2);
    depth.push_back(dw - data.midwayHeads.front());
  }
  for (size_t i = x.size(); i-- > 0;)
    if (x[i] < spacing / 2) {
      x.push_back(spacing - x[i]);
      depth.push_back(depth[i]);
    }
}

// The depth of the water table at `distance`, between the points on either side.
double DepthAt(const std::vector<double>& x, const std::vector<double>& depth, double distance) {
  for (size_t i = 1; i < x.size(); ++i)
    if (x[i - 1] <= distance && distance <= x[i] && x[i] > x[i - 1])
      return depth[i - 1] + (depth[i] - depth[i - 1]) * (distance - x[i - 1]) / (x[i] - x[i - 1]);
  return depth.empty() ? 0 : depth.front();
}

void FillBand(QPainter& painter, const XYChart& chart, double top, double bottom,
              const QBrush& brush) {
  const QRectF& plot = chart.plot();
  const double y0 = std::max(plot.top(), chart.MapY(top));
  const double y1 = std::min(plot.bottom(), chart.MapY(bottom));
  if (y1 > y0)
    painter.fillRect(QRectF(plot.left(), y0, plot.width(), y1 - y0), brush);
}

// A well centred on `x`: the bore from the surface, its screen below the water level down to
// Db with the water in it, and the mark of the water level Dw. Returns what it covers.
QRectF DrawWell(QPainter& painter, const XYChart& chart, double x, double halfWidth, double dw,
                double db) {
  const double centre = chart.MapX(x);
  const double top = chart.MapY(0), level = chart.MapY(dw), bottom = chart.MapY(db);
  const QRectF bore(centre - halfWidth, top, 2 * halfWidth, bottom - top);
  const QRectF water(bore.left(), level, bore.width(), bottom - level);
  painter.fillRect(bore, Qt::white);
  painter.fillRect(water, kWater);
  painter.fillRect(water, QBrush(Qt::white, Qt::HorPattern));
  painter.setPen(QPen(kWellColour, 1.2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bore);
  const double mark = std::max(4.0, halfWidth * 0.8);
  painter.setPen(QPen(kWellLevel, 1.0));
  painter.setBrush(kWellLevel);
  painter.drawPolygon(
      QPolygonF({QPointF(centre - mark, level - mark * 1.2),
                 QPointF(centre + mark, level - mark * 1.2), QPointF(centre, level)}));
  painter.setBrush(Qt::NoBrush);
  return bore.adjusted(-mark, -mark * 1.2, mark, 0);
}

// An arrow across from `a` to `b` with its text above the middle.
void Dimension(QPainter& painter, QPointF a, QPointF b, const QString& text) {
  painter.setPen(QPen(kFigureInk, 1.0));
  painter.drawLine(a, b);
  for (const auto& [tip, direction] : {std::pair{a, 1.0}, {b, -1.0}})
    painter.drawPolyline(
        QPolygonF({tip + QPointF(6 * direction, -3), tip, tip + QPointF(6 * direction, 3)}));
  painter.setFont(FigureFont(11));
  const QRectF box((a.x() + b.x()) / 2 - 150, a.y() - 18, 300, 16);
  painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, text);
}
} // namespace

void PaintSectionFigure(QPainter& painter, QSizeF size, const FigureData& data) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double titles = DrawFigureTitles(painter, size.width(), data.title1, data.title2);
  const double spacing = data.WellSpacing().value_or(0) > 0 ? *data.WellSpacing() : 1.0;
  const bool conductivity = data.aim == Aim::Conductivity;
  const double dw = data.Input("Dw").value_or(0);
  const double db = data.Input("Db").value_or(dw);
  const double d2 = data.Input("D2").value_or(db);
  const double d1 = conductivity ? d2 : data.Input("D1").value_or(d2);
  std::vector<double> x, depth;
  WaterTable(data, spacing, x, depth);

  double shallowest = 0, deepest = std::max({d2, db, dw});
  for (double value : depth) {
    shallowest = std::min(shallowest, value);
    deepest = std::max(deepest, value);
  }
  const double bottom = deepest + std::max(0.5, deepest * 0.12);
  ChartAxis yAxis = ChartAxis::Fitted(shallowest - (bottom - shallowest) * 0.07, bottom, 6, true);
  yAxis.reversed = true;
  yAxis.title = "Depth below the soil surface (m)";
  ChartAxis xAxis = ChartAxis::Fitted(-spacing * 0.05, spacing * 1.05, 8, true);
  xAxis.title = "Distance from the left well (m)";

  const double dimensionSpace = 22;
  const QRectF plot(kLeftMargin, titles + dimensionSpace, size.width() - kLeftMargin - kRightMargin,
                    size.height() - titles - dimensionSpace - kBottomMargin);
  XYChart chart(painter, plot, xAxis, yAxis, data.decimalSeparator);
  auto number = [&chart](double value, int decimals) { return chart.Number(value, decimals); };
  const auto at = [&chart](double fraction, double y) {
    return QPointF(chart.plot().left() + fraction * chart.plot().width(), chart.MapY(y));
  };

  painter.save();
  painter.setClipRect(plot);
  FillBand(painter, chart, 0, d1, kLayer1);
  FillBand(painter, chart, d1, d2, kLayer2);
  FillBand(painter, chart, d2, bottom, kBase);
  FillBand(painter, chart, d2, bottom, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
  painter.restore();
  chart.DrawGridAndAxes();

  painter.save();
  painter.setClipRect(plot);
  painter.setPen(QPen(kBoundary, 1.0));
  for (double boundary : {d1, d2})
    if (boundary > 0)
      painter.drawLine(at(0, boundary), at(1, boundary));
  painter.setPen(QPen(kSurfaceColour, 2.0));
  painter.drawLine(at(0, 0), at(1, 0));
  // The screen is W wide; drawn to scale it would be a hair, so it gets a few pixels more.
  const double w = data.Input("W").value_or(0);
  const double halfWidth = std::max(kLeastWellWidth, chart.MapX(w) - chart.MapX(0)) / 2;
  for (double wellX : {0.0, spacing})
    chart.Reserve(DrawWell(painter, chart, wellX, halfWidth, dw, db));

  SeriesStyle water = SeriesStyleAt(0);
  water.markerRadius = 0;
  chart.AddSeries("water table", x, depth, water, false);
  // The midway depth: required or observed, or what a rectangular field comes to; NaN if none.
  const double dm = data.aim == Aim::FieldDepths
                        ? (data.midwayDepths.empty() ? NAN : data.midwayDepths.front())
                        : data.Input("Dm").value_or(NAN);
  const double middle = chart.MapX(spacing / 2);
  if (std::isfinite(dm)) {
    painter.setPen(QPen(kMidwayColour, 1.4, Qt::DashLine));
    painter.drawLine(QPointF(middle - plot.width() * 0.1, chart.MapY(dm)),
                     QPointF(middle + plot.width() * 0.1, chart.MapY(dm)));
    painter.drawLine(QPointF(middle, chart.MapY(0)), QPointF(middle, chart.MapY(dm)));
    chart.Reserve(QRectF(QPointF(middle - 2, chart.MapY(0)), QPointF(middle + 2, chart.MapY(dm))));
  }
  chart.DrawSeries();
  painter.restore();

  const double left = chart.MapX(0) + halfWidth + 4, right = chart.MapX(spacing) - halfWidth - 4;
  chart.DrawLabel("Soil surface",
                  {{QPointF(left, chart.MapY(0) - 1), Qt::AlignLeft | Qt::AlignBottom},
                   {QPointF(right, chart.MapY(0) - 1), Qt::AlignRight | Qt::AlignBottom}},
                  kSurfaceColour);
  if (std::isfinite(dm)) {
    const QString kind = data.aim == Aim::FieldDepths ? "computed"
                         : conductivity               ? "observed"
                                                      : "required";
    const int decimals = data.aim == Aim::FieldDepths ? 3 : 2;
    const QString text = dm < 0 ? "Midway water table " + number(-dm, decimals) +
                                      " m above the surface (" + kind + ")"
                                : "Midway depth Dm = " + number(dm, decimals) + " m (" + kind + ")";
    const double row = chart.MapY(dm);
    chart.DrawLabel(text,
                    {{QPointF(middle + 6, row + 3), Qt::AlignLeft | Qt::AlignTop},
                     {QPointF(middle - 6, row + 3), Qt::AlignRight | Qt::AlignTop},
                     {QPointF(middle + 6, row - 3), Qt::AlignLeft | Qt::AlignBottom},
                     {QPointF(middle - 6, row - 3), Qt::AlignRight | Qt::AlignBottom}},
                    kMidwayColour);
  }
  chart.DrawLabel("Dw = " + number(dw, 2) + " m",
                  {{QPointF(right, chart.MapY(dw) + 2), Qt::AlignRight | Qt::AlignTop},
                   {QPointF(left, chart.MapY(dw) + 2), Qt::AlignLeft | Qt::AlignTop},
                   {QPointF(right, chart.MapY(dw) - 2), Qt::AlignRight | Qt::AlignBottom},
                   {QPointF(left, chart.MapY(dw) - 2), Qt::AlignLeft | Qt::AlignBottom}},
                  kWellLevel);
  auto permeability = [&](const char* symbol, int decimals) {
    const auto value = data.Input(symbol);
    return QString(symbol) + " = " + (value ? number(*value, decimals) : QString("?"));
  };
  auto bandPlaces = [&](double top, double bottomDepth) {
    std::vector<Place> places;
    for (double fraction : {0.5, 0.45, 0.4, 0.55, 0.6, 0.35, 0.65})
      for (double share : {0.5, 0.3, 0.7})
        places.push_back({at(fraction, top + (bottomDepth - top) * share), Qt::AlignCenter});
    return places;
  };
  if (conductivity) {
    const QString k = data.conductivity ? number(*data.conductivity, 3) : QString("?");
    chart.DrawLabel("Uniform soil to D2 = " + number(d2, 2) + " m: K = " + k + " m/day (result)",
                    bandPlaces(dw, d2), kFigureInk);
  } else {
    if (d1 > 0)
      chart.DrawLabel("Layer 1 to D1 = " + number(d1, 2) + " m: " + permeability("Kb1", 3) + ", " +
                          permeability("Kv1", 4) + " m/day",
                      bandPlaces(std::min(dw, d1), d1), kFigureInk);
    if (d2 > d1)
      chart.DrawLabel("Layer 2 to D2 = " + number(d2, 2) + " m: " + permeability("Kb2", 3) + ", " +
                          permeability("Kv2", 4) + " m/day",
                      bandPlaces(d1, d2), kFigureInk);
  }
  chart.DrawLabel("Well screen to Db = " + number(db, 2) + " m, W = " + number(w, 3) +
                      " m (drawn wider)",
                  {{QPointF(left, chart.MapY(db)), Qt::AlignLeft | Qt::AlignVCenter},
                   {QPointF(left, chart.MapY(db) + 2), Qt::AlignLeft | Qt::AlignTop},
                   {QPointF(left, chart.MapY(db) - 2), Qt::AlignLeft | Qt::AlignBottom},
                   {QPointF(right, chart.MapY(db)), Qt::AlignRight | Qt::AlignVCenter}},
                  kFigureInk);

  std::vector<Place> tablePlaces;
  for (double side : {4.0, -4.0})
    for (double fraction : {0.3, 0.7, 0.2, 0.8})
      tablePlaces.push_back(
          {chart.Map(spacing * fraction, DepthAt(x, depth, spacing * fraction)) + QPointF(0, side),
           Qt::AlignHCenter | (side > 0 ? Qt::AlignTop : Qt::AlignBottom)});
  chart.DrawLabel("Computed water table", tablePlaces, water.colour);
  if (bottom > d2)
    chart.DrawLabel("Base of the flow region (no flow)", bandPlaces(d2, bottom), kBoundary);

  const double dimensionRow = plot.top() - 6;
  Dimension(painter, {chart.MapX(0), dimensionRow}, {chart.MapX(spacing), dimensionRow},
            QString(data.aim == Aim::FieldDepths ? "Sa" : "S") + " = " + number(spacing, 2) + " m");

  // Under the axis: the permeability of the saturated soil between the water level in the
  // well and the water table, and how much the depths are stretched against the distances.
  painter.setFont(FigureFont(10.5));
  painter.setPen(kFigureMuted);
  const QRectF notes(kSideMargin, size.height() - 17, size.width() - 2 * kSideMargin, 15);
  if (!conductivity)
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignVCenter,
                     permeability("Ka", 3) + " m/day above the water level in the well");
  const double exaggeration =
      (plot.height() / (yAxis.high - yAxis.low)) / (plot.width() / (xAxis.high - xAxis.low));
  painter.drawText(notes, Qt::AlignRight | Qt::AlignVCenter,
                   exaggeration > 1.05
                       ? "Depths drawn " + number(exaggeration, 1) + " times the distances"
                       : QString("Depths and distances to the same scale"));
  painter.restore();
}
