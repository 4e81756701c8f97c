// Any tables and titles as a report: the graph is drawn whole on its 623 x 465 canvas or the
// drawing raises its arithmetic error.
#include "FuzzSupport.h"
#include "core/Numerics.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 3;
  static char name[] = "fuzz", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  static QGuiApplication application(argc, argv);
  static CountingServices services;

  TDMPumpfield dm(&services);
  FillTables(data, size, dm);
  const size_t titleLength = std::min<size_t>(size, 40);
  dm.Title1.assign(reinterpret_cast<const char*>(data), titleLength);
  dm.Title2.assign(reinterpret_cast<const char*>(data + size - titleLength), titleLength);
  dm.InputFileName = ScratchPath("report.out"); // its input file does not exist
  TPlotScale scale;
  SetPlotFrame(scale, kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    DrawGraph(canvas, {dm, scale});
  } catch (const ArithmeticError&) {
    return 0;
  }
  Require(canvas.width() == kGraphWidth && canvas.height() == kGraphHeight);
  return 0;
}
