#include "export/PrintChart.h"

#include "core/TextFormat.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTickLength = 4;
constexpr double kLabelGap = 4;
constexpr double kMarkerRadius = 4.6; // the largest
constexpr double kTickFont = 11, kTitleFont = 12, kLegendFont = 11;

// Colours of a palette that colour-blind readers tell apart (blue, vermilion, bluish green,
// reddish purple, orange, sky blue), with dashes so that grey print keeps them apart too. The
// first line is the widest and its markers the largest, so that a series drawn over an equal
// one leaves it in sight.
const SeriesStyle kStyles[] = {
    {QColor(0, 114, 178), Qt::SolidLine, MarkerShape::Circle, 2.6, 4.6},
    {QColor(213, 94, 0), Qt::DashLine, MarkerShape::Square, 1.4, 3.3},
    {QColor(0, 158, 115), Qt::DashDotLine, MarkerShape::Triangle, 1.4, 3.5},
    {QColor(204, 121, 167), Qt::DotLine, MarkerShape::Diamond, 1.4, 3.5},
    {QColor(230, 159, 0), Qt::DashDotDotLine, MarkerShape::Circle, 1.4, 3.5},
    {QColor(86, 180, 233), Qt::DashLine, MarkerShape::Triangle, 1.4, 3.5},
};
constexpr size_t kStyleCount = sizeof kStyles / sizeof kStyles[0];

QPen SeriesPen(const SeriesStyle& style) {
  return QPen(style.colour, style.width, style.dash, Qt::FlatCap, Qt::RoundJoin);
}
} // namespace

SeriesStyle SeriesStyleAt(size_t index) { return kStyles[index % kStyleCount]; }

QFont FigureFont(double pixels, bool bold) {
  QFont font("Arial");
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QString FigureText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void DrawMarker(QPainter& painter, QPointF centre, MarkerShape shape, const QColor& colour,
                bool filled, double radius) {
  if (radius <= 0)
    return;
  painter.save();
  painter.setPen(QPen(colour, 1.2));
  painter.setBrush(filled ? QBrush(colour) : QBrush(Qt::NoBrush));
  const double r = radius;
  switch (shape) {
  case MarkerShape::Circle:
    painter.drawEllipse(centre, r, r);
    break;
  case MarkerShape::Square:
    painter.drawRect(QRectF(centre.x() - r * 0.85, centre.y() - r * 0.85, r * 1.7, r * 1.7));
    break;
  case MarkerShape::Triangle:
    painter.drawPolygon(QPolygonF({centre + QPointF(0, -r * 1.1), centre + QPointF(r, r * 0.75),
                                   centre + QPointF(-r, r * 0.75)}));
    break;
  case MarkerShape::Diamond:
    painter.drawPolygon(QPolygonF({centre + QPointF(0, -r * 1.15), centre + QPointF(r, 0),
                                   centre + QPointF(0, r * 1.15), centre + QPointF(-r, 0)}));
    break;
  }
  painter.restore();
}

double DrawFigureTitles(QPainter& painter, double width, const std::string& title1,
                        const std::string& title2) {
  constexpr int kLinesPerTitle = 2;
  painter.save();
  painter.setPen(kFigureInk);
  double y = 6;
  for (const auto& [text, font] : {std::pair{FigureText(title1), FigureFont(15, true)},
                                   {FigureText(title2), FigureFont(12)}}) {
    if (text.isEmpty())
      continue;
    // A title runs over two lines at most; the rest is cut short.
    QTextLayout layout(text, font, painter.device());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<QString> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width - 20);
      if (static_cast<int>(lines.size()) == kLinesPerTitle - 1) {
        lines.push_back(text.mid(line.textStart()));
        break;
      }
      lines.push_back(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    for (const QString& line : lines) {
      const QString shown = metrics.elidedText(line.trimmed(), Qt::ElideRight, width - 20);
      painter.drawText(QRectF(10, y, width - 20, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                       shown);
      y += metrics.height();
    }
    y += 1;
  }
  painter.restore();
  return y + 4;
}

ChartAxis ChartAxis::Fitted(double min, double max, int intervals, bool exactEnds) {
  ChartAxis axis;
  if (!std::isfinite(min) || !std::isfinite(max)) {
    min = 0;
    max = 1;
  }
  if (max < min)
    std::swap(min, max);
  if (!(max - min > std::max(std::abs(max), std::abs(min)) * 1e-9)) {
    const double pad = min != 0 ? std::abs(min) / 10 : 1;
    min -= pad;
    max += pad;
    exactEnds = false;
  }
  // The smallest step of 1, 2, 2.5 or 5 times a power of ten that gives at most two intervals
  // more than asked for.
  const double raw = (max - min) / std::max(1, intervals);
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)) - 1);
  axis.step = magnitude * 1000;
  bool found = false;
  for (double scale : {1.0, 10.0, 100.0})
    for (double candidate : {1.0, 2.0, 2.5, 5.0})
      if (!found && (max - min) / (magnitude * scale * candidate) <= intervals + 2) {
        axis.step = magnitude * scale * candidate;
        found = true;
      }
  axis.low = exactEnds ? min : std::floor(min / axis.step + 1e-9) * axis.step;
  axis.high = exactEnds ? max : std::ceil(max / axis.step - 1e-9) * axis.step;
  axis.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(axis.step) + 1e-9)));
  // A step of 2.5 times a power of ten needs one decimal more.
  const double mantissa = axis.step / std::pow(10.0, std::floor(std::log10(axis.step) + 1e-9));
  if (std::abs(mantissa - 2.5) < 1e-6)
    ++axis.decimals;
  return axis;
}

std::vector<double> ChartAxis::TickValues() const {
  std::vector<double> values;
  if (!(step > 0) || !(high > low))
    return values;
  const double first = std::ceil(low / step - 1e-9);
  for (double i = first; i * step <= high + step * 1e-9 && values.size() < 100; ++i)
    values.push_back(std::abs(i * step) < step * 1e-9 ? 0.0 : i * step);
  return values;
}

XYChart::XYChart(QPainter& painter, const QRectF& plot, const ChartAxis& x, const ChartAxis& y,
                 char decimalSeparator, ChartRecord* record)
    : painter_(painter), plot_(plot), x_(x), y_(y), separator_(decimalSeparator), record_(record) {}

double ChartAxis::Fraction(double value) const {
  return reversed ? (high - value) / (high - low) : (value - low) / (high - low);
}

double XYChart::MapX(double x) const { return plot_.left() + x_.Fraction(x) * plot_.width(); }

double XYChart::MapY(double y) const { return plot_.bottom() - y_.Fraction(y) * plot_.height(); }

QString XYChart::Number(double value, int decimals) const {
  QString text = QString::fromStdString(FormatFixed(value, 0, decimals));
  return text.replace('.', QChar(separator_));
}

void XYChart::DrawGridAndAxes() {
  painter_.save();
  painter_.setFont(FigureFont(kTickFont));
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  const std::vector<double> xTicks = x_.TickValues(), yTicks = y_.TickValues();

  painter_.setPen(QPen(kFigureGrid, 0.8));
  for (double value : xTicks)
    painter_.drawLine(QPointF(MapX(value), plot_.top()), QPointF(MapX(value), plot_.bottom()));
  for (double value : yTicks)
    painter_.drawLine(QPointF(plot_.left(), MapY(value)), QPointF(plot_.right(), MapY(value)));

  painter_.setPen(QPen(kFigureInk, 1.0, Qt::SolidLine, Qt::SquareCap));
  painter_.drawLine(plot_.bottomLeft(), plot_.topLeft());
  painter_.drawLine(plot_.bottomLeft(), plot_.bottomRight());
  double widest = 0;
  for (double value : yTicks) {
    const double row = MapY(value);
    painter_.drawLine(QPointF(plot_.left() - kTickLength, row), QPointF(plot_.left(), row));
    const QString label = Number(value, y_.decimals);
    widest = std::max(widest, metrics.horizontalAdvance(label));
    painter_.drawText(QRectF(plot_.left() - kTickLength - kLabelGap - 200, row - 10, 200, 20),
                      Qt::AlignRight | Qt::AlignVCenter, label);
    if (record_)
      record_->yTicks.push_back({value, row});
  }
  for (double value : xTicks) {
    const double column = MapX(value);
    painter_.drawLine(QPointF(column, plot_.bottom()),
                      QPointF(column, plot_.bottom() + kTickLength));
    painter_.drawText(QRectF(column - 100, plot_.bottom() + kTickLength + 2, 200, 20),
                      Qt::AlignHCenter | Qt::AlignTop, Number(value, x_.decimals));
    if (record_)
      record_->xTicks.push_back({value, column});
  }

  painter_.setFont(FigureFont(kTitleFont));
  const double titleHeight = QFontMetricsF(painter_.font(), painter_.device()).height();
  painter_.drawText(QRectF(plot_.left(), plot_.bottom() + kTickLength + 4 + metrics.height(),
                           plot_.width(), titleHeight),
                    Qt::AlignHCenter | Qt::AlignTop, x_.title);
  painter_.translate(plot_.left() - kTickLength - kLabelGap - widest - 6, plot_.center().y());
  painter_.rotate(-90);
  painter_.drawText(
      QRectF(-plot_.height() / 2 - 60, -titleHeight, plot_.height() + 120, titleHeight),
      Qt::AlignHCenter | Qt::AlignBottom, y_.title);
  painter_.restore();
}

void XYChart::DrawRightAxis(const ChartAxis& axis, const std::function<double(double)>& toY) {
  painter_.save();
  painter_.setFont(FigureFont(kTickFont));
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  painter_.setPen(QPen(kFigureInk, 1.0, Qt::SolidLine, Qt::SquareCap));
  painter_.drawLine(plot_.topRight(), plot_.bottomRight());
  double widest = 0;
  for (double value : axis.TickValues()) {
    const double row = MapY(toY(value));
    if (row < plot_.top() - 0.01 || row > plot_.bottom() + 0.01)
      continue;
    painter_.drawLine(QPointF(plot_.right(), row), QPointF(plot_.right() + kTickLength, row));
    const QString label = Number(value, axis.decimals);
    widest = std::max(widest, metrics.horizontalAdvance(label));
    painter_.drawText(QRectF(plot_.right() + kTickLength + kLabelGap, row - 10, 200, 20),
                      Qt::AlignLeft | Qt::AlignVCenter, label);
  }
  painter_.setFont(FigureFont(kTitleFont));
  const double titleHeight = QFontMetricsF(painter_.font(), painter_.device()).height();
  painter_.translate(plot_.right() + kTickLength + kLabelGap + widest + 6, plot_.center().y());
  painter_.rotate(90);
  painter_.drawText(
      QRectF(-plot_.height() / 2 - 60, -titleHeight, plot_.height() + 120, titleHeight),
      Qt::AlignHCenter | Qt::AlignBottom, axis.title);
  painter_.restore();
}

void XYChart::AddSeries(const std::string& name, const std::vector<double>& x,
                        const std::vector<double>& y, const SeriesStyle& style, bool filledMarkers,
                        std::vector<bool> hollow) {
  PendingSeries series{name, {}, {}, style, filledMarkers};
  const size_t count = std::min(x.size(), y.size());
  hollow.resize(count, false);
  for (size_t i = 0; i < count; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i]))
      continue;
    series.points.push_back(Map(x[i], y[i]));
    series.joined.push_back(!hollow[i]);
  }
  if (record_)
    record_->series.push_back({name, series.points});
  series_.push_back(std::move(series));
}

void XYChart::DrawSeries() {
  painter_.save();
  painter_.setClipRect(
      plot_.adjusted(-kMarkerRadius - 1, -kMarkerRadius - 1, kMarkerRadius + 1, kMarkerRadius + 1));
  for (const PendingSeries& series : series_) {
    QPainterPath path;
    bool drawing = false;
    for (size_t i = 0; i < series.points.size(); ++i) {
      if (!series.joined[i]) {
        drawing = false;
        continue;
      }
      drawing ? path.lineTo(series.points[i]) : path.moveTo(series.points[i]);
      drawing = true;
    }
    painter_.setPen(SeriesPen(series.style));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
  }
  for (const PendingSeries& series : series_)
    for (size_t i = 0; i < series.points.size(); ++i)
      DrawMarker(painter_, series.points[i], series.style.marker, series.style.colour,
                 series.filled && series.joined[i], series.style.markerRadius);
  painter_.restore();
}

bool XYChart::Free(const QRectF& box) const {
  if (!plot_.contains(box))
    return false;
  for (const QRectF& label : labels_)
    if (label.intersects(box))
      return false;
  for (const PendingSeries& series : series_) {
    for (size_t i = 0; i < series.points.size(); ++i) {
      if (box.adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius)
              .contains(series.points[i]))
        return false;
      // The segment to the next point crosses the box.
      if (i + 1 < series.points.size() && series.joined[i] && series.joined[i + 1]) {
        const QPointF a = series.points[i], b = series.points[i + 1];
        for (int step = 1; step < 8; ++step)
          if (box.contains(a + (b - a) * (step / 8.0)))
            return false;
      }
    }
  }
  return true;
}

void XYChart::DrawReferenceLine(double y, const QPen& pen, const QString& label) {
  const double row = MapY(y);
  if (row < plot_.top() - 0.01 || row > plot_.bottom() + 0.01)
    return;
  painter_.save();
  painter_.setPen(pen);
  painter_.drawLine(QPointF(plot_.left(), row), QPointF(plot_.right(), row));
  painter_.restore();
  const double margin = 6;
  const Qt::Alignment above = Qt::AlignBottom, below = Qt::AlignTop;
  DrawLabel(label,
            {{{plot_.right() - margin, row - 1}, Qt::AlignRight | above},
             {{plot_.left() + margin, row - 1}, Qt::AlignLeft | above},
             {{plot_.right() - margin, row + 1}, Qt::AlignRight | below},
             {{plot_.left() + margin, row + 1}, Qt::AlignLeft | below},
             {{plot_.center().x(), row - 1}, Qt::AlignHCenter | above}},
            pen.color());
}

bool XYChart::DrawLabel(const QString& text, const std::vector<Place>& places, const QColor& colour,
                        bool always) {
  painter_.save();
  painter_.setFont(FigureFont(kLegendFont));
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height());
  auto box = [&size](const Place& place) {
    QPointF corner = place.anchor;
    if (place.alignment & Qt::AlignRight)
      corner.rx() -= size.width();
    else if (place.alignment & Qt::AlignHCenter)
      corner.rx() -= size.width() / 2;
    if (place.alignment & Qt::AlignBottom)
      corner.ry() -= size.height();
    else if (place.alignment & Qt::AlignVCenter)
      corner.ry() -= size.height() / 2;
    return QRectF(corner, size);
  };
  QRectF chosen = places.empty() ? QRectF(plot_.topLeft(), size) : box(places.front());
  bool free = false;
  for (const Place& place : places)
    if (Free(box(place))) {
      chosen = box(place);
      free = true;
      break;
    }
  if (!free && !always) {
    painter_.restore();
    return false;
  }
  labels_.push_back(chosen);
  painter_.fillRect(chosen, QColor(255, 255, 255, 215));
  painter_.setPen(colour);
  painter_.drawText(chosen, Qt::AlignCenter, text);
  painter_.restore();
  return free;
}

double DrawLegend(QPainter& painter, QPointF topLeft, double width,
                  const std::vector<LegendEntry>& entries, bool draw) {
  painter.save();
  painter.setFont(FigureFont(kLegendFont));
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double sample = 26, gap = 6, spacing = 16, rowHeight = metrics.height() + 4;
  double x = 0, y = 0;
  for (const LegendEntry& entry : entries) {
    const double textWidth = std::min(metrics.horizontalAdvance(entry.text), width - sample - gap);
    const double entryWidth = sample + gap + textWidth;
    if (x > 0 && x + entryWidth > width) {
      x = 0;
      y += rowHeight;
    }
    if (draw) {
      const double middle = topLeft.y() + y + rowHeight / 2;
      const QPointF start(topLeft.x() + x, middle);
      if (entry.line) {
        painter.setPen(SeriesPen(entry.style));
        painter.drawLine(start, start + QPointF(sample, 0));
      }
      if (entry.marker)
        DrawMarker(painter, start + QPointF(sample / 2, 0), entry.style.marker, entry.style.colour,
                   entry.filled, entry.style.markerRadius);
      painter.setPen(kFigureInk);
      painter.drawText(QRectF(start.x() + sample + gap, topLeft.y() + y, textWidth, rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       metrics.elidedText(entry.text, Qt::ElideRight, textWidth));
    }
    x += entryWidth + spacing;
  }
  painter.restore();
  return entries.empty() ? 0 : y + rowHeight;
}
