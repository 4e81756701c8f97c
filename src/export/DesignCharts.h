// The charts of a design under uncertainty, in the style of the print figures: the distribution
// of the answer (a histogram with its cumulative curve, the design value marked) and the
// sensitivity to each input (a tornado). Saved as PNG (1 to 4 times 623 x 465), SVG or PDF.
// Need a QGuiApplication (fonts).
#pragma once

#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

#include "export/SweepPlot.h"

struct DesignSummary;
struct OptimiseResult;

struct DistributionChart {
  std::string title1, title2;
  std::string xLabel;         // the answer with symbol and unit: "Well spacing, S (m)"
  std::vector<double> values; // the answer of each sample that gave one
  double designValue = 0;
  double designFraction = 0.1; // of the samples at or below the design value: 1 - P, or P
  std::string designLabel;     // "Design value S = 95.12 m, reliability 0.9"
};

struct TornadoChart {
  std::string title1, title2;
  std::string xLabel; // the answer with symbol and unit
  double atMedians = 0;
  struct Bar {
    std::string label; // the input with its 5 % and 95 % values: "Kb2 4.3 / 12.1 m/day"
    double low, high;  // the answer at the input's 5 % and 95 % values; NaN: no answer
  };
  std::vector<Bar> bars; // the largest swing first, drawn at the top
};

bool SaveDistributionChart(const DistributionChart& chart, const std::string& path, int scale,
                           std::string& errorText);
bool SaveTornadoChart(const TornadoChart& chart, const std::string& path, int scale,
                      std::string& errorText);

// The charts of a design's summary, titled `title1` (the input file's first title).
DistributionChart DistributionChartOf(const DesignSummary& summary, const std::string& title1);
TornadoChart TornadoChartOf(const DesignSummary& summary, const std::string& title1);

// The fewest wells against the water level in the wells, the cheapest layout named in the title.
SweepPlot OptimiseFrontPlot(const OptimiseResult& result, const std::string& title1);

// The charts drawn at 623 x 465 pixels, for the window.
QImage DistributionChartImage(const DistributionChart& chart);
QImage TornadoChartImage(const TornadoChart& chart);

// `value` as plain number text; "none" when it is not finite.
std::string DesignFigure(double value);

// Paint the charts on `painter` in a `size` area (623 x 465 is their designed size).
void PaintDistributionChart(QPainter& painter, QSizeF size, const DistributionChart& chart);
void PaintTornadoChart(QPainter& painter, QSizeF size, const TornadoChart& chart);
