// The print figures of a report: the water table against the distance from the well, a
// cross-section between two wells, and the plan of a rectangular well field. Each is painted
// from FigureData alone into a `size` of pixels at 96 dpi from the painter's origin. Needs a
// QGuiApplication (fonts).
#pragma once

#include "export/FigureData.h"
#include "export/PrintChart.h"

#include <QSizeF>

#include <string>
#include <vector>

enum class FigureKind { WaterTable, Section, Plan };

// "water-table", "section" or "plan": the names `graph --figure` takes.
std::optional<FigureKind> FigureKindOfName(const std::string& name);

// Why `data` has no figure of `kind` (the plan of a report that is not of a rectangular field);
// empty when it has one.
std::string FigureUnavailable(FigureKind kind, const FigureData& data);

// Every row of every profile at its coordinates, with the soil surface, the water level in the
// well and the midway depth Dm as labelled lines, and the depth below the surface on the right.
void PaintWaterTableFigure(QPainter& painter, QSizeF size, const FigureData& data,
                           ChartRecord* record = nullptr);
// A line of heads against the distance from the well in a water-table figure; no markers when
// its style's marker radius is 0.
struct HeadCurve {
  std::string name; // in the ChartRecord
  QString legend;
  std::vector<double> x, head; // m from the well, m above the well's water level
  SeriesStyle style;
};
// The water-table figure of `data` with `curves` in place of the report's profiles and `xTitle`
// under the distance axis.
void PaintHeadCurves(QPainter& painter, QSizeF size, const FigureData& data,
                     const std::vector<HeadCurve>& curves, const QString& xTitle,
                     ChartRecord* record = nullptr);
// The soil between two wells: surface, layers with their permeabilities, the wells down to Db
// with their water level Dw, and the computed water table with the midway depth.
void PaintSectionFigure(QPainter& painter, QSizeF size, const FigureData& data);
// The wells of a rectangular field on the Sa x Sb grid, with the three profile lines and the
// midway depths they lead to.
void PaintPlanFigure(QPainter& painter, QSizeF size, const FigureData& data);

// One of the three by `kind`, on white.
void PaintFigure(QPainter& painter, QSizeF size, FigureKind kind, const FigureData& data,
                 ChartRecord* record = nullptr);
