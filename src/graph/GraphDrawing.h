// The water-table graph of the report held by DMPumpfield, painted on a 623 x 465 QImage, and
// its export as a Windows bitmap. Needs a QGuiApplication (fonts).
#pragma once

#include <QByteArray>
#include <QImage>

#include <string>

inline constexpr int kGraphWidth = 623;
inline constexpr int kGraphHeight = 465;

// The caption written under the plotting field.
extern const char* const kGraphCaption;
// Text of SaveGraphBitmap's failure for a canvas on which nothing was drawn yet.
extern const char* const kNoGraphToSaveMessage;

// Switches InputFileName to ".inp", loads that input file (titles, aim code, parameters) and
// switches the name back to ".out". Problems are reported by LoadInputFile itself.
void ReloadInputOfReport();

// Paints the whole graph of the report tables held by DMPumpfield (scale first, then every
// element in drawing order). `canvas` is made 623 x 465 when it has another size. For a
// rectangular-field report the input file of the same name is reloaded for Sa and Sb, by
// `reloadInput`.
void DrawGraph(QImage& canvas, void (*reloadInput)() = ReloadInputOfReport);

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

// "Make graph" without the window: reads the report's tables into DMPumpfield and reloads the
// input file of the same name when there is one (whose problems LoadInputFile reports itself).
// Needs a QGuiApplication and an installed data module.
GraphExportResult LoadReportGraph(const std::string& reportPath, std::string& errorText);
// "Save graph" of what LoadReportGraph read: draws it and writes the bitmap, as BMP or in
// another `format` of QImage ("PNG") with the same pixels.
GraphExportResult SaveLoadedGraph(const std::string& imagePath, std::string& errorText,
                                  const char* format = "BMP");
// Both in one; `errorText` tells why when the result is not Written.
GraphExportResult ExportGraph(const std::string& reportPath, const std::string& imagePath,
                              std::string& errorText);
