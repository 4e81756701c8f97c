#include "graph/GraphDrawing.h"

#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

#include <QLocale>

#include <exception>

char SystemDecimalSeparator() { return QLocale::system().decimalPoint() == "," ? ',' : '.'; }

GraphExportResult LoadReportGraph(TDMPumpfield& dm, const std::string& reportPath,
                                  std::string& errorText) {
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
  ReloadInputOfReport(dm);
  return GraphExportResult::Written;
}

GraphExportResult SaveLoadedGraph(TDMPumpfield& dm, char separator, const std::string& imagePath,
                                  std::string& errorText) {
  TPlotScale scale;
  SetPlotFrame(scale, kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    DrawGraph(canvas, {dm, scale, separator});
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ImageNotWritten;
  }
  return SaveGraphBitmap(canvas, imagePath, errorText) ? GraphExportResult::Written
                                                       : GraphExportResult::ImageNotWritten;
}

GraphExportResult ExportGraph(TDMPumpfield& dm, char separator, const std::string& reportPath,
                              const std::string& imagePath, std::string& errorText) {
  const GraphExportResult loaded = LoadReportGraph(dm, reportPath, errorText);
  return loaded == GraphExportResult::Written ? SaveLoadedGraph(dm, separator, imagePath, errorText)
                                              : loaded;
}
