#include "graph/GraphExport.h"

#include "core/FileNames.h"
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
  // The report alone suffices: its titles stay when no input file lies beside it.
  if (FileExists(ChangeFileExt(reportPath, ".inp")))
    ReloadInputOfReport(dm);
  return true;
}

GraphExportResult SaveLoadedGraph(TDMPumpfield& dm, char separator, const std::string& imagePath,
                                  std::string& errorText, const char* format) {
  TPlotScale scale;
  SetPlotFrame(scale, kPlotWidth, kPlotHeight);
  QImage canvas;
  try {
    // The input file has been loaded with the report; once is enough.
    DrawGraph(canvas, {dm, scale, separator}, nullptr);
  } catch (const std::exception& error) {
    errorText = error.what();
    return GraphExportResult::ImageNotWritten;
  }
  const bool written = std::string(format) == "BMP"
                           ? SaveGraphBitmap(canvas, imagePath, errorText)
                           : SaveGraphFile(GraphImageBytes(canvas, format), imagePath, errorText);
  return written ? GraphExportResult::Written : GraphExportResult::ImageNotWritten;
}

GraphExportResult ExportGraph(TDMPumpfield& dm, char separator, const std::string& reportPath,
                              const std::string& imagePath, std::string& errorText) {
  if (!LoadReportGraph(dm, reportPath, errorText))
    return GraphExportResult::ReportUnreadable;
  return SaveLoadedGraph(dm, separator, imagePath, errorText);
}
