#include "GraphDrawing.h"

#include "TextFile.h"
#include "UDMPumpfield.h"
#include "UWellUtils.h"

#include <QGuiApplication>

#include <exception>
#include <memory>

namespace {
// An offscreen QGuiApplication for callers that have none (fonts need one).
std::unique_ptr<QGuiApplication> OwnGuiApplication() {
  static int argc = 3;
  static char name[] = "pumpfield";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Puts a data module in place for the call when the program has none.
class DataModuleInPlace {
public:
  DataModuleInPlace() {
    if (!DMPumpfield) {
      own_ = std::make_unique<TDMPumpfield>();
      DMPumpfield = own_.get();
    }
  }
  ~DataModuleInPlace() {
    if (own_)
      DMPumpfield = nullptr;
  }

private:
  std::unique_ptr<TDMPumpfield> own_;
};
} // namespace

int ExportGraph(const std::string& reportPath, const std::string& bmpPath, std::string& errorText) {
  std::unique_ptr<QGuiApplication> application;
  if (!QCoreApplication::instance())
    application = OwnGuiApplication();
  else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    errorText = "Graphs can only be drawn by a program with a graphical user interface";
    return 1;
  }
  DataModuleInPlace dataModule;
  TDMPumpfield& dm = *DMPumpfield;

  if (!TextReader(reportPath).opened()) {
    errorText = CouldNotOpenDamagedMessage(reportPath);
    return 3;
  }
  dm.InputFileName = reportPath;
  try {
    dm.LoadGraphData(reportPath);
  } catch (const std::exception& error) {
    errorText = error.what();
    return 3;
  }
  ReloadInputOfReport();

  SetPlotFrame(kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    DrawGraph(canvas);
  } catch (const std::exception& error) {
    errorText = error.what();
    return 1;
  }
  return SaveGraphBitmap(canvas, bmpPath, errorText) ? 0 : 1;
}
