// The water-table graph of the report held by a data module, painted on a 623 x 465 QImage or,
// in the same layout, on any painter; and its export as a Windows bitmap. Needs a
// QGuiApplication (fonts).
#pragma once

#include "graph/UWellUtils.h"

#include <QByteArray>
#include <QImage>

class QPainter;
class TDMPumpfield;

#include <string>

inline constexpr int kGraphWidth = 623;
inline constexpr int kGraphHeight = 465;

// The caption written under the plotting field.
extern const char* const kGraphCaption;
// Text of SaveGraphBitmap's failure for a canvas on which nothing was drawn yet.
extern const char* const kNoGraphToSaveMessage;

// What a drawing shows: the report tables and parameter set of `dm`, on the plot scale `scale`
// that it works out, with `separator` as the decimal separator of its tick labels.
struct GraphOf {
  TDMPumpfield& dm;
  TPlotScale& scale;
  char separator = '.';
};

// Switches InputFileName to ".inp", loads that input file (titles, aim code, parameters) and
// switches the name back to ".out". Problems are reported by LoadInputFile itself.
void ReloadInputOfReport(TDMPumpfield& dm);
using ReloadInput = void (*)(TDMPumpfield& dm);

// Paints the whole graph of the report tables held by the data module (scale first, then every
// element in drawing order). `canvas` is made 623 x 465 when it has another size. For a
// rectangular-field report the input file of the same name is reloaded for Sa and Sb, by
// `reloadInput`.
void DrawGraph(QImage& canvas, const GraphOf& graph, ReloadInput reloadInput = ReloadInputOfReport);
// The same layout as DrawGraph on `painter`, whose coordinates must be the picture's 623 x 465
// pixels (scale it for other sizes): real lines and antialiased text instead of pixels. Draws
// the parameter set as it is: the input file is not reloaded.
void DrawGraphOn(QPainter& painter, const GraphOf& graph);

// Writes `canvas` as a 24-bit Windows bitmap to the file named by the bytes of `path`, as every
// file the program writes: beside it first, replacing it only once the whole file is written,
// links followed, read-only files and anything that is not a regular file refused. False with
// `errorText` set when nothing was drawn yet or the file cannot be written.
bool SaveGraphBitmap(const QImage& canvas, const std::string& path, std::string& errorText);
// `canvas` as the bytes of an image file in `format` ("BMP", "PNG"), 24 bits per pixel.
QByteArray GraphImageBytes(const QImage& canvas, const char* format);
// The one way picture and document files are written: `bytes` replace `path` only once all of
// them are written. False with `errorText` set when the file cannot be written.
bool SaveGraphFile(const QByteArray& bytes, const std::string& path, std::string& errorText);

// The decimal separator of the desktop's number format ('.' or ','), as the window shows it.
char SystemDecimalSeparator();

enum class GraphExportResult { Written, ReportUnreadable, ImageNotWritten };

// "Make graph" without the window: reads the report's tables into `dm` and reloads the input
// file of the same name (whose problems LoadInputFile reports itself). Needs a QGuiApplication.
GraphExportResult LoadReportGraph(TDMPumpfield& dm, const std::string& reportPath,
                                  std::string& errorText);
// "Save graph" of what LoadReportGraph read into `dm`: draws it with tick labels that take
// `separator`, and writes the bitmap.
GraphExportResult SaveLoadedGraph(TDMPumpfield& dm, char separator, const std::string& imagePath,
                                  std::string& errorText);
// Both in one; `errorText` tells why when the result is not Written.
GraphExportResult ExportGraph(TDMPumpfield& dm, char separator, const std::string& reportPath,
                              const std::string& imagePath, std::string& errorText);
