#include "graph/GraphExport.h"

#include "core/FileNames.h"
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
  // The report alone suffices: its titles stay when no input file lies beside it.
  if (FileExists(ChangeFileExt(reportPath, ".inp")))
    ReloadInputOfReport();
  return true;
}

GraphExportResult SaveLoadedGraph(const std::string& imagePath, std::string& errorText,
                                  const char* format) {
  SetPlotFrame(kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    // The input file has been loaded with the report; once is enough.
    DrawGraph(canvas, nullptr);
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ImageNotWritten;
  }
  const bool written = std::string(format) == "BMP"
                           ? SaveGraphBitmap(canvas, imagePath, errorText)
                           : SaveGraphFile(GraphImageBytes(canvas, format), imagePath, errorText);
  return written ? GraphExportResult::Written : GraphExportResult::ImageNotWritten;
}

GraphExportResult ExportGraph(const std::string& reportPath, const std::string& imagePath,
                              std::string& errorText) {
  if (!LoadReportGraph(reportPath, errorText))
    return GraphExportResult::ReportUnreadable;
  return SaveLoadedGraph(imagePath, errorText);
}
