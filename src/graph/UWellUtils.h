// Scale of the water-table graph: axis ends, tick intervals, label decimals, axis titles and
// the mapping of (distance, head) in metres to canvas pixels. Pure C++; reads the report tables
// held by a data module. Each drawing works on a plot scale of its own.
#pragma once

#include <cstdint>
#include <string>

class TDMPumpfield;

// Plotting frame of the graph, in pixels.
inline constexpr int32_t kPlotWidth = 500;
inline constexpr int32_t kPlotHeight = 320;
// Canvas position of distance 0, head 0.
inline constexpr int32_t kOriginColumn = 70;
inline constexpr int32_t kOriginRow = 390;

struct TPlotScale {
  double YMax = 0;        // 1.1 x the largest head of the reference table; 1.0 when that is 0
  double XMax = 0;        // largest distance of the reference table
  int32_t YHigh = 0;      // upper end of the vertical axis (m)
  int32_t XHigh = 0;      // upper end of the horizontal axis (m)
  int32_t YTicks = 0;     // intervals between vertical ticks
  int32_t XTicks = 0;     // intervals between horizontal ticks
  int32_t YDecimals = 0;  // decimals of the vertical tick labels
  int32_t XDecimals = 0;  // decimals of the horizontal tick labels
  int32_t PlotWidth = 0;  // frame width in pixels, set once by the main window
  int32_t PlotHeight = 0; // frame height in pixels, set once by the main window
  std::string XAxisLabel;
  std::string YAxisLabel;
  std::string DarcyLegend;
};

// Sets PlotWidth and PlotHeight (the main window passes kPlotWidth, kPlotHeight).
void SetPlotFrame(TPlotScale& scale, int32_t width, int32_t height);

// True when `dm` holds a rectangular-field report (tag " Ost").
bool IsRectangularReport(const TDMPumpfield& dm);
// Rows of a report table that can be read safely: its count, limited to the arrays' lengths.
int32_t UsableRows(int32_t count, std::size_t xLength, std::size_t fLength);

// YMax and XMax from the reference table (the diagonal of a rectangular-field report, else
// table 1). When every distance is 0 or less but the graph has rows to draw, XMax becomes 1.0
// so that the horizontal axis keeps a length.
void FindPlotRange(TPlotScale& scale, const TDMPumpfield& dm);
// Axis ends, interval counts and decimals from YMax and XMax. Maxima of 100000 and more
// continue the step bands in the same 1-2.5-5 rhythm; from 1E9 on the axis ends at 2E9.
void ChooseAxisScales(TPlotScale& scale);
void SetAxisLabels(TPlotScale& scale);

// Tick i of the vertical axis (0 at the top): its row and value.
int32_t VerticalTickRow(const TPlotScale& scale, int32_t i);
double VerticalTickValue(const TPlotScale& scale, int32_t i);
// Tick i of the horizontal axis (0 at the origin): its column, value and label column.
int32_t HorizontalTickColumn(const TPlotScale& scale, int32_t i);
double HorizontalTickValue(const TPlotScale& scale, int32_t i);
int32_t HorizontalLabelColumn(const TPlotScale& scale, int32_t i);
// Tick label: `decimals` decimals, at least decimals + 2 characters, right-aligned, with
// `separator` as the decimal separator.
std::string TickLabel(double value, int32_t decimals, char separator);

// Canvas column of distance x and canvas row of head f (10 pixels above the axis scale).
// Points outside the frame are not clipped.
int32_t ToPixelX(const TPlotScale& scale, double x);
int32_t ToPixelY(const TPlotScale& scale, double f);
