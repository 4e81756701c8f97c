// The plot of a parameter sweep: curves of a result against one input on the dark field of the
// water-table graph, 623 x 465 pixels, saved as PNG or SVG. Needs a QGuiApplication (fonts).
#pragma once

#include <string>
#include <vector>

struct PlotCurve {
  std::string label;        // shown in the legend; none for an empty label
  std::vector<double> x, y; // a NaN in y leaves a gap in the curve
};

struct SweepPlot {
  std::string title1, title2;
  std::string xLabel, yLabel; // symbols and units, e.g. "Kb1 (m/day)" and "S (m)"
  std::vector<PlotCurve> curves;
};

// True for a name ending in ".png" or ".svg", in any case.
bool IsSweepPlotName(const std::string& path);

// Draws the plot and writes it as PNG or SVG by the extension of `path`, replacing the file
// only once it is whole. False with `errorText` set when it cannot be written.
bool SaveSweepPlot(const SweepPlot& plot, const std::string& path, std::string& errorText);
