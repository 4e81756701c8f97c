// Any tables as a report's profiles: the scale of the graph is found or raises its arithmetic
// error, and every tick and point maps to a pixel.
#include "FuzzSupport.h"
#include "core/Numerics.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

namespace {
void MapEveryTickAndPoint(const TDMPumpfield& dm) {
  const TPlotScale& scale = PlotScale;
  for (int32_t i = 0; i <= scale.YTicks; ++i) {
    VerticalTickRow(i);
    TickLabel(VerticalTickValue(i), scale.YDecimals);
  }
  for (int32_t i = 0; i <= scale.XTicks; ++i) {
    HorizontalTickColumn(i);
    HorizontalLabelColumn(i);
    TickLabel(HorizontalTickValue(i), scale.XDecimals);
  }
  for (const DataSetR* table : {&dm.Table1X, &dm.Table2X, &dm.Table3X})
    for (double x : *table)
      ToPixelX(x);
  for (const DataSetR* table : {&dm.Table1F, &dm.Table2F, &dm.Table3F})
    for (double f : *table)
      ToPixelY(f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScopedDataModule module;
  TDMPumpfield& dm = module.data();
  FillTables(data, size, dm);
  SetPlotFrame(kPlotWidth, kPlotHeight);
  try {
    FindPlotRange();
    ChooseAxisScales();
    SetAxisLabels();
    MapEveryTickAndPoint(dm);
  } catch (const ArithmeticError&) {
  }
  return 0;
}
