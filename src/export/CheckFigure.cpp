#include "export/CheckFigure.h"

#include "data/ReportMeaning.h"
#include "export/PrintFigures.h"

#include <algorithm>
#include <cmath>

namespace {
// Points of the check's line besides the model's own columns, evenly spread to the midway point.
constexpr int kEvenPoints = 40;

// A single line's check stands apart in colour; the three lines of a field keep their colour
// and are dotted.
SeriesStyle CheckStyle(size_t index, size_t lines) {
  SeriesStyle style = SeriesStyleAt(lines == 1 ? 1 : index);
  if (lines > 1)
    style.dash = Qt::DotLine;
  style.width = 2;
  style.markerRadius = 0;
  return style;
}
} // namespace

std::vector<FigureProfile> CheckProfiles(const DesignCheck& check) {
  std::vector<FigureProfile> profiles;
  const std::vector<double>& columns = check.solution.radius;
  for (const CheckedDepth& depth : check.depths) {
    const double length = std::hypot(depth.reported.x, depth.reported.y);
    if (!(length > 0) || columns.empty())
      continue;
    std::vector<double> distances;
    for (double radius : columns)
      if (radius < length)
        distances.push_back(radius);
    for (int i = 1; i <= kEvenPoints; ++i)
      distances.push_back(length * i / kEvenPoints);
    std::sort(distances.begin(), distances.end());
    FigureProfile profile{depth.reported.line, {}, {}};
    for (double distance : distances) {
      profile.x.push_back(distance);
      profile.head.push_back(PatternHead(check.cell, check.solution,
                                         depth.reported.x * distance / length,
                                         depth.reported.y * distance / length));
    }
    profiles.push_back(std::move(profile));
  }
  return profiles;
}

void PaintCheckFigure(QPainter& painter, QSizeF size, const FigureData& data,
                      const DesignCheck& check, ChartRecord* record) {
  std::vector<HeadCurve> curves;
  const size_t lines = data.profiles.size();
  for (size_t i = 0; i < lines; ++i) {
    const FigureProfile& profile = data.profiles[i];
    curves.push_back({profile.name, FigureText(profile.name) + ", report",
                      HeadDistances(data.aim, profile.x), profile.head, SeriesStyleAt(i)});
  }
  const std::vector<FigureProfile> checked = CheckProfiles(check);
  for (size_t i = 0; i < checked.size(); ++i)
    curves.push_back({"check " + checked[i].name, FigureText(checked[i].name) + ", check",
                      checked[i].x, checked[i].head, CheckStyle(i, checked.size())});
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  PaintHeadCurves(painter, size, data, curves, "Distance from the well (m)", record);
}
