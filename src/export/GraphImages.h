// Picture and drawing files of a report's figures: the water-table graph as the window's bitmap
// (BMP, and PNG at scale 1), and the print figures as PNG at 2, 3 or 4 times the size, SVG and
// PDF with real lines and text. Needs a QGuiApplication.
#pragma once

#include "export/PrintFigures.h"

#include <QByteArray>
#include <QImage>

#include <functional>
#include <optional>
#include <string>

enum class GraphFormat { Bmp, Png, Svg, Pdf };

inline constexpr int kLargestGraphScale = 4;

// The format named by the extension of `path` (any case); BMP for any other extension.
GraphFormat GraphFormatOfPath(const std::string& path);
// True when `format` at `scale` is the window's bitmap rather than a print figure.
bool IsScreenBitmap(GraphFormat format, int scale);

// The numbers a print figure needs, read from the report at `path` alone; nothing, with
// `errorText` set, when it cannot be read.
std::optional<FigureData> ReadFigureData(const std::string& path, std::string& errorText);

// Paints a drawing of `size` pixels at 96 dpi.
using FigurePainter = std::function<void(QPainter&, QSizeF size)>;

// The file's bytes of what `paint` draws in 623 x 465 pixels: PNG at `scale` (1 to
// kLargestGraphScale) times that size, SVG or PDF (any other format gives PNG), titled `title`.
QByteArray DrawingFileBytes(GraphFormat format, int scale, const QString& title,
                            const FigurePainter& paint);
// What `paint` draws in 623 x 465 pixels, as the window shows a chart.
QImage DrawingImage(const FigurePainter& paint);
// The same of the print figure `kind` of `data`.
QByteArray FigureFileBytes(GraphFormat format, int scale, FigureKind kind, const FigureData& data);
