// The independent check's water table beside the report's, in the look of the water-table figure.
// Needs a QGuiApplication (fonts).
#pragma once

#include "check/DesignCheck.h"
#include "export/FigureData.h"
#include "export/PrintChart.h"

#include <QSizeF>

#include <vector>

// The check's heads (m above the well's water level) along the line of each depth it checked,
// from the screen to the midway point; named after the report's lines.
std::vector<FigureProfile> CheckProfiles(const DesignCheck& check);

// The report's profiles of `data`, each head at the distance it belongs to, and the check's
// along the same lines, with the soil surface, the water level in the well and Dm.
void PaintCheckFigure(QPainter& painter, QSizeF size, const FigureData& data,
                      const DesignCheck& check, ChartRecord* record = nullptr);
