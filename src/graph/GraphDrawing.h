// The water-table graph of the report held by DMPumpfield, painted on a 623 x 465 QImage or, in
// the same layout, on any painter. Needs a QGuiApplication (fonts).
#pragma once

#include <QImage>

class QPainter;

inline constexpr int kGraphWidth = 623;
inline constexpr int kGraphHeight = 465;

// The caption written under the plotting field.
extern const char* const kGraphCaption;

// Switches InputFileName to ".inp", loads that input file (titles, aim code, parameters) and
// switches the name back to ".out". Problems are reported by LoadInputFile itself.
void ReloadInputOfReport();

// Paints the whole graph of the report tables held by DMPumpfield (scale first, then every
// element in drawing order). `canvas` is made 623 x 465 when it has another size. For a
// rectangular-field report the input file of the same name is reloaded for Sa and Sb, by
// `reloadInput`.
void DrawGraph(QImage& canvas, void (*reloadInput)() = ReloadInputOfReport);
// The same layout as DrawGraph on `painter`, whose coordinates must be the picture's 623 x 465
// pixels (scale it for other sizes): real lines and antialiased text instead of pixels. Draws
// the parameter set as it is: the input file is not reloaded.
void DrawGraphOn(QPainter& painter);
