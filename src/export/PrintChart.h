// The look of every print figure and an x-y chart in it: white ground, thin black axes, a light
// grid, Arial texts, one colour, dash and marker shape per series, labelled reference lines and
// a legend. Coordinates are pixels at 96 dpi of the painter in use (a figure file is 623 x 465
// of them; larger pictures and documents scale the painter). Needs a QGuiApplication (fonts).
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>
#include <string>
#include <vector>

inline constexpr double kFigureWidth = 623;
inline constexpr double kFigureHeight = 465;

inline const QColor kFigureInk(0, 0, 0);
inline const QColor kFigureGrid(222, 222, 222);
inline const QColor kFigureMuted(90, 90, 90);

enum class MarkerShape { Circle, Square, Triangle, Diamond };

struct SeriesStyle {
  QColor colour;
  Qt::PenStyle dash = Qt::SolidLine;
  MarkerShape marker = MarkerShape::Circle;
  double width = 1.4;        // of the line, in pixels
  double markerRadius = 3.5; // none when 0
};

// The style of the `index`-th series: colours that stay apart for colour-blind readers and in
// grey print, each with its own dash and marker.
SeriesStyle SeriesStyleAt(size_t index);

// Arial (a metric-compatible face where Arial is missing) at `pixels` high.
QFont FigureFont(double pixels, bool bold = false);
// Single-byte report text as shown.
QString FigureText(const std::string& text);

// A marker of `radius` pixels centred on `centre`; a hollow one is open inside.
void DrawMarker(QPainter& painter, QPointF centre, MarkerShape shape, const QColor& colour,
                bool filled, double radius = 3.5);

// The title lines at the top of a figure, wrapped to `width`; returns the height they take.
double DrawFigureTitles(QPainter& painter, double width, const std::string& title1,
                        const std::string& title2);

// An axis from `low` to `high` with ticks at the whole multiples of `step` between them.
struct ChartAxis {
  double low = 0, high = 1, step = 1;
  int decimals = 0;
  QString title;
  bool reversed = false; // `high` at the bottom (or on the left): depths that grow downwards

  // About `intervals` steps of 1, 2, 2.5 or 5 times a power of ten over min..max; the ends are
  // widened to whole steps unless `exactEnds`.
  static ChartAxis Fitted(double min, double max, int intervals, bool exactEnds = false);
  std::vector<double> TickValues() const;
  // Where `value` lies from the start of the axis (bottom or left, 0) to its end (1).
  double Fraction(double value) const;
};

// Where a chart put its ticks and points, in the painter's coordinates, so that a check can
// read the figure back.
struct ChartRecord {
  struct Tick {
    double value, position;
  };
  struct Series {
    std::string name;
    std::vector<QPointF> points;
  };
  std::vector<Tick> xTicks, yTicks;
  std::vector<Series> series;
};

struct LegendEntry {
  QString text;
  SeriesStyle style;
  bool line = true;    // a line sample; otherwise the marker alone
  bool marker = true;  // the marker on the sample
  bool filled = false; // the marker filled
};

class XYChart {
public:
  // `plot` is the area inside the axes; numbers are written with `decimalSeparator`.
  XYChart(QPainter& painter, const QRectF& plot, const ChartAxis& x, const ChartAxis& y,
          char decimalSeparator, ChartRecord* record = nullptr);

  const QRectF& plot() const { return plot_; }
  double MapX(double x) const;
  double MapY(double y) const;
  QPointF Map(double x, double y) const { return {MapX(x), MapY(y)}; }

  // Grid lines at the ticks, the axes on the left and at the bottom with their ticks, labels
  // and titles.
  void DrawGridAndAxes();
  // A second scale on the right: ticks of `axis` placed at the value `toY` gives for them.
  void DrawRightAxis(const ChartAxis& axis, const std::function<double(double)>& toY);

  // A series; every series is drawn by DrawSeries, lines first, then all markers on top. A
  // point whose `hollow` entry is true is drawn as a hollow marker and not joined by the line.
  void AddSeries(const std::string& name, const std::vector<double>& x,
                 const std::vector<double>& y, const SeriesStyle& style, bool filledMarkers,
                 std::vector<bool> hollow = {});
  void DrawSeries();

  // A horizontal line across the plot at `y`, labelled above it on the side where the label
  // covers no point of a series: call it after AddSeries and before DrawSeries, so that the
  // series stay on top.
  void DrawReferenceLine(double y, const QPen& pen, const QString& label);
  // A place for a label: the point in the painter's coordinates that `alignment` refers to.
  struct Place {
    QPointF anchor;
    Qt::Alignment alignment;
  };
  // `text` at the first of `places` where it stays in the plot clear of the series and of the
  // other labels; when none is clear, at the first place, or nowhere when not `always`. True
  // when drawn in a clear place.
  bool DrawLabel(const QString& text, const std::vector<Place>& places, const QColor& colour,
                 bool always = true);
  // Keeps later labels off `box` (a drawing of the caller's).
  void Reserve(const QRectF& box) { labels_.push_back(box); }

  QString Number(double value, int decimals) const;

private:
  struct PendingSeries {
    std::string name;
    std::vector<QPointF> points;
    std::vector<bool> joined; // false: a hollow point, or a gap
    SeriesStyle style;
    bool filled;
  };
  bool Free(const QRectF& box) const;

  QPainter& painter_;
  QRectF plot_;
  ChartAxis x_, y_;
  char separator_;
  ChartRecord* record_;
  std::vector<PendingSeries> series_;
  std::vector<QRectF> labels_;
};

// A legend of `entries` in rows across `width` from `topLeft`; returns its height. Measures
// only, without drawing, when `draw` is false.
double DrawLegend(QPainter& painter, QPointF topLeft, double width,
                  const std::vector<LegendEntry>& entries, bool draw = true);
