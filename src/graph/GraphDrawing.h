// The water-table graph of the report held by a data module, painted on a 623 x 465 QImage or,
// in the same layout, on any painter. Needs a QGuiApplication (fonts).
#pragma once

#include "graph/UWellUtils.h"

#include <QImage>

class QPainter;
class TDMPumpfield;

inline constexpr int kGraphWidth = 623;
inline constexpr int kGraphHeight = 465;

// The caption written under the plotting field.
extern const char* const kGraphCaption;

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
