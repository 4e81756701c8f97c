// The plot of a parameter sweep: a result against one input, one curve per value of the others,
// in the style of the print figures; saved as PNG (at 1 to 4 times 623 x 465), SVG or PDF.
// Needs a QGuiApplication (fonts).
#pragma once

#include <QImage>

#include <string>
#include <vector>

struct PlotCurve {
  std::string label;        // shown in the legend, with units; none for an empty label
  std::vector<double> x, y; // a NaN in y: the run gave no result
  std::vector<bool> failed; // the run did not end converged: a hollow marker
};

struct SweepPlot {
  std::string title1, title2; // title2 says in words what is plotted against what
  std::string xLabel, yLabel; // quantities with symbols and units
  std::vector<PlotCurve> curves;
};

// True for a name ending in ".png", ".svg" or ".pdf", in any case.
bool IsSweepPlotName(const std::string& path);

// Draws the plot and writes it in the format of the extension of `path` (a PNG `scale` times
// the size), replacing the file only once it is whole. False with `errorText` set when it
// cannot be written.
bool SaveSweepPlot(const SweepPlot& plot, const std::string& path, int scale,
                   std::string& errorText);

// The plot drawn at 623 x 465 pixels, for the window.
QImage SweepPlotImage(const SweepPlot& plot);
