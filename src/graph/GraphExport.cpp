#include "graph/GraphExport.h"

#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <exception>

bool LoadReportGraph(TDMPumpfield& dm, const std::string& reportPath, std::string& errorText) {
  if (const TextReader report(reportPath); !report.opened()) {
    errorText = report.FailureMessage(CouldNotOpenDamagedMessage(reportPath));
    return false;
  }
  dm.InputFileName = reportPath;
  try {
    dm.LoadGraphData(reportPath);
  } catch (const std::exception& error) {
    errorText = error.what();
    return false;
  }
  ReloadInputOfReport(dm);
  return true;
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
  if (!LoadReportGraph(dm, reportPath, errorText))
    return GraphExportResult::ReportUnreadable;
  return SaveLoadedGraph(dm, separator, imagePath, errorText);
}
