#include "graph/GraphDrawing.h"

#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

#include <QLocale>

#include <exception>

char SystemDecimalSeparator() { return QLocale::system().decimalPoint() == "," ? ',' : '.'; }

GraphExportResult LoadReportGraph(const std::string& reportPath, std::string& errorText) {
  TDMPumpfield& dm = *DMPumpfield;
  if (const TextReader report(reportPath); !report.opened()) {
    errorText = report.FailureMessage(CouldNotOpenDamagedMessage(reportPath));
    return GraphExportResult::ReportUnreadable;
  }
  dm.InputFileName = reportPath;
  try {
    dm.LoadGraphData(reportPath);
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ReportUnreadable;
  }
  ReloadInputOfReport();
  return GraphExportResult::Written;
}

GraphExportResult SaveLoadedGraph(const std::string& imagePath, std::string& errorText) {
  SetPlotFrame(kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    DrawGraph(canvas);
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ImageNotWritten;
  }
  return SaveGraphBitmap(canvas, imagePath, errorText) ? GraphExportResult::Written
                                                       : GraphExportResult::ImageNotWritten;
}

GraphExportResult ExportGraph(const std::string& reportPath, const std::string& imagePath,
                              std::string& errorText) {
  const GraphExportResult loaded = LoadReportGraph(reportPath, errorText);
  return loaded == GraphExportResult::Written ? SaveLoadedGraph(imagePath, errorText) : loaded;
}
