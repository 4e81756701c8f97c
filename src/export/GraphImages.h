// The graph of the report held by DMPumpfield as a picture or a drawing: BMP and PNG pixels
// (PNG also at 2, 3 or 4 times the size, drawn anew at that size), SVG and PDF with real lines
// and text. Needs a QGuiApplication.
#pragma once

#include "graph/GraphExport.h"

#include <QByteArray>

#include <optional>
#include <string>

enum class GraphFormat { Bmp, Png, Svg, Pdf };

inline constexpr int kLargestGraphScale = 4;

// The format named by the extension of `path` (any case); BMP for any other extension.
GraphFormat GraphFormatOfPath(const std::string& path);

// The file's bytes. `scale` (1 to kLargestGraphScale) sizes a PNG; scale 1 gives the bitmap's
// own pixels. Draws the parameter set as it is (the input file is not reloaded), except the
// bitmaps of scale 1, which are DrawGraph's.
QByteArray GraphFileBytes(GraphFormat format, int scale);

// "Save graph" of what LoadReportGraph read, in the format of the path's extension.
GraphExportResult SaveLoadedGraphAs(const std::string& imagePath, int scale,
                                    std::string& errorText);
