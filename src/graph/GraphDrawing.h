// The water-table graph of the report held by a data module, painted on a 623 x 465 QImage.
// Needs a QGuiApplication (fonts).
#pragma once

#include "graph/UWellUtils.h"

#include <QImage>

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
