// "Make graph" and "Save graph" without the window: a report's graph written as a bitmap. Needs
// a QGuiApplication.
#pragma once

#include <string>

class TDMPumpfield;

enum class GraphExportResult { Written, ReportUnreadable, ImageNotWritten };

// Reads the report's tables into `dm` and reloads the input file of the same name when there is
// one (whose problems LoadInputFile reports itself). False with `errorText` set when the report
// cannot be read.
bool LoadReportGraph(TDMPumpfield& dm, const std::string& reportPath, std::string& errorText);
// "Save graph" of what LoadReportGraph read into `dm`: draws it with tick labels that take
// `separator`, and writes the bitmap, as BMP or in another `format` of QImage ("PNG") with the
// same pixels.
GraphExportResult SaveLoadedGraph(TDMPumpfield& dm, char separator, const std::string& imagePath,
                                  std::string& errorText, const char* format = "BMP");
// Both in one; `errorText` tells why when the result is not Written.
GraphExportResult ExportGraph(TDMPumpfield& dm, char separator, const std::string& reportPath,
                              const std::string& imagePath, std::string& errorText);
