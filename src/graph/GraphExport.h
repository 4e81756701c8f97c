// "Make graph" and "Save graph" without the window: a report's graph written as a bitmap. Needs
// a QGuiApplication and an installed data module.
#pragma once

#include <string>

enum class GraphExportResult { Written, ReportUnreadable, ImageNotWritten };

// Reads the report's tables into DMPumpfield and reloads the input file of the same name (whose
// problems LoadInputFile reports itself). False with `errorText` set when the report cannot be
// read.
bool LoadReportGraph(const std::string& reportPath, std::string& errorText);
// "Save graph" of what LoadReportGraph read: draws it and writes the bitmap.
GraphExportResult SaveLoadedGraph(const std::string& imagePath, std::string& errorText);
// Both in one; `errorText` tells why when the result is not Written.
GraphExportResult ExportGraph(const std::string& reportPath, const std::string& imagePath,
                              std::string& errorText);
