// Any tables as a report's profiles: the scale of the graph is found or raises its arithmetic
// error, and every tick and point maps to a pixel.
#include "FuzzSupport.h"
#include "core/Numerics.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

namespace {
void MapEveryTickAndPoint(const TPlotScale& scale, const TDMPumpfield& dm) {
  for (int32_t i = 0; i <= scale.YTicks; ++i) {
    VerticalTickRow(scale, i);
    TickLabel(VerticalTickValue(scale, i), scale.YDecimals, '.');
  }
  for (int32_t i = 0; i <= scale.XTicks; ++i) {
    HorizontalTickColumn(scale, i);
    HorizontalLabelColumn(scale, i);
    TickLabel(HorizontalTickValue(scale, i), scale.XDecimals, ',');
  }
  for (const DataSetR* table : {&dm.Table1X, &dm.Table2X, &dm.Table3X})
    for (double x : *table)
      ToPixelX(scale, x);
  for (const DataSetR* table : {&dm.Table1F, &dm.Table2F, &dm.Table3F})
    for (double f : *table)
      ToPixelY(scale, f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TDMPumpfield dm;
  FillTables(data, size, dm);
  TPlotScale scale;
  SetPlotFrame(scale, kPlotWidth, kPlotHeight);
  try {
    FindPlotRange(scale, dm);
    ChooseAxisScales(scale);
    SetAxisLabels(scale);
    MapEveryTickAndPoint(scale, dm);
  } catch (const ArithmeticError&) {
  }
  return 0;
}
