#include "graph/UWellUtils.h"

#include "core/Numerics.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

struct Band {
  long double limit; // the band applies to maxima below this limit
  int32_t step;
  int32_t decimals;
};

// Step bands for maxima from 10 on. Below 100 they are irregular; from 100 on each decade p
// has the steps p/4, p/2 and p, continued up to 1E9 so that large maxima still get an axis.
const std::vector<Band>& StepBands() {
  static const std::vector<Band> bands = [] {
    std::vector<Band> list = {{25, 4, 1}, {50, 5, 1}, {100, 10, 0}};
    for (int32_t p = 100; p <= 100000000; p *= 10) {
      list.push_back({2.5L * p, p / 4, 0});
      list.push_back({5.0L * p, p / 2, 0});
      list.push_back({10.0L * p, p, 0});
    }
    return list;
  }();
  return bands;
}

// Axis end beyond the last band: the largest round end that fits 32 bits.
constexpr int32_t kLargestAxisEnd = 2000000000;
constexpr int32_t kLargestAxisStep = 250000000;

struct Axis {
  int32_t high;
  int32_t ticks;
  int32_t decimals;
};

Axis BandedAxis(long double m) {
  for (const Band& band : StepBands())
    if (m < band.limit) {
      const int32_t high = band.step * RoundHalfEven((m + band.step / 2.0L) / band.step);
      return {high, high / band.step, band.decimals};
    }
  return {kLargestAxisEnd, kLargestAxisEnd / kLargestAxisStep, 0};
}

Axis VerticalAxis(double yMax) {
  if (yMax < 10) {
    const int32_t high = RoundHalfEven(yMax + 1.0L);
    return {high, high > 10 ? high / 2 : high, 1};
  }
  return BandedAxis(yMax);
}

Axis HorizontalAxis(double xMax) {
  if (xMax < 10) {
    const int32_t high = RoundHalfEven(xMax + 0.5L);
    return {high, high, 1};
  }
  return BandedAxis(xMax);
}

constexpr int32_t kTopRow = 70;    // row of the top end of the vertical axis
constexpr int32_t kLabelLeft = 62; // horizontal tick labels start 8 pixels left of their tick

// Pixel offsets far outside the canvas are held at a bound that still fits 32 bits.
int32_t RoundPixelOffset(long double offset) {
  constexpr long double kBound = 1000000.0L;
  return RoundHalfEven(std::clamp(offset, -kBound, kBound));
}
} // namespace

void SetPlotFrame(TPlotScale& scale, int32_t width, int32_t height) {
  scale.PlotWidth = width;
  scale.PlotHeight = height;
}

bool IsRectangularReport(const TDMPumpfield& dm) { return dm.ReportTag == kRectangularReportTag; }

int32_t UsableRows(int32_t count, std::size_t xLength, std::size_t fLength) {
  const std::size_t length = std::min(xLength, fLength);
  if (count <= 0)
    return 0;
  return static_cast<std::size_t>(count) < length ? count : static_cast<int32_t>(length);
}

void FindPlotRange(TPlotScale& s, const TDMPumpfield& dm) {
  s.YMax = 0;
  s.XMax = 0;
  const bool rectangular = IsRectangularReport(dm);
  const DataSetR& x = rectangular ? dm.Table3X : dm.Table1X;
  const DataSetR& f = rectangular ? dm.Table3F : dm.Table1F;
  const int32_t rows = UsableRows(rectangular ? dm.Count3 : dm.Count1, x.size(), f.size());
  for (int32_t row = 0; row < rows; ++row) {
    if (f[row] > s.YMax)
      s.YMax = f[row];
    if (x[row] > s.XMax)
      s.XMax = x[row];
  }
  // Heads near the largest double keep the largest double instead of overflowing.
  const long double headroom = s.YMax * 1.1L;
  s.YMax = headroom > std::numeric_limits<double>::max() ? std::numeric_limits<double>::max()
                                                         : Store(headroom);
  if (s.YMax == 0)
    s.YMax = 1.0;

  bool rowsToDraw = UsableRows(dm.Count1, dm.Table1X.size(), dm.Table1F.size()) > 0;
  if (rectangular)
    rowsToDraw =
        rowsToDraw || rows > 0 || UsableRows(dm.Count2, dm.Table2X.size(), dm.Table2F.size()) > 0;
  if (s.XMax == 0 && rowsToDraw)
    s.XMax = 1.0;
}

void ChooseAxisScales(TPlotScale& s) {
  const Axis vertical = VerticalAxis(s.YMax);
  const Axis horizontal = HorizontalAxis(s.XMax);
  s.YHigh = vertical.high;
  s.YTicks = vertical.ticks;
  s.YDecimals = vertical.decimals;
  s.XHigh = horizontal.high;
  s.XTicks = horizontal.ticks;
  s.XDecimals = horizontal.decimals;

  if (s.YTicks > 10) {
    s.YTicks = 10;
    ++s.YDecimals;
  }
  if (s.XTicks > 10) {
    s.XTicks = 10;
    ++s.XDecimals;
  }
  if (s.YTicks < 3) {
    s.YTicks = 4;
    ++s.YDecimals;
  }
  if (s.XTicks < 4) {
    s.XTicks = 4;
    ++s.XDecimals;
  }
}

void SetAxisLabels(TPlotScale& s) {
  s.XAxisLabel = "Distance from well (m)";
  s.YAxisLabel = "Watertable height above water level in well (m)";
  s.DarcyLegend = "+ Darcy equation";
}

int32_t VerticalTickRow(const TPlotScale& s, int32_t i) {
  return RoundHalfEven(kTopRow + static_cast<long double>(s.PlotHeight) * i / s.YTicks);
}

double VerticalTickValue(const TPlotScale& s, int32_t i) {
  return Store(s.YHigh - static_cast<long double>(s.YHigh) * i / s.YTicks);
}

int32_t HorizontalTickColumn(const TPlotScale& s, int32_t i) {
  return RoundHalfEven(kOriginColumn + static_cast<long double>(s.PlotWidth) * i / s.XTicks);
}

double HorizontalTickValue(const TPlotScale& s, int32_t i) {
  const int64_t product = static_cast<int64_t>(s.XHigh) * i;
  return Store(static_cast<long double>(product) / s.XTicks);
}

int32_t HorizontalLabelColumn(const TPlotScale& s, int32_t i) {
  return RoundHalfEven(kLabelLeft + static_cast<long double>(s.PlotWidth) * i / s.XTicks);
}

std::string TickLabel(double value, int32_t decimals, char separator) {
  const int32_t d = std::clamp<int32_t>(decimals, 0, 9);
  return FormatFixedLocal(value, d + 2, d, separator);
}

int32_t ToPixelX(const TPlotScale& s, double x) {
  if (s.XHigh == 0)
    return kOriginColumn;
  return kOriginColumn + RoundPixelOffset(static_cast<long double>(s.PlotWidth) * x / s.XHigh);
}

int32_t ToPixelY(const TPlotScale& s, double f) {
  constexpr int32_t kAboveAxis = 10;
  if (s.YHigh == 0)
    return kOriginRow - kAboveAxis;
  return kOriginRow - RoundPixelOffset(static_cast<long double>(s.PlotHeight) * f / s.YHigh) -
         kAboveAxis;
}
