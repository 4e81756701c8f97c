#include "graph/GraphExport.h"

#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <exception>

bool LoadReportGraph(const std::string& reportPath, std::string& errorText) {
  TDMPumpfield& dm = *DMPumpfield;
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
  ReloadInputOfReport();
  return true;
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
  if (!LoadReportGraph(reportPath, errorText))
    return GraphExportResult::ReportUnreadable;
  return SaveLoadedGraph(imagePath, errorText);
}
